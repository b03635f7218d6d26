#include "footprint_twists.h"
#include "registry_access.h"
#include "report.h"
#include <windows.h>

namespace {

const char TwistData[] = "seeded by a twist";
const char SeedValueName[] = "Seeded";

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

const TestKey OddNameHolder{CurrentUser, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32"};
// Cyrillic: outside both code pages the program runs under here, 1252 and 1250.
const wchar_t OddName[] = L"Ключ";

std::wstring Wide(const std::string &ascii) { return std::wstring(ascii.begin(), ascii.end()); }

bool SameKey(TestRoot root, const char *path, const TestKey &key)
{
    return root == key.root && lstrcmpiA(path, key.path) == 0;
}

bool SeedLink(const Link &link)
{
    HKEY key;
    LONG result = RegCreateKeyExW(RootKey(link.root), Wide(link.path).c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
                                  KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS) {
        // The target as the kernel names it, without a terminating zero.
        std::wstring target = L"\\Registry\\Machine\\" + Wide(link.target);
        result = RegSetValueExW(key, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE *>(target.data()),
                                static_cast<DWORD>(target.size() * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    if (result != ERROR_SUCCESS) {
        Fail("seeding the link " + Where(link.root, link.path) + ": error " + std::to_string(result));
        return false;
    }
    return link.dangling || WriteValue(LocalMachine, std::string(link.target) + InsideTarget, SeedValueName, TwistData);
}

// The target as it was: its tree kept, or still missing.
void ExpectTargetAsSeeded(const Link &link)
{
    if (link.dangling)
        ExpectKeyGone(LocalMachine, link.target);
    else
        ExpectValue(LocalMachine, std::string(link.target) + InsideTarget, SeedValueName, TwistData);
}

void ExpectLink(const Link &link)
{
    HKEY key;
    LONG result = RegOpenKeyExA(RootKey(link.root), link.path, REG_OPTION_OPEN_LINK, KEY_READ, &key);
    DWORD type = 0;
    if (result == ERROR_SUCCESS) {
        result = RegQueryValueExW(key, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr);
        RegCloseKey(key);
    }
    if (result != ERROR_SUCCESS || type != REG_LINK)
        Fail("the link " + Where(link.root, link.path) + " is gone or no longer a link (error " + std::to_string(result) + ")");
}

std::wstring OddPath() { return Wide(OddNameHolder.path) + L"\\" + OddName; }
std::string OddWhere() { return Where(OddNameHolder.root, OddNameHolder.path) + "\\" + Quoted(OddName); }

bool SeedOddName()
{
    HKEY key;
    LONG result = RegCreateKeyExW(RootKey(OddNameHolder.root), OddPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr);
    if (result == ERROR_SUCCESS) {
        result = RegSetValueExA(key, SeedValueName, 0, REG_SZ, reinterpret_cast<const BYTE *>(TwistData), sizeof TwistData);
        RegCloseKey(key);
    }
    if (result != ERROR_SUCCESS)
        Fail("seeding " + OddWhere() + ": error " + std::to_string(result));
    return result == ERROR_SUCCESS;
}

void CheckOddName(RegistryOutcome outcome)
{
    HKEY key;
    LONG result = RegOpenKeyExW(RootKey(OddNameHolder.root), OddPath().c_str(), 0, KEY_READ, &key);
    if (result == ERROR_SUCCESS)
        RegCloseKey(key);
    if (outcome == RegistryOutcome::Removed && result != ERROR_FILE_NOT_FOUND)
        Fail(OddWhere() + " is still there (or unreadable: " + std::to_string(result) + ")");
    if (outcome != RegistryOutcome::Removed && result != ERROR_SUCCESS)
        Fail(OddWhere() + " is gone (error " + std::to_string(result) + ")");
}

}  // namespace

bool IsTwisted(Twist twist, const TestKey &key)
{
    if (twist == Twist::Links)
        for (const Link &link : Links)
            if (SameKey(link.root, link.path, key))
                return true;
    return false;
}

bool HoldsOddName(const TestKey &key) { return SameKey(key.root, key.path, OddNameHolder); }

bool SeedTwist(Twist twist)
{
    bool ok = true;
    if (twist == Twist::Links)
        for (const Link &link : Links)
            ok = SeedLink(link) && ok;
    if (twist == Twist::NameOutsideCodePage)
        ok = SeedOddName();
    return ok;
}

void CheckTwist(Twist twist, RegistryOutcome outcome)
{
    if (twist == Twist::Links) {
        for (const Link &link : Links) {
            if (outcome == RegistryOutcome::Untouched)
                ExpectLink(link);
            else
                ExpectKeyGone(link.root, link.path);
            ExpectTargetAsSeeded(link);
        }
    }
    if (twist == Twist::NameOutsideCodePage)
        CheckOddName(outcome);
}
