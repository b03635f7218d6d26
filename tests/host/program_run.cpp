#include "tests/host/program_run.h"
#include "flow/texts.h"
#include "gate/gate.h"

#include "cleanup/cleanup.h"

#include <algorithm>
#include <cctype>
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
    EXPECT_EQ(box.caption, Utf8(ExpectedCaption));
    EXPECT_EQ(box.type, type);
}

void UseFamily(Family family)
{
    machine.family = family;
    bool windows95 = family == Family::Windows95;
    machine.platformId = windows95 ? VER_PLATFORM_WIN32_WINDOWS : VER_PLATFORM_WIN32_NT;
}

void UseLanguage(Language language)
{
    machine.userDefaultLocale = language == Language::Czech ? 0x0405 : 0x0409;
    machine.ansiCodePage = language == Language::Czech ? 1250 : 1252;
}

std::string Utf8(const char16_t *text)
{
    return Utf8FromUtf16(text);
}

std::string Expected(ExpectedTextRow row, Language language)
{
    const ExpectedText &text = ExpectedTexts[row];
    return Utf8(language == Language::Czech ? text.czech : text.english);
}

std::string CaseName(const std::string &name)
{
    std::string cleaned;
    for (char c : name)
        cleaned += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return cleaned;
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

const char *const TestRootNames[3] = {"HKCR", "HKCU", "HKLM"};

static bool StartsWithNoCase(const std::string &text, const std::string &prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

bool IsPlannedLine(const std::string &line)
{
    for (const TestKey &key : PlannedKeys) {
        std::string path = std::string(TestRootNames[key.root]) + "\\" + key.path;
        if (StartsWithNoCase(line, path) && (line.size() == path.size() || line[path.size()] == '\\'))
            return true;
    }
    for (const TestValue &value : PlannedValues) {
        std::string entry = std::string(TestRootNames[value.root]) + "\\" + value.path + "\\[" + value.name + "]=";
        if (StartsWithNoCase(line, entry))
            return true;
    }
    return false;
}

void ExpectOnlyPlannedLinesGone(const std::vector<std::string> &before, const std::vector<std::string> &after,
                                bool allGone)
{
    for (const std::string &line : before) {
        auto kept = std::count(after.begin(), after.end(), line);
        if (!IsPlannedLine(line)) {
            EXPECT_EQ(kept, 1) << "outside the plan: " << line;
        } else if (allGone) {
            EXPECT_EQ(kept, 0) << "planned, still there: " << line;
        }
    }
    for (const std::string &line : after)
        EXPECT_EQ(std::count(before.begin(), before.end(), line), 1) << "appeared: " << line;
}

std::vector<std::string> RowsLeft()
{
    RowLeft left[200];
    int count = FindRowsLeft(left, 200);
    std::vector<std::string> lines;
    for (int i = 0; i < count && i < 200; ++i) {
        std::string line = std::string(left[i].place) + "\\" + left[i].path;
        if (left[i].valueName)
            line += " \"" + std::string(left[i].valueName) + "\"";
        lines.push_back(line);
    }
    return lines;
}
