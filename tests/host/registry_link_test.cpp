// Links planted in or as planned keys: removed as themselves, never followed.
#include "tests/host/program_run.h"
#include "cleanup/cleanup.h"

#include <algorithm>

using namespace standin;

namespace {

std::vector<std::string> LinesUnder(const std::string &prefix)
{
    std::vector<std::string> lines;
    for (const std::string &line : DumpRegistry())
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line);
    return lines;
}

struct LinkCase {
    const char *name;
    HKEY root;
    const char *link;    // where the link is planted
    const char *target;  // what it names
};

const LinkCase Links[] = {
    {"below a planned key, to a tree elsewhere", HKEY_CURRENT_USER, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32\\Evil",
     "HKLM\\SOFTWARE\\Precious"},
    {"below a planned key, to a single key elsewhere", HKEY_CLASSES_ROOT, "XQMfile\\Sub A\\Evil",
     "HKLM\\SOFTWARE\\Precious\\Leaf"},
    {"as a planned key itself", HKEY_CLASSES_ROOT, "Mokta32", "HKLM\\SOFTWARE\\Precious"},
    {"as a planned key, to the vendor key", HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MOKTA.EXE",
     "HKLM\\SOFTWARE\\KELBO SOFTWARE"},
    {"dangling, its target gone", HKEY_CURRENT_USER, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32\\Sub B\\Evil",
     "HKLM\\SOFTWARE\\Gone"},
};

class RegistryLink : public ProgramRun, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(RegistryLink, GoesAloneAndItsTargetStaysWhole)
{
    const LinkCase &c = GetParam();
    SeedFootprint();
    SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Precious\\A\\B", "Data", "precious");
    SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Precious\\Leaf", "Data", "precious");
    RemoveTree(HKEY_CLASSES_ROOT, "Mokta32");
    RemoveTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MOKTA.EXE");
    CreateLink(c.root, c.link, c.target);
    auto precious = LinesUnder("HKLM\\SOFTWARE\\Precious");
    auto vendor = LinesUnder("HKLM\\SOFTWARE\\KELBO SOFTWARE\\OTHER");

    RemoveProductFootprint();

    EXPECT_EQ(LinesUnder("HKLM\\SOFTWARE\\Precious"), precious);
    EXPECT_EQ(LinesUnder("HKLM\\SOFTWARE\\KELBO SOFTWARE\\OTHER"), vendor);
    EXPECT_TRUE(AllNeighboursLeft());
    EXPECT_FALSE(KeyExists(c.root, c.link));
    EXPECT_EQ(FindRowsLeft(nullptr, 0), 0);
    EXPECT_TRUE(machine.openKeys.empty());
}

INSTANTIATE_TEST_SUITE_P(PlantedLinks, RegistryLink, ::testing::ValuesIn(Links), ByCaseName());

}  // namespace

namespace {

// Links that only an administrator, or the system itself, can make: where the
// registry is not the user's to write, they are followed as Windows means
// them to be, and the rows behind them are removed and checked through them.
struct SystemLinkCase {
    const char *name;
    bool merged;           // HKCR merges the user's classes over the machine's
    HKEY root;
    const char *link;      // on the way to planned keys, made before they are
    const char *target;
    std::vector<TestKey> reached;  // planned keys that lie behind it
    // Whether the check after the plan finds nothing left. Seen through a
    // merged HKCR, a link in the machine's half cannot be told from one the
    // user planted, so the check refuses it there and reports its rows.
    bool reportsNothing;
};

const SystemLinkCase SystemLinks[] = {
    {"under HKLM, above two rows", false, HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths",
     "HKLM\\SOFTWARE\\Shared\\App Paths",
     {{LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MOKTA.EXE"},
      {LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MOKTA32.EXE"}},
     true},
    {"in the machine's own HKCR, before the merge", false, HKEY_CLASSES_ROOT, "Interface", "HKCR\\SharedInterface",
     {{ClassesRoot, "Interface\\{7AC61F38-B297-11D1-A45E-00A0C93B61D2}"},
      {ClassesRoot, "Interface\\{c2e4b76d-e8a1-11D1-9b07-00805f3ae9c8}"}},
     true},
    {"in the machine's half of a merged HKCR", true, HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\Interface",
     "HKCR\\SharedInterface",
     {{ClassesRoot, "Interface\\{7AC61F38-B297-11D1-A45E-00A0C93B61D2}"},
      {ClassesRoot, "Interface\\{c2e4b76d-e8a1-11D1-9b07-00805f3ae9c8}"}},
     false},
};

class SystemLink : public ProgramRun, public ::testing::WithParamInterface<SystemLinkCase> {};

TEST_P(SystemLink, IsFollowedToTheRowsBehindIt)
{
    const SystemLinkCase &c = GetParam();
    if (c.merged)
        UsePerUserClasses();
    std::string target = c.target;
    CreateKey(target.rfind("HKLM\\", 0) == 0 ? HKEY_LOCAL_MACHINE : HKEY_CLASSES_ROOT, target.substr(5));
    CreateLink(c.root, c.link, c.target);
    SeedFootprint();

    RemoveProductFootprint();

    for (const TestKey &key : c.reached)
        EXPECT_FALSE(KeyExists(RootOf(key.root), key.path)) << key.path;
    EXPECT_TRUE(KeyExists(c.root, c.link));
    if (c.reportsNothing) {
        EXPECT_EQ(FindRowsLeft(nullptr, 0), 0);
    }
    EXPECT_FALSE(AnyPlannedEntryLeft());
    EXPECT_TRUE(AllNeighboursLeft());
    EXPECT_TRUE(machine.openKeys.empty());
}

INSTANTIATE_TEST_SUITE_P(PlantedLinks, SystemLink, ::testing::ValuesIn(SystemLinks), ByCaseName());

}  // namespace
