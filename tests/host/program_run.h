// Runs the program against a fresh stand-in machine, as a new process would.
#pragma once
#include "machine.h"
#include "tests/expected_texts.h"
#include "tests/footprint.h"

#include <gtest/gtest.h>

#include <string>

class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override;

    // WinMain as the start-up calls it; the status the process would end with.
    static int RunWexor(const char *arguments = "");
};

// A box of the main sequence: no owner, the program's caption, this text and style.
void ExpectBox(const standin::MessageBoxRecord &box, const std::string &text, UINT type);

// The whole machine of one family: its kernel, and what GetVersionExA
// reports there. The program finds the family itself, as WinMain runs.
void UseFamily(standin::Family family);

// The user's language: the default locale and the ANSI code page that go with it.
enum class Language { English, Czech };
void UseLanguage(Language language);
// A text of the table as the program should show it, in UTF-8.
std::string Expected(ExpectedTextRow row, Language language);
std::string Utf8(const char16_t *text);

// A case's name as GoogleTest takes it: letters and digits, anything else '_'.
std::string CaseName(const std::string &name);
// For INSTANTIATE_TEST_SUITE_P over cases that have a `name`.
struct ByCaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case> &info) const
    {
        return CaseName(info.param.name);
    }
};
HKEY RootOf(TestRoot root);
// The planned entries with a subtree under each key, and all neighbours.
void SeedFootprint();
bool AnyPlannedEntryLeft();
// The stand-in's short names of the roots, as DumpRegistry() and KeyPath() write them.
extern const char *const TestRootNames[3];
// Whether a line of DumpRegistry() lies in a planned tree, as the keys really
// lie and not through any link, or is a planned value.
bool IsPlannedLine(const std::string &line);
// Every line of `before` outside the plan is in `after`, and nothing new
// appeared; with `allGone`, every planned line of `before` is gone too.
void ExpectOnlyPlannedLinesGone(const std::vector<std::string> &before, const std::vector<std::string> &after,
                                bool allGone);
// What the check after the plan reports, one line a row, as the warning spells it.
std::vector<std::string> RowsLeft();
bool AllPlannedEntriesLeft();
bool AllNeighboursLeft();
