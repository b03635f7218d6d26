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

class IntroDialog : public ProgramRun {};

TEST_F(IntroDialog, TheTemplateIsTheClassicOneWithFourControls)
{
    const Resource *resource = FindResource(RT_DIALOG, IDD_INTRO);
    ASSERT_NE(resource, nullptr);
    EXPECT_EQ(resource->language, 0x0409);
    ASSERT_EQ(DialogBoxParamA(ProgramModule, MAKEINTRESOURCEA(IDD_INTRO), nullptr, EndAtOnce, 0), IDCANCEL);

    const DialogRecord &dialog = machine.dialogs.at(0);
    EXPECT_EQ(dialog.style, 0x80C808C0u);
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_EQ(std::vector<short>({dialog.x, dialog.y, dialog.cx, dialog.cy}), std::vector<short>({0, 0, 187, 82}));
    EXPECT_EQ(dialog.caption, "WEXOR32");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.font, "MS Sans Serif");

    struct Expected {
        WORD id, classOrdinal;
        DWORD style;
        std::vector<short> rectangle;
        WORD iconOrdinal;
        const char *text;
    };
    const Expected controls[] = {
        {IDOK, 0x80, 0x50010001, {73, 61, 50, 14}, 0, "OK"},
        {IDCANCEL, 0x80, 0x50010000, {130, 61, 50, 14}, 0, "Storno"},
        {0xFFFF, 0x82, 0x50000003, {7, 13, 18, 20}, IDI_MAIN, ""},
        {IDC_INTRO_TEXT, 0x82, 0x50020000, {36, 13, 144, 39}, 0, ""},
    };
    ASSERT_EQ(dialog.controls.size(), std::size(controls));
    for (size_t i = 0; i < std::size(controls); ++i) {
        SCOPED_TRACE(i);
        const DialogControl &control = dialog.controls[i];
        EXPECT_EQ(control.id, controls[i].id);
        EXPECT_EQ(control.classOrdinal, controls[i].classOrdinal);
        EXPECT_EQ(control.style, controls[i].style);
        EXPECT_EQ(std::vector<short>({control.x, control.y, control.cx, control.cy}), controls[i].rectangle);
        EXPECT_EQ(control.iconOrdinal, controls[i].iconOrdinal);
        EXPECT_EQ(control.text, controls[i].text);
    }
}

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

struct LanguageCase {
    LCID locale;
    UINT codePage;
    const char *intro, *ok, *cancel;
};

TEST_F(IntroDialog, ShowsItsTextsInTheChosenLanguageAndNothingElseBeforeAnAnswer)
{
    const LanguageCase languages[] = {
        {0x0409, 1252,
         "This program deletes every information about MOKTA32 from registry.\n\nTo proceed, click OK.", "OK",
         "Cancel"},
        {0x0405, 1250,
         "Tento program ma\x9E\x65 v\x9A\x65\x63hny informace o programu MOKTA32 z registru.\n\n"
         "Pro pokra\xE8ov\xE1n\xED stiskn\xECte OK.",
         "OK", "Storno"},
    };
    for (const LanguageCase &c : languages) {
        SCOPED_TRACE(c.locale);
        SetUp();
        SeedFootprint();
        auto before = DumpRegistry();
        machine.userDefaultLocale = c.locale;
        machine.ansiCodePage = c.codePage;
        machine.dialogCommands = {IDCANCEL};

        EXPECT_EQ(RunWexor(), 0);

        ASSERT_EQ(machine.dialogs.size(), 1u);
        const DialogRecord &dialog = machine.dialogs[0];
        EXPECT_EQ(dialog.owner, GetDesktopWindow());
        EXPECT_EQ(dialog.caption, "WEXOR32");
        EXPECT_EQ(dialog.controls[3].text, c.intro);
        EXPECT_EQ(dialog.controls[0].text, c.ok);
        EXPECT_EQ(dialog.controls[1].text, c.cancel);
        // Cancelled: no box, the platform never looked at, the registry never touched.
        EXPECT_TRUE(machine.messageBoxes.empty());
        EXPECT_TRUE(machine.securityCalls.empty());
        EXPECT_EQ(ModuleInstance, nullptr);
        EXPECT_TRUE(machine.registryCalls.empty());
        EXPECT_EQ(DumpRegistry(), before);
    }
}

struct CommandCase {
    const char *name;
    std::deque<WPARAM> commands;
    std::vector<INT_PTR> handled;  // what the procedure answers each
    int status;
    bool cleanupRan;
};

TEST_F(IntroDialog, OnlyOkAndCancelEndIt)
{
    const CommandCase cases[] = {
        {"OK (or Enter)", {IDOK}, {TRUE}, 0, true},
        {"Cancel (or Escape, or the close box)", {IDCANCEL}, {TRUE}, 0, false},
        {"OK with a notification code in the high word", {0x00010000 | IDOK}, {TRUE}, 0, true},
        {"another control, then Cancel", {IDC_INTRO_TEXT, 999, IDCANCEL}, {FALSE, FALSE, TRUE}, 0, false},
        {"another control, then OK", {0xFFFF, IDOK}, {FALSE, TRUE}, 0, true},
    };
    for (const CommandCase &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        SeedFootprint();
        machine.dialogCommands = c.commands;

        EXPECT_EQ(RunWexor(), c.status);

        ASSERT_EQ(machine.dialogs.size(), 1u);
        EXPECT_EQ(machine.dialogs[0].commandResults, c.handled);
        EXPECT_EQ(machine.messageBoxes.size(), c.cleanupRan ? 2u : 0u);
        EXPECT_EQ(AnyPlannedEntryLeft(), !c.cleanupRan);
    }
}

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
    EXPECT_EQ(machine.messageBoxes[0].text, "Resource not found.");
    EXPECT_EQ(machine.messageBoxes[0].caption, "Error");
    // Half built: the intro text was already in place.
    EXPECT_EQ(machine.dialogs.at(0).controls[3].text.rfind("This program", 0), 0u);
    EXPECT_TRUE(machine.registryCalls.empty());
    EXPECT_TRUE(AllPlannedEntriesLeft());
}

}  // namespace
