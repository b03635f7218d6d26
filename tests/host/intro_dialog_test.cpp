// The introductory dialog: its template, its texts, and how it ends the run.
#include "tests/host/program_run.h"
#include "flow/texts.h"

#include <cstring>

using namespace standin;

namespace {

const WORD RT_ICON = 3, RT_DIALOG = 5, RT_GROUP_ICON = 14;

INT_PTR EndAtOnce(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG)
        EndDialog(dialog, IDCANCEL);
    return FALSE;
}

class IntroDialog : public ProgramRun {
protected:
    // The dialog made from the template, by a procedure that ends it at once.
    static const DialogRecord &OpenTemplate()
    {
        EXPECT_EQ(DialogBoxParamA(ProgramModule, MAKEINTRESOURCEA(IDD_INTRO), nullptr, EndAtOnce, 0), IDCANCEL);
        return machine.dialogs.at(0);
    }
};

TEST_F(IntroDialog, TheTemplateIsTheClassicOneWithFourControls)
{
    const Resource *resource = FindResource(RT_DIALOG, IDD_INTRO);
    ASSERT_NE(resource, nullptr);
    EXPECT_EQ(resource->language, 0x0409);

    const DialogRecord &dialog = OpenTemplate();
    EXPECT_EQ(dialog.style, 0x80C808C0u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(std::vector<short>({dialog.x, dialog.y, dialog.cx, dialog.cy}), std::vector<short>({0, 0, 187, 82}));
    EXPECT_EQ(dialog.caption, Utf8(ExpectedCaption));
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.font, "MS Sans Serif");
    EXPECT_EQ(dialog.controls.size(), 4u);
}

struct ControlCase {
    const char *name;
    size_t index;  // in creation and tab order
    WORD id, classOrdinal;
    DWORD style;
    std::vector<short> rectangle;
    WORD iconOrdinal;
    const char *text;
};

const ControlCase Controls[] = {
    {"OK button", 0, IDOK, 0x80, 0x50010001, {73, 61, 50, 14}, 0, "OK"},
    {"Cancel button", 1, IDCANCEL, 0x80, 0x50010000, {130, 61, 50, 14}, 0, "Storno"},
    {"icon", 2, 0xFFFF, 0x82, 0x50000003, {7, 13, 18, 20}, IDI_MAIN, ""},
    {"intro text", 3, IDC_INTRO_TEXT, 0x82, 0x50020000, {36, 13, 144, 39}, 0, ""},
};

class TemplateControl : public IntroDialog, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(TemplateControl, IsWhereAndWhatTheTemplateSays)
{
    const ControlCase &expected = GetParam();
    const DialogRecord &dialog = OpenTemplate();
    ASSERT_GT(dialog.controls.size(), expected.index);

    const DialogControl &control = dialog.controls[expected.index];
    EXPECT_EQ(control.id, expected.id);
    EXPECT_EQ(control.classOrdinal, expected.classOrdinal);
    EXPECT_EQ(control.style, expected.style);
    EXPECT_EQ(std::vector<short>({control.x, control.y, control.cx, control.cy}), expected.rectangle);
    EXPECT_EQ(control.iconOrdinal, expected.iconOrdinal);
    EXPECT_EQ(control.text, expected.text);
}

INSTANTIATE_TEST_SUITE_P(IntroDialog, TemplateControl, ::testing::ValuesIn(Controls), ByCaseName());

TEST_F(IntroDialog, TheIconIsOne32By32ImageIn16Colours)
{
    const Resource *group = FindResource(RT_GROUP_ICON, IDI_MAIN);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->language, 0x0400);
    // GRPICONDIR: reserved, type 1, one entry; the entry: 32, 32, 16 colours, ..., 4 bits, ..., id 1.
    ASSERT_EQ(group->data.size(), 6u + 14u);
    EXPECT_EQ(std::vector<BYTE>(group->data.begin(), group->data.begin() + 6), (std::vector<BYTE>{0, 0, 1, 0, 1, 0}));
    EXPECT_EQ(group->data[6], 32);
    EXPECT_EQ(group->data[7], 32);
    EXPECT_EQ(group->data[8], 16);
    EXPECT_EQ(group->data[12], 4);
    EXPECT_EQ(group->data[18], 1);
    const Resource *image = FindResource(RT_ICON, 1);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->language, 0x0400);
}

class InLanguage : public IntroDialog, public ::testing::WithParamInterface<Language> {};

TEST_P(InLanguage, ShowsItsTextsAndNothingElseBeforeAnAnswer)
{
    SeedFootprint();
    auto before = DumpRegistry();
    UseLanguage(GetParam());
    machine.dialogCommands = {IDCANCEL};

    EXPECT_EQ(RunWexor(), 0);

    ASSERT_EQ(machine.dialogs.size(), 1u);
    const DialogRecord &dialog = machine.dialogs[0];
    EXPECT_EQ(dialog.owner, GetDesktopWindow());
    EXPECT_EQ(dialog.caption, Utf8(ExpectedCaption));
    EXPECT_EQ(Utf8FromAnsi(dialog.controls[3].text), Expected(TextIntro, GetParam()));
    EXPECT_EQ(Utf8FromAnsi(dialog.controls[0].text), Expected(TextButtonOk, GetParam()));
    EXPECT_EQ(Utf8FromAnsi(dialog.controls[1].text), Expected(TextButtonCancel, GetParam()));
    // Cancelled: no box, the platform never looked at, the registry never touched.
    EXPECT_TRUE(machine.messageBoxes.empty());
    EXPECT_TRUE(machine.securityCalls.empty());
    EXPECT_EQ(ModuleInstance, nullptr);
    EXPECT_TRUE(machine.registryCalls.empty());
    EXPECT_EQ(DumpRegistry(), before);
}

INSTANTIATE_TEST_SUITE_P(IntroDialog, InLanguage, ::testing::Values(Language::English, Language::Czech),
                         [](const auto &info) { return info.param == Language::Czech ? "Czech" : "English"; });

// FALSE tells the dialog manager that the procedure set the focus itself;
// this one sets none, as its design has it.
TEST_F(IntroDialog, ItsInitialisationReturnsFalse)
{
    machine.dialogCommands = {IDCANCEL};

    RunWexor();

    ASSERT_EQ(machine.dialogs.size(), 1u);
    EXPECT_EQ(machine.dialogs[0].initResult, FALSE);
}

struct CommandCase {
    const char *name;
    std::deque<WPARAM> commands;
    std::vector<INT_PTR> handled;  // what the procedure answers each WM_COMMAND
    std::vector<INT_PTR> closes;   // and each WM_CLOSE
    int status;
    bool cleanupRan;
};

const CommandCase Commands[] = {
    {"OK (or Enter)", {IDOK}, {TRUE}, {}, 0, true},
    {"Cancel (or Escape)", {IDCANCEL}, {TRUE}, {}, 0, false},
    // Left to the dialog manager, which makes it Cancel.
    {"the close box", {DialogCloseBox}, {TRUE}, {FALSE}, 0, false},
    {"OK with a notification code in the high word", {0x00010000 | IDOK}, {TRUE}, {}, 0, true},
    {"another control, then Cancel", {IDC_INTRO_TEXT, 999, IDCANCEL}, {FALSE, FALSE, TRUE}, {}, 0, false},
    {"another control, then OK", {0xFFFF, IDOK}, {FALSE, TRUE}, {}, 0, true},
};

class Command : public IntroDialog, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(Command, OnlyOkAndCancelEndTheDialog)
{
    const CommandCase &c = GetParam();
    SeedFootprint();
    machine.dialogCommands = c.commands;

    EXPECT_EQ(RunWexor(), c.status);

    ASSERT_EQ(machine.dialogs.size(), 1u);
    EXPECT_EQ(machine.dialogs[0].commandResults, c.handled);
    EXPECT_EQ(machine.dialogs[0].closeResults, c.closes);
    EXPECT_EQ(machine.messageBoxes.size(), c.cleanupRan ? 2u : 0u);
    EXPECT_EQ(AnyPlannedEntryLeft(), !c.cleanupRan);
}

INSTANTIATE_TEST_SUITE_P(IntroDialog, Command, ::testing::ValuesIn(Commands), ByCaseName());

TEST_F(IntroDialog, ADialogThatCannotBeCreatedEndsTheRunSilentlyWithMinusOne)
{
    SeedFootprint();
    auto before = DumpRegistry();
    machine.dialogCreationFails = true;

    EXPECT_EQ(RunWexor(), -1);

    EXPECT_TRUE(machine.messageBoxes.empty());
    EXPECT_TRUE(machine.registryCalls.empty());
    EXPECT_EQ(DumpRegistry(), before);
}

TEST_F(IntroDialog, ATextMissingWhileItOpensEndsTheRunWithNothingRemoved)
{
    SeedFootprint();
    RemoveString(IDS_BUTTON_OK);

    EXPECT_EQ(RunWexor(), 1);

    ASSERT_EQ(machine.messageBoxes.size(), 1u);
    EXPECT_EQ(machine.messageBoxes[0].text, Utf8(ExpectedMissingText));
    EXPECT_EQ(machine.messageBoxes[0].caption, Utf8(ExpectedMissingCaption));
    // Half built: the intro text was already in place.
    EXPECT_EQ(machine.dialogs.at(0).controls[3].text, Expected(TextIntro, Language::English));
    EXPECT_TRUE(machine.registryCalls.empty());
    EXPECT_TRUE(AllPlannedEntriesLeft());
}

}  // namespace
