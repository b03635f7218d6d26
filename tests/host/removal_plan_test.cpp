// The whole plan against a registry holding the footprint and its look-alikes.
#include "tests/host/program_run.h"
#include "cleanup/cleanup.h"

#include <algorithm>

using namespace standin;

namespace {

const char *const RootNames[] = {"HKCR", "HKCU", "HKLM"};

bool StartsWithNoCase(const std::string &text, const std::string &prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

// Whether a line of DumpRegistry() lies in a planned tree or is a planned value.
bool IsPlanned(const std::string &line)
{
    for (const TestKey &key : PlannedKeys) {
        std::string path = std::string(RootNames[key.root]) + "\\" + key.path;
        if (StartsWithNoCase(line, path) && (line.size() == path.size() || line[path.size()] == '\\'))
            return true;
    }
    for (const TestValue &value : PlannedValues) {
        std::string entry = std::string(RootNames[value.root]) + "\\" + value.path + "\\[" + value.name + "]=";
        if (StartsWithNoCase(line, entry))
            return true;
    }
    return false;
}

class RemovalPlan : public ProgramRun {};

TEST_F(RemovalPlan, RemovesExactlyThePlannedEntries)
{
    SeedFootprint();
    auto before = DumpRegistry();

    RemoveProductFootprint();

    auto after = DumpRegistry();
    for (const std::string &line : before)
        EXPECT_EQ(std::count(after.begin(), after.end(), line), IsPlanned(line) ? 0 : 1) << line;
    for (const std::string &line : after)
        EXPECT_EQ(std::count(before.begin(), before.end(), line), 1) << "appeared: " << line;
    EXPECT_TRUE(machine.openKeys.empty());
}

TEST_F(RemovalPlan, RunsEveryRowOnceInOrder)
{
    SeedFootprint();

    RemoveProductFootprint();

    // A row starts with an open relative to a root; everything below it is relative to a handle.
    std::vector<std::string> rows;
    for (const RegistryCall &call : machine.registryCalls)
        if (call.function == "RegOpenKeyExA" && call.key.size() == 4)
            rows.push_back(call.key + "\\" + call.name);
        else if (call.function == "RegDeleteValueA")
            rows.back() += "\\[" + call.name + "]";
    std::vector<std::string> expected;
    for (const TestKey &key : PlannedKeys)
        expected.push_back(std::string(RootNames[key.root]) + "\\" + key.path);
    for (const TestValue &value : PlannedValues)
        expected.push_back(std::string(RootNames[value.root]) + "\\" + value.path + "\\[" + value.name + "]");
    EXPECT_EQ(rows, expected);
}

TEST_F(RemovalPlan, WithoutTheFootprintEveryRowIsOneFailedOpen)
{
    SetValue(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Other", "x");
    auto before = DumpRegistry();

    RemoveProductFootprint();

    EXPECT_EQ(DumpRegistry(), before);
    // The one key that exists gives an open, a failed value deletion and a close.
    EXPECT_EQ(machine.registryCalls.size(), 42u + 2 * 2);
}

TEST_F(RemovalPlan, AResistingKeyStaysAndTheNextRowsRunAnyway)
{
    SeedFootprint();
    FindKey(HKEY_CLASSES_ROOT, "XQMfile\\Sub A\\Deeper")->refuseDelete = true;

    RemoveProductFootprint();

    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "XQMfile\\Sub A\\Deeper"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "XQMfile\\Sub A\\Deeper\\Deepest"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "XQMfile\\Sub B"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".xqm"));
    EXPECT_FALSE(ValueExists(HKEY_CLASSES_ROOT, ".XLS", "Mokta32Rename"));
    EXPECT_TRUE(AllNeighboursLeft());
}

TEST_F(RemovalPlan, TheSettingsSubkeyRowCatchesWhatTheSettingsRowLeft)
{
    SeedFootprint();
    FindKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32")->refuseOpen = true;

    RemoveProductFootprint();

    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32\\Sub A"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32\\ZEPHA KEY"));
}

TEST_F(RemovalPlan, TheVendorKeysStayEvenWhenLeftEmpty)
{
    CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32\\ZEPHA KEY");
    CreateKey(HKEY_CURRENT_USER, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32");

    RemoveProductFootprint();

    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        RegistryKey *vendor = FindKey(root, "SOFTWARE\\KELBO SOFTWARE");
        ASSERT_NE(vendor, nullptr);
        EXPECT_TRUE(vendor->subkeys.empty());
    }
}

}  // namespace
