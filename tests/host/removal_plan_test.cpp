// The whole plan against a registry holding the footprint and its look-alikes.
#include "tests/host/program_run.h"
#include "cleanup/cleanup.h"
#include "cleanup/registry_place.h"

#include <algorithm>

using namespace standin;

namespace {

class RemovalPlan : public ProgramRun {};

TEST_F(RemovalPlan, RemovesExactlyThePlannedEntries)
{
    SeedFootprint();
    auto before = DumpRegistry();

    RemoveProductFootprint();

    ExpectOnlyPlannedLinesGone(before, DumpRegistry(), true);
    EXPECT_TRUE(machine.openKeys.empty());
}

bool IsPlannedKeyPath(const std::string &path)
{
    for (const TestKey &key : PlannedKeys)
        if (path == std::string(TestRootNames[key.root]) + "\\" + key.path)
            return true;
    return false;
}

TEST_F(RemovalPlan, RunsEveryRowOnceInOrder)
{
    SeedFootprint();

    RemoveProductFootprint();

    // Key rows by the first open of each planned key (row 4's key is first
    // reached by row 3's walk, just before it), then the value deletions.
    std::vector<std::string> keyRows, valueRows;
    for (const RegistryCall &call : machine.registryCalls) {
        std::string opened = call.key + "\\" + call.name;
        if (call.function == "RegOpenKeyExA" && IsPlannedKeyPath(opened) &&
            std::find(keyRows.begin(), keyRows.end(), opened) == keyRows.end()) {
            EXPECT_TRUE(valueRows.empty()) << "key row after a value row: " << opened;
            keyRows.push_back(opened);
        }
        if (call.function == "RegDeleteValueA")
            valueRows.push_back(call.key + "\\[" + call.name + "]");
    }
    std::vector<std::string> expectedKeys, expectedValues;
    for (const TestKey &key : PlannedKeys)
        expectedKeys.push_back(std::string(TestRootNames[key.root]) + "\\" + key.path);
    for (const TestValue &value : PlannedValues)
        expectedValues.push_back(std::string(TestRootNames[value.root]) + "\\" + value.path + "\\[" + value.name + "]");
    EXPECT_EQ(keyRows, expectedKeys);
    EXPECT_EQ(valueRows, expectedValues);
}

TEST_F(RemovalPlan, WithoutTheFootprintNothingIsDeleted)
{
    SetValue(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Other", "x");
    auto before = DumpRegistry();

    RemoveProductFootprint();

    EXPECT_EQ(DumpRegistry(), before);
    // Every row stops at its first missing key, but the two whose key exists.
    auto failedOpens = std::count_if(machine.registryCalls.begin(), machine.registryCalls.end(), [](const auto &call) {
        return call.function == "RegOpenKeyExA" && call.result == ERROR_FILE_NOT_FOUND;
    });
    EXPECT_EQ(failedOpens, 40);
    for (const RegistryCall &call : machine.registryCalls) {
        EXPECT_NE(call.function, "NtDeleteKey");
        EXPECT_NE(call.function, "RegDeleteKeyA");
        if (call.function == "RegDeleteValueA") {
            EXPECT_EQ(call.result, ERROR_FILE_NOT_FOUND);
        }
    }
    EXPECT_TRUE(machine.openKeys.empty());
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
    FindKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32")->grantedAccess = 0;

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

namespace {

// A single value's removal: TRUE only when the value went; its key always stays.
struct ValueRemovalCase {
    const char *name;
    std::function<void()> arrange;
    BOOL deleted;
    bool valueLeft;
};

const char *const ValueKey = "SOFTWARE\\Scratch\\Run";

const ValueRemovalCase ValueRemovals[] = {
    {"the value there, alone", [] { SetValue(HKEY_LOCAL_MACHINE, ValueKey, "Mokta32", "x"); }, TRUE, false},
    {"the value beside another",
     [] {
         SetValue(HKEY_LOCAL_MACHINE, ValueKey, "Mokta32", "x");
         SetValue(HKEY_LOCAL_MACHINE, ValueKey, "Other", "x");
     },
     TRUE, false},
    {"the key without the value", [] { SetValue(HKEY_LOCAL_MACHINE, ValueKey, "Other", "x"); }, FALSE, false},
    {"no key", [] { CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Scratch"); }, FALSE, false},
    {"a key that cannot be opened",
     [] {
         SetValue(HKEY_LOCAL_MACHINE, ValueKey, "Mokta32", "x");
         FindKey(HKEY_LOCAL_MACHINE, ValueKey)->grantedAccess = KEY_READ;
     },
     FALSE, true},
};

class ValueRemoval : public ProgramRun, public ::testing::WithParamInterface<ValueRemovalCase> {};

TEST_P(ValueRemoval, SaysWhetherTheValueWent)
{
    const RegistryPlace machinePlace = {HKEY_LOCAL_MACHINE, FALSE, "HKEY_LOCAL_MACHINE"};
    GetParam().arrange();
    bool keyThere = KeyExists(HKEY_LOCAL_MACHINE, ValueKey);

    EXPECT_EQ(DeleteRegistryValue(machinePlace, ValueKey, "Mokta32"), GetParam().deleted);

    EXPECT_EQ(ValueExists(HKEY_LOCAL_MACHINE, ValueKey, "Mokta32"), GetParam().valueLeft);
    EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, ValueKey), keyThere);
    EXPECT_TRUE(machine.openKeys.empty());
}

INSTANTIATE_TEST_SUITE_P(RemovalPlan, ValueRemoval, ::testing::ValuesIn(ValueRemovals), ByCaseName());

}  // namespace
