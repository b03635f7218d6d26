#include "footprint_twists.h"
#include "native_registry.h"
#include "registry_access.h"
#include "registry_snapshot.h"
#include "report.h"
#include <sddl.h>
#include <windows.h>

namespace {

const char TwistData[] = "seeded by a twist";
const char SeedValueName[] = "Seeded";

std::wstring Wide(const std::string &ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string Where(TestRoot root, const std::wstring &path) { return Where(root, "") + Quoted(path); }

// --- Seeding and reading keys by their true (wide, counted) names

// A key with the value Seeded; any key on the way is made too.
bool SeedKey(TestRoot root, const std::wstring &path)
{
    HKEY key;
    LONG result = RegCreateKeyExW(RootKey(root), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS) {
        result = RegSetValueExA(key, SeedValueName, 0, REG_SZ, reinterpret_cast<const BYTE *>(TwistData), sizeof TwistData);
        RegCloseKey(key);
    }
    if (result != ERROR_SUCCESS)
        Fail("seeding " + Where(root, path) + ": error " + std::to_string(result));
    return result == ERROR_SUCCESS;
}

void ExpectSeededValueIn(HKEY key, const std::string &where)
{
    char found[64];
    DWORD type = 0, size = sizeof found - 1;
    LONG result = RegQueryValueExA(key, SeedValueName, nullptr, &type, reinterpret_cast<BYTE *>(found), &size);
    found[result == ERROR_SUCCESS ? size : 0] = '\0';
    if (result != ERROR_SUCCESS)
        Fail(where + " lost its value \"" + SeedValueName + "\" (error " + std::to_string(result) + ")");
    else if (type != REG_SZ || lstrcmpA(found, TwistData) != 0)
        Fail(where + "'s value \"" + SeedValueName + "\" was changed to \"" + found + "\"");
}

// The key, opened as itself, is there with its value Seeded.
void ExpectSeededKey(TestRoot root, const std::wstring &path)
{
    HKEY key;
    LONG result = RegOpenKeyExW(RootKey(root), path.c_str(), REG_OPTION_OPEN_LINK, KEY_READ, &key);
    if (result != ERROR_SUCCESS) {
        Fail(Where(root, path) + " is gone (error " + std::to_string(result) + ")");
        return;
    }
    ExpectSeededValueIn(key, Where(root, path));
    RegCloseKey(key);
}

// --- Links

// `target` is under HKLM, as the kernel names it, without a terminating zero.
bool SeedLink(TestRoot root, const std::wstring &path, const char *target)
{
    HKEY key;
    LONG result = RegCreateKeyExW(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
                                  KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS) {
        std::wstring kernelPath = L"\\Registry\\Machine\\" + Wide(target);
        result = RegSetValueExW(key, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE *>(kernelPath.data()),
                                static_cast<DWORD>(kernelPath.size() * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    if (result != ERROR_SUCCESS)
        Fail("seeding the link " + Where(root, path) + ": error " + std::to_string(result));
    return result == ERROR_SUCCESS;
}

// The key is still a link, and still to `target`.
void ExpectLink(TestRoot root, const std::wstring &path, const char *target)
{
    HKEY key;
    LONG result = RegOpenKeyExW(RootKey(root), path.c_str(), REG_OPTION_OPEN_LINK, KEY_READ, &key);
    DWORD type = 0;
    wchar_t found[MAX_PATH] = L"";
    DWORD size = sizeof found - sizeof(wchar_t);
    if (result == ERROR_SUCCESS) {
        result = RegQueryValueExW(key, L"SymbolicLinkValue", nullptr, &type, reinterpret_cast<BYTE *>(found), &size);
        RegCloseKey(key);
    }
    std::wstring kernelPath = L"\\Registry\\Machine\\" + Wide(target);
    if (result != ERROR_SUCCESS || type != REG_LINK)
        Fail("the link " + Where(root, path) + " is gone or no longer a link (error " + std::to_string(result) + ")");
    else if (std::wstring(found, size / sizeof(wchar_t)) != kernelPath)
        Fail("the link " + Where(root, path) + " now leads to " + Quoted(std::wstring(found, size / sizeof(wchar_t))));
}

// --- Permissions

// Reading allowed to everyone, nothing else to anyone: the program can
// neither delete the key nor change what it holds. A link is changed as itself.
bool MakeReadOnly(TestRoot root, const std::wstring &path, bool isLink)
{
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly, nullptr)) {
        Fail("cannot make a read-only security descriptor: error " + std::to_string(GetLastError()));
        return false;
    }
    HKEY key;
    LONG result = RegOpenKeyExW(RootKey(root), path.c_str(), isLink ? REG_OPTION_OPEN_LINK : 0, WRITE_DAC, &key);
    if (result == ERROR_SUCCESS) {
        result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly);
        RegCloseKey(key);
    }
    LocalFree(readOnly);
    if (result != ERROR_SUCCESS)
        Fail("making " + Where(root, path) + " read-only: error " + std::to_string(result));
    return result == ERROR_SUCCESS;
}

// The permissions hold: the key cannot be opened with full access, as the
// program opens what it removes. (Wine still grants its owner DELETE and
// WRITE_DAC alone, whatever the DACL says.)
void ExpectReadOnly(TestRoot root, const std::wstring &path, bool isLink)
{
    HKEY key;
    LONG result = RegOpenKeyExW(RootKey(root), path.c_str(), isLink ? REG_OPTION_OPEN_LINK : 0, KEY_ALL_ACCESS, &key);
    if (result == ERROR_SUCCESS) {
        RegCloseKey(key);
        Fail(Where(root, path) + " can be opened with full access: the twist proves nothing");
    } else if (result != ERROR_ACCESS_DENIED) {
        Fail(Where(root, path) + ": cannot tell whether it is read-only, error " + std::to_string(result));
    }
}

// --- The twists

struct StayingKey {
    TestRoot root;
    std::wstring path;
    bool whole;  // with everything below it; otherwise the key alone
};

struct TwistShape {
    Twist twist;
    std::vector<TestKey> claimed;  // seeded and checked by the twist, with all below
    std::vector<StayingKey> staying;
    std::vector<TestValue> stayingValues;
    bool (*seed)();
    void (*check)(RegistryOutcome outcome);
};

// Links

struct Link {
    TestRoot root;
    const char *path;
    const char *target;  // under HKLM
    bool dangling;       // the target does not exist, and must not come to
};

const Link Links[] = {
    // A planned key that is itself a link.
    {LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MOKTA.EXE", "SOFTWARE\\KELBO SOFTWARE\\OTHER", false},
    // A link inside a planned tree.
    {LocalMachine, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32\\Sub Link", "SOFTWARE\\KELBO SOFTWARE\\MOKTA32 Tools", false},
    // A link inside a planned tree that leads nowhere: it cannot be opened
    // through, only as itself.
    {CurrentUser, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32\\Dangling Link", "SOFTWARE\\KELBO SOFTWARE\\MISSING", true},
};

// Seeded below each link's target: a program that walked through the link
// would take it.
const char InsideTarget[] = "\\Inside";

bool SeedLinks()
{
    bool ok = true;
    for (const Link &link : Links) {
        ok = SeedLink(link.root, Wide(link.path), link.target) && ok;
        if (!link.dangling)
            ok = SeedKey(LocalMachine, Wide(std::string(link.target) + InsideTarget)) && ok;
    }
    return ok;
}

void CheckLinks(RegistryOutcome outcome)
{
    for (const Link &link : Links) {
        if (outcome == RegistryOutcome::Untouched)
            ExpectLink(link.root, Wide(link.path), link.target);
        else
            ExpectKeyGone(link.root, link.path);
        // The target as it was: its tree kept, or still missing.
        if (link.dangling)
            ExpectKeyGone(LocalMachine, link.target);
        else
            ExpectSeededKey(LocalMachine, Wide(std::string(link.target) + InsideTarget));
    }
}

// The planned HKCU key below which the name twists put their subkeys.
const TestKey UserProductKey{CurrentUser, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32"};
std::wstring BelowUserProductKey(const std::wstring &name) { return Wide(UserProductKey.path) + L"\\" + name; }

// NameOutsideCodePage. Cyrillic: outside both code pages the program runs
// under here, 1252 and 1250.
const wchar_t OddName[] = L"Ключ";

bool SeedOddName() { return SeedKey(UserProductKey.root, BelowUserProductKey(OddName)); }
void CheckOddName(RegistryOutcome) { ExpectSeededKey(UserProductKey.root, BelowUserProductKey(OddName)); }

// BestFitTrap
const wchar_t TrapLink[] = L"L";
const wchar_t TrapLookAlike[] = L"L\xFF3C" L"A";  // L＼A, FULLWIDTH REVERSE SOLIDUS
const char TrapTarget[] = "SOFTWARE\\KELBO SOFTWARE\\TRAP TARGET";
const char TrapInsideTarget[] = "SOFTWARE\\KELBO SOFTWARE\\TRAP TARGET\\A";

bool SeedBestFitTrap()
{
    // The link made read-only last: until then the twist itself writes there.
    return SeedKey(LocalMachine, Wide(TrapInsideTarget)) && SeedKey(LocalMachine, Wide(TrapInsideTarget) + L"\\Deeper") &&
           SeedLink(UserProductKey.root, BelowUserProductKey(TrapLink), TrapTarget) &&
           SeedKey(UserProductKey.root, BelowUserProductKey(TrapLookAlike)) &&
           MakeReadOnly(UserProductKey.root, BelowUserProductKey(TrapLink), true);
}

void CheckBestFitTrap(RegistryOutcome)
{
    ExpectLink(UserProductKey.root, BelowUserProductKey(TrapLink), TrapTarget);
    ExpectReadOnly(UserProductKey.root, BelowUserProductKey(TrapLink), true);
    ExpectSeededKey(UserProductKey.root, BelowUserProductKey(TrapLookAlike));
    ExpectSeededKey(LocalMachine, Wide(TrapInsideTarget));
    ExpectSeededKey(LocalMachine, Wide(TrapInsideTarget) + L"\\Deeper");
}

// LeadingNul: made and read through ntdll, which takes counted names.
const std::wstring NulName(L"\0Hidden", 7);

bool SeedLeadingNul()
{
    HKEY parent, key = nullptr;
    LONG result = RegOpenKeyExA(RootKey(UserProductKey.root), UserProductKey.path, 0, KEY_ALL_ACCESS, &parent);
    if (result == ERROR_SUCCESS) {
        result = CreateCountedKey(parent, NulName, &key);
        RegCloseKey(parent);
    }
    if (result == ERROR_SUCCESS) {
        result = RegSetValueExA(key, SeedValueName, 0, REG_SZ, reinterpret_cast<const BYTE *>(TwistData), sizeof TwistData);
        RegCloseKey(key);
    }
    if (result != ERROR_SUCCESS)
        Fail("seeding " + Where(UserProductKey.root, BelowUserProductKey(NulName)) + ": error " + std::to_string(result));
    return result == ERROR_SUCCESS;
}

void CheckLeadingNul(RegistryOutcome)
{
    std::string where = Where(UserProductKey.root, BelowUserProductKey(NulName));
    HKEY parent, key;
    LONG result = RegOpenKeyExA(RootKey(UserProductKey.root), UserProductKey.path, 0, KEY_READ, &parent);
    if (result == ERROR_SUCCESS) {
        result = OpenCountedKey(parent, NulName, KEY_READ, true, &key);
        RegCloseKey(parent);
    }
    if (result != ERROR_SUCCESS) {
        Fail(where + " is gone (error " + std::to_string(result) + ")");
        return;
    }
    ExpectSeededValueIn(key, where);
    RegCloseKey(key);
}

// LinkedVendorKey
const char UserVendorKey[] = "SOFTWARE\\KELBO SOFTWARE";
const char VendorKeyTarget[] = "SOFTWARE\\Planted\\KELBO SOFTWARE";
// Below the target, as a walk through the link would find them.
const char *const VendorTargetKeys[] = {"MOKTA32", "MOKTA32\\Sub A", "MOKTA32\\Sub A\\Deeper", "MOKTA32\\Sub B", "MOKTA320"};

bool SeedLinkedVendorKey()
{
    bool ok = true;
    for (const char *key : VendorTargetKeys)
        ok = SeedKey(LocalMachine, Wide(std::string(VendorKeyTarget) + "\\" + key)) && ok;
    return SeedLink(CurrentUser, Wide(UserVendorKey), VendorKeyTarget) && ok;
}

void CheckLinkedVendorKey(RegistryOutcome)
{
    ExpectLink(CurrentUser, Wide(UserVendorKey), VendorKeyTarget);
    for (const char *key : VendorTargetKeys)
        ExpectSeededKey(LocalMachine, Wide(std::string(VendorKeyTarget) + "\\" + key));
}

// LinkedRunKey
const char RunKeyTarget[] = "SOFTWARE\\Planted\\Run";
// The planned values' names and the user's own neighbour's, in the target.
const char *const RunTargetValues[] = {"Mokta32", "Tqn32", "Tqn"};

bool SeedLinkedRunKey()
{
    bool ok = true;
    for (const char *name : RunTargetValues)
        ok = WriteValue(LocalMachine, RunKeyTarget, name, TwistData) && ok;
    // A new prefix already has the key, empty: the link takes its place.
    LONG result = RegDeleteKeyA(HKEY_CURRENT_USER, TEST_RUN_KEY);
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
        Fail("cannot delete " + Where(CurrentUser, TEST_RUN_KEY) + " to put a link there: error " + std::to_string(result));
        return false;
    }
    return SeedLink(CurrentUser, Wide(TEST_RUN_KEY), RunKeyTarget) && ok;
}

void CheckLinkedRunKey(RegistryOutcome)
{
    ExpectLink(CurrentUser, Wide(TEST_RUN_KEY), RunKeyTarget);
    for (const char *name : RunTargetValues)
        ExpectValue(LocalMachine, RunKeyTarget, name, TwistData);
}

// ReadOnlyRunKey: the planned values themselves, seeded plainly, stay.
bool SeedReadOnlyRunKey() { return MakeReadOnly(CurrentUser, Wide(TEST_RUN_KEY), false); }
void CheckReadOnlyRunKey(RegistryOutcome) { ExpectReadOnly(CurrentUser, Wide(TEST_RUN_KEY), false); }

// ReadOnlyClassKeys: more rows left than the warning lists.
const char *const ReadOnlyClassKeys[] = {
    "XQMfile", ".xqm", "*\\shellex\\ContextMenuHandlers\\Mokta32", "Mokta32", "Folder\\shellex\\ContextMenuHandlers\\Mokta32",
    "Nuvex.Nuvex", "Nuvex.Nuvex.1", "Nuvexa.Nuvexa", "Nuvexa.Nuvexa.1",
};

bool SeedReadOnlyClassKeys()
{
    bool ok = true;
    for (const char *key : ReadOnlyClassKeys)
        ok = MakeReadOnly(ClassesRoot, Wide(key), false) && ok;
    return ok;
}

void CheckReadOnlyClassKeys(RegistryOutcome)
{
    for (const char *key : ReadOnlyClassKeys)
        ExpectReadOnly(ClassesRoot, Wide(key), false);
}

const std::vector<TwistShape> &Shapes()
{
    const StayingKey emptiedProductKey{UserProductKey.root, Wide(UserProductKey.path), false};
    static const std::vector<TwistShape> shapes = {
        {Twist::Links, {{Links[0].root, Links[0].path}, {Links[1].root, Links[1].path}, {Links[2].root, Links[2].path}},
         {}, {}, SeedLinks, CheckLinks},
        {Twist::NameOutsideCodePage, {},
         {emptiedProductKey, {UserProductKey.root, BelowUserProductKey(OddName), true}}, {}, SeedOddName, CheckOddName},
        {Twist::BestFitTrap, {},
         {emptiedProductKey, {UserProductKey.root, BelowUserProductKey(TrapLink), true},
          {UserProductKey.root, BelowUserProductKey(TrapLookAlike), true}},
         {}, SeedBestFitTrap, CheckBestFitTrap},
        {Twist::LeadingNul, {}, {emptiedProductKey, {UserProductKey.root, BelowUserProductKey(NulName), true}}, {},
         SeedLeadingNul, CheckLeadingNul},
        {Twist::LinkedVendorKey, {{CurrentUser, UserVendorKey}}, {}, {}, SeedLinkedVendorKey, CheckLinkedVendorKey},
        {Twist::LinkedRunKey, {{CurrentUser, TEST_RUN_KEY}}, {}, {}, SeedLinkedRunKey, CheckLinkedRunKey},
        {Twist::ReadOnlyRunKey, {}, {}, {{CurrentUser, TEST_RUN_KEY, "Mokta32"}, {CurrentUser, TEST_RUN_KEY, "Tqn32"}},
         SeedReadOnlyRunKey, CheckReadOnlyRunKey},
        {Twist::ReadOnlyClassKeys, {},
         [] {
             std::vector<StayingKey> keys;
             for (const char *key : ReadOnlyClassKeys)
                 keys.push_back({ClassesRoot, Wide(key), true});
             return keys;
         }(),
         {}, SeedReadOnlyClassKeys, CheckReadOnlyClassKeys},
    };
    return shapes;
}

const TwistShape &ShapeOf(Twist twist)
{
    for (const TwistShape &shape : Shapes())
        if (shape.twist == twist)
            return shape;
    return Shapes().front();  // every twist has its shape above
}

std::wstring UpperSnapshotPath(TestRoot root, const std::wstring &path) { return UpperCase(SnapshotPath(root, path)); }

bool AtOrBelow(const std::wstring &upperPath, const std::wstring &upperTop)
{
    return upperPath == upperTop || upperPath.compare(0, upperTop.size() + 1, upperTop + L"\\") == 0;
}

}  // namespace

bool IsTwisted(const Twists &twists, TestRoot root, const char *path)
{
    std::wstring upper = UpperSnapshotPath(root, Wide(path));
    for (Twist twist : twists)
        for (const TestKey &claimed : ShapeOf(twist).claimed)
            if (AtOrBelow(upper, UpperSnapshotPath(claimed.root, Wide(claimed.path))))
                return true;
    return false;
}

KeyStays PlannedKeyStays(const Twists &twists, const TestKey &key)
{
    std::wstring upper = UpperSnapshotPath(key.root, Wide(key.path));
    KeyStays stays = KeyStays::No;
    for (Twist twist : twists)
        for (const StayingKey &staying : ShapeOf(twist).staying)
            if (UpperSnapshotPath(staying.root, staying.path) == upper)
                stays = staying.whole ? KeyStays::Whole : (stays == KeyStays::Whole ? stays : KeyStays::Emptied);
    return stays;
}

bool PlannedValueStays(const Twists &twists, const TestValue &value)
{
    for (Twist twist : twists)
        for (const TestValue &staying : ShapeOf(twist).stayingValues)
            if (staying.root == value.root && lstrcmpiA(staying.path, value.path) == 0 &&
                lstrcmpiA(staying.name, value.name) == 0)
                return true;
    return false;
}

bool KeyStaysOnPartialRun(const Twists &twists, const std::wstring &upperSnapshotPath)
{
    for (Twist twist : twists)
        for (const StayingKey &staying : ShapeOf(twist).staying) {
            std::wstring top = UpperSnapshotPath(staying.root, staying.path);
            if (staying.whole ? AtOrBelow(upperSnapshotPath, top) : upperSnapshotPath == top)
                return true;
        }
    return false;
}

bool SeedTwists(const Twists &twists)
{
    bool ok = true;
    for (Twist twist : twists)
        ok = ShapeOf(twist).seed() && ok;
    return ok;
}

void CheckTwists(const Twists &twists, RegistryOutcome outcome)
{
    for (Twist twist : twists)
        ShapeOf(twist).check(outcome);
}
