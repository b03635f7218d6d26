// The tree walk: complete, leaves first, bounded, and sound when keys stay
// or another process changes the tree meanwhile.
#include "tests/host/program_run.h"
#include "cleanup/cleanup.h"

#include <algorithm>
#include <set>
#include <stdexcept>

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

namespace {

// Keys that stay after their own removal, side by side under one parent:
// the walk must pass over each once and go on to the next.
struct SurvivorsCase {
    const char *name;
    std::vector<std::string> survivors;  // among A, B, C, D, E
};

const SurvivorsCase SurvivorCases[] = {
    {"two at the start", {"A", "B"}},
    {"two in the middle", {"B", "C"}},
    {"two at the end", {"D", "E"}},
    {"three apart", {"A", "C", "E"}},
    {"all five", {"A", "B", "C", "D", "E"}},
};

struct SurvivorsRun {
    SurvivorsCase survivors;
    Family family;
    std::string name;
};

std::vector<SurvivorsRun> SurvivorsRuns()
{
    std::vector<SurvivorsRun> runs;
    for (Family family : {Family::NT, Family::Windows95})
        for (const SurvivorsCase &c : SurvivorCases)
            runs.push_back({c, family, std::string(family == Family::NT ? "NT_" : "Windows95_") + c.name});
    return runs;
}

// Far beyond what a walk of this tree makes: a walk that gets here does not end.
const size_t SurvivorsCallBound = 2000;

class Survivors : public ProgramRun, public ::testing::WithParamInterface<SurvivorsRun> {};

TEST_P(Survivors, ArePassedOverOnceEachAndTheWalkEnds)
{
    UseFamily(GetParam().family);
    const std::vector<std::string> &survivors = GetParam().survivors.survivors;
    for (const char *name : {"A", "B", "C", "D", "E"})
        CreateKey(HKEY_CURRENT_USER, std::string(Tree) + "\\" + name + "\\Inner");
    for (const std::string &name : survivors)
        FindKey(HKEY_CURRENT_USER, std::string(Tree) + "\\" + name)->refuseDelete = true;
    machine.afterRegistryCall = [](const RegistryCall &) {
        if (machine.registryCalls.size() > SurvivorsCallBound)
            throw std::runtime_error("the walk does not end");
    };

    EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, Tree));

    // NT keeps the survivors and so their parent; the 95 family's deletion
    // by name takes them along with it.
    std::vector<std::string> left;
    if (GetParam().family == Family::NT) {
        left.push_back(Tree);
        for (const std::string &name : survivors)
            left.push_back(std::string(Tree) + "\\" + name);
    }
    EXPECT_EQ(KeysUnder(Tree), left);
    for (const char *name : {"A", "B", "C", "D", "E"})
        EXPECT_EQ(OpenedKeys().count("HKCU\\" + std::string(Tree) + "\\" + name), 1u) << name;
    EXPECT_TRUE(NoKeyOpenedTwice());
    EXPECT_TRUE(machine.openKeys.empty());
}

INSTANTIATE_TEST_SUITE_P(DeleteKeyTree, Survivors, ::testing::ValuesIn(SurvivorsRuns()), ByCaseName());

// Every key the walk opens, it opens with full access, as its design has it;
// a key that grants anything less (here, all but KEY_CREATE_LINK) is not
// opened: on NT it stays whole, on the 95 family its parent takes it along.
class WalkAccess : public ProgramRun, public ::testing::WithParamInterface<Family> {};

TEST_P(WalkAccess, IsFullAccessAndNothingLess)
{
    UseFamily(GetParam());
    BuildTree(Tree, 2, 2);
    FindKey(HKEY_CURRENT_USER, "Scratch\\Tree\\Key1")->grantedAccess = KEY_ALL_ACCESS & ~KEY_CREATE_LINK;

    EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, Tree));

    int opens = 0;
    for (const RegistryCall &call : machine.registryCalls)
        if (call.function == "RegOpenKeyExA") {
            ++opens;
            EXPECT_EQ(call.access, static_cast<REGSAM>(KEY_ALL_ACCESS)) << call.key << "\\" << call.name;
        }
    EXPECT_GT(opens, 1);
    EXPECT_EQ(OpenedKeys().count("HKCU\\Scratch\\Tree\\Key1\\Key0"), 0u);
    EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, "Scratch\\Tree\\Key1\\Key0"), GetParam() == Family::NT);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Scratch\\Tree\\Key0"));
}

INSTANTIATE_TEST_SUITE_P(DeleteKeyTree, WalkAccess, ::testing::Values(Family::NT, Family::Windows95),
                         [](const auto &info) { return info.param == Family::NT ? "NT" : "Windows95"; });

// The Windows 95 family deletes a key by name through its parent: each key is
// closed before that, so that no handle of the walk's is open to a key it deletes.
TEST_F(ProgramRun, OnThe95FamilyEachKeyIsClosedBeforeItsParentDeletesIt)
{
    UseFamily(Family::Windows95);
    int keys = BuildTree(Tree, 2, 3);

    EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, Tree));

    int deletions = 0;
    const auto &calls = machine.registryCalls;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].function != "RegDeleteKeyA")
            continue;
        ++deletions;
        std::string key = calls[i].key + "\\" + calls[i].name;
        // The last call that named this key before its deletion closed it.
        auto last = std::find_if(calls.rbegin() + (calls.size() - i), calls.rend(), [&](const RegistryCall &call) {
            return call.key == key || call.key + "\\" + call.name == key;
        });
        ASSERT_NE(last, calls.rend()) << key;
        EXPECT_EQ(last->function, "RegCloseKey") << key;
    }
    EXPECT_EQ(deletions, keys);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Tree));
}

// The 95 family sets the registry no depth that the walk could rely on:
// below 512 levels it opens nothing, and deleting by name takes the rest along.
TEST_F(ProgramRun, OnThe95FamilyTheWalkGoesNoDeeperThan512Levels)
{
    UseFamily(Family::Windows95);
    std::string path = Tree;
    RegistryKey *key = CreateKey(HKEY_CURRENT_USER, path);
    for (int level = 1; level < 600; ++level)
        key = CreateKey(HKEY_CURRENT_USER, KeyPath(key).substr(5) + "\\L" + std::to_string(level));

    EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, Tree));

    size_t deepest = 0, opened = 0;
    for (const RegistryCall &call : machine.registryCalls)
        if (call.function == "RegOpenKeyExA" && call.result == ERROR_SUCCESS) {
            ++opened;
            std::string full = call.key + "\\" + call.name;
            deepest = std::max(deepest, static_cast<size_t>(std::count(full.begin(), full.end(), '\\')));
        }
    // HKCU\Scratch\Tree is 2 levels down; the walk's 512th level is 511 below it.
    EXPECT_EQ(opened, 512u);
    EXPECT_EQ(deepest, 2u + 511u);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Tree));
    EXPECT_TRUE(machine.openKeys.empty());
}

}  // namespace
