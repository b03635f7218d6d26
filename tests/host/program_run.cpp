#include "tests/host/program_run.h"
#include "flow/texts.h"
#include "gate/gate.h"

#include <cstring>
#include <string>

using namespace standin;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

void ProgramRun::SetUp()
{
    ResetMachine();
    // What a new process starts with.
    LanguageOffset = 0;
    std::memset(TextBuffer, 0, sizeof TextBuffer);
    ModuleInstance = nullptr;
    IsWin95Family = FALSE;
}

int ProgramRun::RunWexor(const char *arguments)
{
    std::string commandLine = arguments;
    try {
        return WinMain(ProgramModule, nullptr, commandLine.data(), 1);
    } catch (const ProcessExit &exit) {
        return static_cast<int>(exit.status);
    }
}

void ExpectBox(const MessageBoxRecord &box, const std::string &text, UINT type)
{
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, "WEXOR32");
    EXPECT_EQ(box.type, type);
}

void UseFamily(Family family)
{
    machine.family = family;
    bool windows95 = family == Family::Windows95;
    machine.platformId = windows95 ? VER_PLATFORM_WIN32_WINDOWS : VER_PLATFORM_WIN32_NT;
    IsWin95Family = windows95;
}

HKEY RootOf(TestRoot root)
{
    const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
    return roots[root];
}

void SeedFootprint()
{
    for (const TestKey &key : PlannedKeys) {
        SetValue(RootOf(key.root), key.path, "", "planned");
        for (const char *subkey : PlannedSubtree)
            SetValue(RootOf(key.root), std::string(key.path) + "\\" + subkey, "Data", "planned");
    }
    for (const TestValue &value : PlannedValues)
        SetValue(RootOf(value.root), value.path, value.name, "planned");
    for (const TestKey &key : NeighbourKeys)
        SetValue(RootOf(key.root), key.path, "Keep", "neighbour");
    for (const TestValue &value : NeighbourValues)
        SetValue(RootOf(value.root), value.path, value.name, "neighbour");
}

static int PlannedEntriesLeft()
{
    int left = 0;
    for (const TestKey &key : PlannedKeys)
        left += KeyExists(RootOf(key.root), key.path);
    for (const TestValue &value : PlannedValues)
        left += ValueExists(RootOf(value.root), value.path, value.name);
    return left;
}

bool AnyPlannedEntryLeft()
{
    return PlannedEntriesLeft() > 0;
}

bool AllPlannedEntriesLeft()
{
    return PlannedEntriesLeft() == static_cast<int>(std::size(PlannedKeys) + std::size(PlannedValues));
}

bool AllNeighboursLeft()
{
    for (const TestKey &key : NeighbourKeys)
        if (!ValueExists(RootOf(key.root), key.path, "Keep"))
            return false;
    for (const TestValue &value : NeighbourValues)
        if (!ValueExists(RootOf(value.root), value.path, value.name))
            return false;
    return true;
}
