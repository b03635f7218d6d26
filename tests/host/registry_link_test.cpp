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
