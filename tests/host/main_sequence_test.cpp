// The run as a person meets it: question, removals, report, exit status.
#include "tests/host/program_run.h"
#include "cleanup/cleanup.h"

using namespace standin;

namespace {

const char *const Confirm = "Are you sure you want to delete everything about MOKTA32 from registry?";
const char *const Done = "Done. Everything about MOKTA32 was deleted from registry.";

class MainSequence : public ProgramRun {};

TEST_F(MainSequence, YesRemovesTheFootprintAndReportsCompletion)
{
    SeedFootprint();
    machine.messageBoxAnswers = {IDYES};

    EXPECT_EQ(RunWexor(), 0);

    ASSERT_EQ(machine.messageBoxes.size(), 2u);
    ExpectBox(machine.messageBoxes[0], Confirm, 0x24);
    ExpectBox(machine.messageBoxes[1], Done, 0x40);
    EXPECT_FALSE(AnyPlannedEntryLeft());
    EXPECT_TRUE(AllNeighboursLeft());
}

TEST_F(MainSequence, NoChangesNothingAndShowsNothingMore)
{
    SeedFootprint();
    auto before = DumpRegistry();
    machine.messageBoxAnswers = {IDNO};

    EXPECT_EQ(RunWexor(), 0);

    ASSERT_EQ(machine.messageBoxes.size(), 1u);
    EXPECT_EQ(machine.messageBoxes[0].text, Confirm);
    EXPECT_EQ(DumpRegistry(), before);
    EXPECT_TRUE(machine.registryCalls.empty());
}

TEST_F(MainSequence, CompletionIsShownEvenWhenNothingWasThere)
{
    SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other", "Keep");
    auto before = DumpRegistry();

    EXPECT_EQ(RunWexor(), 0);

    ASSERT_EQ(machine.messageBoxes.size(), 2u);
    EXPECT_EQ(machine.messageBoxes[1].text, Done);
    EXPECT_EQ(DumpRegistry(), before);
}

TEST_F(MainSequence, CommandLineArgumentsChangeNothing)
{
    for (const char *arguments : {"/?", "-s /quiet \"two words\"", "/uninstall HKLM\\SOFTWARE", "--no"}) {
        SCOPED_TRACE(arguments);
        SetUp();
        SeedFootprint();

        EXPECT_EQ(RunWexor(arguments), 0);

        ASSERT_EQ(machine.messageBoxes.size(), 2u);
        EXPECT_EQ(machine.messageBoxes[0].text, Confirm);
        EXPECT_EQ(machine.messageBoxes[1].text, Done);
        EXPECT_FALSE(AnyPlannedEntryLeft());
        EXPECT_TRUE(AllNeighboursLeft());
    }
}

}  // namespace

namespace {

const char *const Incomplete = "Some entries about MOKTA32 could not be deleted from registry.";

// Each leaves part of the footprint behind in its own way.
struct LeftoverCase {
    const char *name;
    std::function<void()> arrange;
};

const LeftoverCase Leftovers[] = {
    {"a subkey whose deletion is refused",
     [] { FindKey(HKEY_CLASSES_ROOT, "CLSID\\{7AC61F38-B297-11D1-A45E-00A0C93B61D2}\\Sub B")->refuseDelete = true; }},
    {"a planned key that cannot be opened",
     [] { FindKey(HKEY_CURRENT_USER, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32")->refuseOpen = true; }},
    {"a value's key that cannot be opened",
     [] { FindKey(HKEY_CLASSES_ROOT, ".DOC")->refuseOpen = true; }},
    // RegEnumKeyA gives "Sub ?" for it: that name opens nothing, so it stays.
    {"a subkey named outside the ANSI code page",
     [] { CreateKey(HKEY_CLASSES_ROOT, "Typelib\\{7AC61F2A-B297-11D1-A45E-00A0C93B61D2}\\Sub \xD0\x96"); }},
};

TEST_F(MainSequence, WhatIsLeftBehindIsReportedWithAWarningAndStatus2)
{
    for (const LeftoverCase &c : Leftovers) {
        SCOPED_TRACE(c.name);
        SetUp();
        SeedFootprint();
        c.arrange();

        EXPECT_EQ(RunWexor(), 2);

        ASSERT_EQ(machine.messageBoxes.size(), 2u);
        ExpectBox(machine.messageBoxes[1], Incomplete, 0x30);
        EXPECT_TRUE(AnyPlannedEntryLeft());
        EXPECT_TRUE(AllNeighboursLeft());
    }
}

TEST_F(MainSequence, TheWarningSpeaksCzechToo)
{
    SeedFootprint();
    FindKey(HKEY_CLASSES_ROOT, "XQMfile\\Sub B")->refuseDelete = true;
    machine.userDefaultLocale = 0x0405;
    machine.ansiCodePage = 1250;

    EXPECT_EQ(RunWexor(), 2);

    ASSERT_EQ(machine.messageBoxes.size(), 2u);
    EXPECT_EQ(Utf8FromAnsi(machine.messageBoxes[1].text), "Některé informace o MOKTA32 se nepodařilo smazat z registru.");
}

// How the check after the run judges a row that it finds in each state.
TEST_F(MainSequence, OnlyNotFoundCountsAsGone)
{
    const char *const ExtensionKey = ".BAT";
    struct JudgeCase {
        const char *name;
        std::function<void()> arrange;
        bool gone;
    };
    const JudgeCase cases[] = {
        {"nothing there", [] {}, true},
        {"the value's key without the value", [&] { SetValue(HKEY_CLASSES_ROOT, ExtensionKey, "Other"); }, true},
        {"the value there", [&] { SetValue(HKEY_CLASSES_ROOT, ExtensionKey, "Mokta32Rename"); }, false},
        {"the value's key refusing to open",
         [&] { CreateKey(HKEY_CLASSES_ROOT, ExtensionKey)->refuseOpen = true; }, false},
        {"a planned key there", [] { CreateKey(HKEY_CLASSES_ROOT, "Nuvex.Nuvex.1"); }, false},
        {"a planned key refusing to open", [] { CreateKey(HKEY_CLASSES_ROOT, "Nuvex.Nuvex.1")->refuseOpen = true; }, false},
        {"a planned key that is a dangling link", [] { CreateLink(HKEY_CLASSES_ROOT, "Nuvex.Nuvex.1", "HKLM\\Gone"); }, false},
    };
    for (const JudgeCase &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.arrange();
        EXPECT_EQ(IsFootprintGone() != FALSE, c.gone);
        EXPECT_TRUE(machine.openKeys.empty());
    }
}

}  // namespace
