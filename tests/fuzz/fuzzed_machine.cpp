#include "tests/fuzz/fuzzed_machine.h"
#include "tests/footprint.h"

#include <stdexcept>
#include <string>

using namespace standin;

namespace {

// Reads the input front to back; past its end, zeros.
class Input {
public:
    Input(const uint8_t *data, size_t size) : data(data), size(size) {}
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    bool Done() const { return at >= size; }
    template <class T> const T &Pick(const std::vector<T> &table) { return table[Byte() % table.size()]; }

private:
    const uint8_t *data;
    size_t size, at = 0;
};

std::string Repeat(const std::string &piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// Names as UTF-8; what RegEnumKeyA makes of them depends on the code page.
const std::vector<std::string> Names = {
    "A", "B", "Sub", "L", "MOKTA32", "Zephyr",
    "L\xEF\xBC\xBC" "A",        // U+FF3C: best fit to a backslash in 1250 and 1252
    "L\xE2\x88\x96" "A",        // U+2216, the same
    "L\xC2\xA5" "A",            // U+00A5: a backslash in 932
    std::string("\0X", 2),      // comes back empty
    std::string("\0", 1),
    "\xE8\xA1\xA8",             // 0x95 0x5C in 932
    "\xEF\xBC\xAC",             // fullwidth L: best fit to "L"
    "\xC3\xA9", "\xC3\x89",     // é, É: one key on NT
    "\xD0\x96",                 // outside 1250 and 1252: "?"
    "?",
    std::string(255, 'N'),
    Repeat("\xE8\xA1\xA8", 255),  // 255 characters, 510 bytes in 932
};

struct Anchor {
    HKEY root;
    std::string path;
    bool planned;  // a planned key: what lies below it is inside the plan
};

HKEY RootKey(TestRoot root)
{
    const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
    return roots[root];
}

std::vector<Anchor> MakeAnchors()
{
    std::vector<Anchor> anchors;
    for (const TestKey &key : PlannedKeys)
        anchors.push_back({RootKey(key.root), key.path, true});
    for (const TestValue &value : PlannedValues)
        anchors.push_back({RootKey(value.root), value.path, false});
    for (const TestKey &key : NeighbourKeys)
        anchors.push_back({RootKey(key.root), key.path, false});
    const Anchor parents[] = {
        {HKEY_CURRENT_USER, "SOFTWARE", false},
        {HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", false},
        {HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows", false},
        {HKEY_CURRENT_USER, "Software\\Classes", false},
        {HKEY_CURRENT_USER, "Software\\Classes\\CLSID", false},
        {HKEY_CURRENT_USER, "Software\\Classes\\.DOC", false},
        {HKEY_CURRENT_USER, "Software\\Classes\\Nuvex.Nuvex", false},
        {HKEY_CLASSES_ROOT, "CLSID", false},
        {HKEY_CLASSES_ROOT, "*\\shellex\\ContextMenuHandlers", false},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Precious", false},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Precious\\Run", false},
    };
    anchors.insert(anchors.end(), std::begin(parents), std::end(parents));
    return anchors;
}

const std::vector<Anchor> Anchors = MakeAnchors();

const std::vector<std::string> LinkTargets = {
    "HKLM\\SOFTWARE\\Precious", "HKLM\\SOFTWARE\\Precious\\Run", "HKLM\\SOFTWARE\\KELBO SOFTWARE",
    "HKCU\\SOFTWARE\\KELBO SOFTWARE\\MOKTA32", "HKLM\\SOFTWARE\\Gone", "HKCR\\CLSID", "HKCU\\SOFTWARE\\Loop",
};

const std::vector<std::string> ValueNames = {"", "Mokta32", "Tqn32", "Mokta32Rename",
                                             "{5E93B1C7-D6A4-11CE-9B4D-0080A1E37D56}", "Other", "SymbolicLinkValue"};

const std::vector<REGSAM> Accesses = {0, KEY_READ, KEY_ALL_ACCESS & ~DELETE, KEY_QUERY_VALUE, KEY_ALL_ACCESS};

struct Place {
    HKEY root;
    std::string path;
    bool insidePlan;  // below a planned key
};

Place DecodePlace(Input &input)
{
    const Anchor &anchor = Anchors[input.Byte() % Anchors.size()];
    Place place{anchor.root, anchor.path, false};
    int names = input.Byte() % 4;
    for (int i = 0; i < names; ++i)
        place.path += "\\" + input.Pick(Names);
    place.insidePlan = anchor.planned && names > 0;
    return place;
}

// Links are the user's own below HKCU, anyone's inside a planned tree; above
// a planned key under HKLM only an administrator could have made one.
bool MayLink(const Place &place)
{
    return machine.family == Family::NT && (place.root == HKEY_CURRENT_USER || place.insidePlan);
}

// A set-up or a change Windows could not make (through a dangling link, a
// link over a key) is dropped.
void Try(const std::function<void()> &change)
{
    try {
        change();
    } catch (const std::logic_error &) {
    }
}

void RemoveIfThere(const Place &place)
{
    if (KeyExists(place.root, place.path))
        RemoveTree(place.root, place.path);
}

void DecodeSetUp(Input &input, FuzzedMachine &fuzzed)
{
    uint8_t operation = input.Byte() % 7;
    Place place = DecodePlace(input);
    switch (operation) {
    case 0:
        Try([&] { CreateKey(place.root, place.path); });
        break;
    case 1: {
        std::string name = input.Pick(ValueNames);
        Try([&] { SetValue(place.root, place.path, name, "x"); });
        break;
    }
    case 2: {
        std::string target = input.Pick(LinkTargets);
        if (MayLink(place))
            Try([&] { CreateLink(place.root, place.path, target); });
        break;
    }
    case 3: {
        REGSAM access = input.Pick(Accesses);
        if (RegistryKey *key = FindKey(place.root, place.path))
            key->grantedAccess = access;
        break;
    }
    case 4:
        if (RegistryKey *key = FindKey(place.root, place.path))
            key->refuseDelete = true;
        break;
    case 5:
        RemoveIfThere(place);
        break;
    default: {
        // Another process, inside the planned trees only.
        size_t afterCall = input.Byte() * 4 + input.Byte() % 4;
        uint8_t kind = input.Byte() % 4;
        std::string target = input.Pick(LinkTargets);
        if (!place.insidePlan)
            break;
        bool links = MayLink(place);
        fuzzed.schedule.push_back({afterCall, [=] {
            if (kind == 0)
                Try([&] { CreateKey(place.root, place.path); });
            if (kind == 1 || kind == 3)
                RemoveIfThere(place);
            if ((kind == 2 || kind == 3) && links)
                Try([&] { CreateLink(place.root, place.path, target); });
        }});
    }
    }
}

void CollectKeys(RegistryKey *key, std::set<RegistryKey *> &keys)
{
    keys.insert(key);
    for (const auto &subkey : key->subkeys)
        CollectKeys(subkey.get(), keys);
}

}  // namespace

std::set<RegistryKey *> LiveKeys()
{
    std::set<RegistryKey *> keys;
    for (const auto &root : machine.roots)
        CollectKeys(root.get(), keys);
    return keys;
}

FuzzedMachine DecodeMachine(const uint8_t *data, size_t size)
{
    ResetMachine();
    Input input(data, size);
    uint8_t platform = input.Byte();
    // The kernel, and a version report that may lie about it.
    machine.family = platform % 3 == 1 ? Family::Windows95 : Family::NT;
    machine.platformId = platform % 3 == 0 ? VER_PLATFORM_WIN32_NT : VER_PLATFORM_WIN32_WINDOWS;
    const UINT codePages[] = {1252, 1250, 932};
    machine.ansiCodePage = codePages[platform / 3 % 3];
    if (platform / 9 % 2 && machine.family == Family::NT)
        UsePerUserClasses();

    for (const TestKey &key : PlannedKeys)
        SetValue(RootKey(key.root), std::string(key.path) + "\\Sub", "", "planned");
    for (const TestValue &value : PlannedValues)
        SetValue(RootKey(value.root), value.path, value.name, "planned");
    for (const TestKey &key : NeighbourKeys)
        SetValue(RootKey(key.root), key.path, "Keep", "neighbour");
    SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Precious\\A", "Data", "precious");

    FuzzedMachine fuzzed;
    while (!input.Done())
        DecodeSetUp(input, fuzzed);
    return fuzzed;
}
