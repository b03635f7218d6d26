// The tree walk: complete, leaves first, bounded, and sound when keys stay
// or another process changes the tree meanwhile.
#include "tests/host/program_run.h"
#include "cleanup/cleanup.h"

#include <algorithm>
#include <set>

using namespace standin;

namespace {

const char *const Tree = "Scratch\\Tree";

// A tree `depth` levels below its top key, `width` subkeys to a key, a value in each.
int BuildTree(const std::string &path, int depth, int width)
{
    SetValue(HKEY_CURRENT_USER, path, "Data", "x");
    int keys = 1;
    for (int i = 0; depth > 0 && i < width; ++i)
        keys += BuildTree(path + "\\Key" + std::to_string(i), depth - 1, width);
    return keys;
}

// A successful deletion: by name through the parent (Windows 95 family) or
// through the key's own handle (NT).
bool IsDeletion(const RegistryCall &call)
{
    return (call.function == "RegDeleteKeyA" || call.function == "NtDeleteKey") && call.result == 0;
}

int Deletions()
{
    return static_cast<int>(std::count_if(machine.registryCalls.begin(), machine.registryCalls.end(), IsDeletion));
}

// Each key's full path, once for every time the walk opened it.
std::multiset<std::string> OpenedKeys()
{
    std::multiset<std::string> opened;
    for (const RegistryCall &call : machine.registryCalls)
        if (call.function == "RegOpenKeyExA" && call.result == ERROR_SUCCESS)
            opened.insert(call.key + "\\" + call.name);
    return opened;
}

bool NoKeyOpenedTwice()
{
    std::multiset<std::string> opened = OpenedKeys();
    return std::set<std::string>(opened.begin(), opened.end()).size() == opened.size();
}

std::vector<std::string> KeysUnder(const std::string &path)
{
    std::vector<std::string> keys;
    for (const std::string &line : DumpRegistry())
        if (line.rfind("HKCU\\" + path, 0) == 0 && line.find('[') == std::string::npos)
            keys.push_back(line.substr(5));
    return keys;
}

class DeleteKeyTreeTest : public ProgramRun, public ::testing::WithParamInterface<Family> {
protected:
    void SetUp() override
    {
        ProgramRun::SetUp();
        UseFamily(GetParam());
        SetValue(HKEY_CURRENT_USER, "Scratch", "Keep", "x");
    }
};

TEST_P(DeleteKeyTreeTest, RemovesADeepWideTreeLeavesFirstWithinFiveCallsAKey)
{
    int keys = BuildTree(Tree, 4, 3);

    EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, Tree));

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Tree));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, "Scratch", "Keep"));
    // Every key's own deletion worked, so none was asked to go before its subkeys.
    EXPECT_EQ(Deletions(), keys);
    // Open, two enumerations, close, delete.
    EXPECT_LE(machine.registryCalls.size(), 5u * keys);
    EXPECT_TRUE(machine.openKeys.empty());
    EXPECT_TRUE(NoKeyOpenedTwice());
}

TEST_P(DeleteKeyTreeTest, AnAbsentKeyIsOneFailedOpen)
{
    auto before = DumpRegistry();

    EXPECT_FALSE(DeleteKeyTree(HKEY_CURRENT_USER, Tree));

    EXPECT_EQ(DumpRegistry(), before);
    ASSERT_EQ(machine.registryCalls.size(), 1u);
    EXPECT_EQ(machine.registryCalls[0].result, ERROR_FILE_NOT_FOUND);
}

TEST_P(DeleteKeyTreeTest, AKeyThatCannotBeOpenedIsLeftAsItIs)
{
    BuildTree(Tree, 2, 2);
    FindKey(HKEY_CURRENT_USER, Tree)->grantedAccess = 0;
    auto before = DumpRegistry();

    EXPECT_FALSE(DeleteKeyTree(HKEY_CURRENT_USER, Tree));

    EXPECT_EQ(DumpRegistry(), before);
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, DeleteKeyTreeTest, ::testing::Values(Family::NT, Family::Windows95),
                         [](const auto &info) { return info.param == Family::NT ? "NT" : "Windows95"; });

// Tree: A{A1, A2{X}, A3}, B. One key in it resists; what stays depends on the family.
struct ResistingKeyCase {
    const char *name;
    Family family;
    bool refuseOpen;  // else its deletion is refused
    std::vector<std::string> left;
};

const ResistingKeyCase ResistingKeys[] = {
    {"NT, refused deletion: it and its ancestors stay", Family::NT, false,
     {"Scratch\\Tree", "Scratch\\Tree\\A", "Scratch\\Tree\\A\\A2"}},
    {"95, refused deletion: its parent takes it along", Family::Windows95, false, {}},
    {"NT, refused open: it stays whole", Family::NT, true,
     {"Scratch\\Tree", "Scratch\\Tree\\A", "Scratch\\Tree\\A\\A2", "Scratch\\Tree\\A\\A2\\X"}},
    {"95, refused open: its parent takes it along", Family::Windows95, true, {}},
};

class ResistingKey : public ProgramRun, public ::testing::WithParamInterface<ResistingKeyCase> {};

TEST_P(ResistingKey, SiblingsGoAndTheWalkEnds)
{
    const ResistingKeyCase &c = GetParam();
    UseFamily(c.family);
    for (const char *key : {"A\\A1", "A\\A2\\X", "A\\A3", "B"})
        CreateKey(HKEY_CURRENT_USER, std::string(Tree) + "\\" + key);
    RegistryKey *resisting = FindKey(HKEY_CURRENT_USER, "Scratch\\Tree\\A\\A2");
    if (c.refuseOpen)
        resisting->grantedAccess = 0;
    else
        resisting->refuseDelete = true;

    EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, Tree));

    EXPECT_EQ(KeysUnder(Tree), c.left);
    EXPECT_TRUE(machine.openKeys.empty());
    EXPECT_EQ(OpenedKeys().count("HKCU\\Scratch\\Tree\\A\\A2"), c.refuseOpen ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(DeleteKeyTree, ResistingKey, ::testing::ValuesIn(ResistingKeys), ByCaseName());

// Another process acts once, right after the walk's first successful deletion.
struct InterferenceCase {
    const char *name;
    Family family;
    std::function<void()> act;
};

const InterferenceCase Interferences[] = {
    {"removes a subkey not yet reached", Family::NT, [] { RemoveTree(HKEY_CURRENT_USER, "Scratch\\Tree\\C"); }},
    {"adds a subkey that sorts last", Family::NT, [] { CreateKey(HKEY_CURRENT_USER, "Scratch\\Tree\\Z\\Z1"); }},
    {"adds a subkey that sorts first", Family::NT, [] { CreateKey(HKEY_CURRENT_USER, "Scratch\\Tree\\0"); }},
    {"adds a subkey deeper down", Family::NT, [] { CreateKey(HKEY_CURRENT_USER, "Scratch\\Tree\\B\\B9"); }},
    {"adds a subkey, 95 order", Family::Windows95, [] { CreateKey(HKEY_CURRENT_USER, "Scratch\\Tree\\0"); }},
    {"removes a subkey, 95 order", Family::Windows95, [] { RemoveTree(HKEY_CURRENT_USER, "Scratch\\Tree\\C"); }},
};

class AnotherProcess : public ProgramRun, public ::testing::WithParamInterface<InterferenceCase> {};

TEST_P(AnotherProcess, ChangingTheTreeMidWalkNeitherSkipsNorRepeats)
{
    const InterferenceCase &c = GetParam();
    UseFamily(c.family);
    for (const char *key : {"A\\A1", "A\\A2", "B\\B1", "C\\C1", "D"})
        CreateKey(HKEY_CURRENT_USER, std::string(Tree) + "\\" + key);
    bool acted = false;
    machine.afterRegistryCall = [&](const RegistryCall &call) {
        if (!acted && IsDeletion(call)) {
            acted = true;
            c.act();
        }
    };

    EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, Tree));

    EXPECT_TRUE(acted);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Tree));
    EXPECT_TRUE(NoKeyOpenedTwice());
}

INSTANTIATE_TEST_SUITE_P(DeleteKeyTree, AnotherProcess, ::testing::ValuesIn(Interferences), ByCaseName());

}  // namespace

namespace {

// Shapes at the registry's limits, each built under the scratch tree.
struct ShapeCase {
    const char *name;
    std::function<void()> build;
};

const ShapeCase Shapes[] = {
    {"names of 255 characters",
     [] {
         std::string longName(255, 'N');
         CreateKey(HKEY_CURRENT_USER, std::string(Tree) + "\\" + longName + "\\" + longName);
         CreateKey(HKEY_CURRENT_USER, std::string(Tree) + "\\" + std::string(254, 'M'));
     }},
    // The deepest NT holds: 512 levels below HKCU, the last 511 below the tree's top.
    {"as deep as the registry goes",
     [] {
         RegistryKey *key = CreateKey(HKEY_CURRENT_USER, Tree);
         for (int level = 3; level <= MaxTreeDepth; ++level)
             key = CreateKey(HKEY_CURRENT_USER, KeyPath(key).substr(5) + "\\L" + std::to_string(level));
     }},
    {"10,000 siblings",
     [] {
         for (int i = 0; i < 10000; ++i)
             CreateKey(HKEY_CURRENT_USER, std::string(Tree) + "\\Sibling" + std::to_string(i));
     }},
};

class HardShapes : public ProgramRun, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(HardShapes, AreRemovedWholeAndNothingElse)
{
    SetValue(HKEY_CURRENT_USER, "Scratch\\Beside", "Keep", "x");
    GetParam().build();
    size_t keys = KeysUnder(Tree).size();

    EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, Tree));

    EXPECT_TRUE(KeysUnder(Tree).empty());
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, "Scratch\\Beside", "Keep"));
    EXPECT_EQ(Deletions(), static_cast<int>(keys));
    EXPECT_TRUE(machine.openKeys.empty());
}

INSTANTIATE_TEST_SUITE_P(DeleteKeyTree, HardShapes, ::testing::ValuesIn(Shapes), ByCaseName());

}  // namespace
