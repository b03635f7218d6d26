// The run as a person meets it: question, removals, report, exit status.
#include "tests/host/program_run.h"

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
    const MessageBoxRecord &question = machine.messageBoxes[0], &report = machine.messageBoxes[1];
    EXPECT_EQ(question.owner, nullptr);
    EXPECT_EQ(question.text, Confirm);
    EXPECT_EQ(question.caption, "WEXOR32");
    EXPECT_EQ(question.type, 0x24u);
    EXPECT_EQ(report.owner, nullptr);
    EXPECT_EQ(report.text, Done);
    EXPECT_EQ(report.caption, "WEXOR32");
    EXPECT_EQ(report.type, 0x40u);
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
