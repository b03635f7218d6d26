// Language choice and text loading, as the message boxes show them.
#include "tests/host/program_run.h"
#include "flow/texts.h"

#include <iconv.h>

using namespace standin;

namespace {

// What a box showed, back in UTF-8, so that expectations read as text.
std::string FromCodePage(const std::string &ansi, UINT codePage)
{
    std::string from = "CP" + std::to_string(codePage);
    iconv_t converter = iconv_open("UTF-8", from.c_str());
    std::string in = ansi, out(ansi.size() * 4, '\0');
    char *inAt = in.data(), *outAt = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    iconv_close(converter);
    out.resize(out.size() - outLeft);
    return out;
}

struct LocaleCase {
    const char *name;
    LCID locale;
    UINT codePage;
    Language language;
};

const LocaleCase Locales[] = {
    {"Czech", 0x0405, 1250, Language::Czech},
    {"English (United States)", 0x0409, 1252, Language::English},
    // Slovak, and Czech's neighbours by number: only the whole id 0x0405 is Czech.
    {"Slovak", 0x041B, 1250, Language::English},
    {"primary language Czech, another sublanguage", 0x0805, 1250, Language::English},
};

class Texts : public ProgramRun {};

class Locale : public ProgramRun, public ::testing::WithParamInterface<LocaleCase> {};

TEST_P(Locale, TheUserDefaultLocalePicksTheLanguage)
{
    machine.userDefaultLocale = GetParam().locale;
    machine.ansiCodePage = GetParam().codePage;

    EXPECT_EQ(RunWexor(), 0);

    ASSERT_EQ(machine.messageBoxes.size(), 2u);
    EXPECT_EQ(FromCodePage(machine.messageBoxes[0].text, GetParam().codePage), Expected(TextConfirm, GetParam().language));
    EXPECT_EQ(FromCodePage(machine.messageBoxes[1].text, GetParam().codePage), Expected(TextDone, GetParam().language));
    EXPECT_EQ(machine.messageBoxes[1].caption, Utf8(ExpectedCaption));
}

INSTANTIATE_TEST_SUITE_P(Texts, Locale, ::testing::ValuesIn(Locales), ByCaseName());

TEST_F(Texts, AMissingTextEndsTheRunAfterTheRemovalsAlreadyDone)
{
    SeedFootprint();
    machine.userDefaultLocale = 0x0405;
    RemoveString(IDS_DONE + 1000);

    EXPECT_EQ(RunWexor(), 1);

    ASSERT_EQ(machine.messageBoxes.size(), 2u);
    const MessageBoxRecord &error = machine.messageBoxes[1];
    EXPECT_EQ(error.owner, nullptr);
    EXPECT_EQ(error.text, Utf8(ExpectedMissingText));
    EXPECT_EQ(error.caption, Utf8(ExpectedMissingCaption));
    EXPECT_EQ(error.type, 0x10u);
    EXPECT_FALSE(AnyPlannedEntryLeft());
}

TEST_F(Texts, AMissingQuestionEndsTheRunBeforeAnythingIsTouched)
{
    SeedFootprint();
    RemoveString(IDS_CONFIRM);

    EXPECT_EQ(RunWexor(), 1);

    ASSERT_EQ(machine.messageBoxes.size(), 1u);
    EXPECT_EQ(machine.messageBoxes[0].text, Utf8(ExpectedMissingText));
    EXPECT_TRUE(machine.registryCalls.empty());
    EXPECT_TRUE(AllPlannedEntriesLeft());
}

TEST_F(Texts, ALongTextIsCutAt254Characters)
{
    std::u16string longText;
    for (int i = 0; i < 300; ++i)
        longText += static_cast<char16_t>(u'a' + i % 26);
    ReplaceString(IDS_CONFIRM, longText);
    machine.messageBoxAnswers = {IDNO};

    RunWexor();

    ASSERT_EQ(machine.messageBoxes.size(), 1u);
    EXPECT_EQ(machine.messageBoxes[0].text, std::string(longText.begin(), longText.begin() + 254));
}

TEST_F(Texts, EachLoadReplacesThePreviousTextCompletely)
{
    LoadText(IDS_INTRO);
    LoadText(IDS_BUTTON_OK);
    EXPECT_EQ(TextBuffer, Expected(TextButtonOk, Language::English));

    LanguageOffset = CzechOffset;
    LoadText(IDS_BUTTON_CANCEL);
    EXPECT_EQ(TextBuffer, Expected(TextButtonCancel, Language::Czech));
}

}  // namespace

namespace {

// One text of the table in one language, as a run puts it on screen.
struct ShownCase {
    std::string name;
    ExpectedTextRow row;
    Language language;
};

std::vector<ShownCase> ShownCases()
{
    std::vector<ShownCase> cases;
    for (Language language : {Language::English, Language::Czech})
        for (int row = 0; row < ExpectedTextRows; ++row)
            cases.push_back({std::string(language == Language::Czech ? "Czech_" : "English_") + ExpectedTexts[row].name,
                             static_cast<ExpectedTextRow>(row), language});
    return cases;
}

const DialogControl *ControlOf(const DialogRecord &dialog, WORD id)
{
    for (const DialogControl &control : dialog.controls)
        if (control.id == id)
            return &control;
    return nullptr;
}

class ShownText : public ProgramRun, public ::testing::WithParamInterface<ShownCase> {
protected:
    static std::string ShowOnScreen(ExpectedTextRow row);
};

// The run that shows the text, and where it shows it.
std::string ShownText::ShowOnScreen(ExpectedTextRow row)
{
    auto box = [](size_t index) {
        EXPECT_GT(machine.messageBoxes.size(), index);
        if (machine.messageBoxes.size() <= index)
            return std::string();
        EXPECT_EQ(machine.messageBoxes[index].caption, Utf8(ExpectedCaption));
        return machine.messageBoxes[index].text;
    };
    switch (row) {
    case TextIntro:
    case TextButtonOk:
    case TextButtonCancel: {
        machine.dialogCommands = {IDCANCEL};
        EXPECT_EQ(RunWexor(), 0);
        const WORD ids[] = {IDC_INTRO_TEXT, IDOK, IDCANCEL};
        const DialogControl *control =
            machine.dialogs.empty() ? nullptr : ControlOf(machine.dialogs[0], ids[row - TextIntro]);
        EXPECT_NE(control, nullptr);
        return control ? control->text : "";
    }
    case TextConfirm:
        machine.messageBoxAnswers = {IDNO};
        EXPECT_EQ(RunWexor(), 0);
        return box(0);
    case TextDone:
        EXPECT_EQ(RunWexor(), 0);
        return box(1);
    case TextNeedAdmin:
        machine.tokenGroups = {{MakeSid(5, {32, 545}), SE_GROUP_MANDATORY | SE_GROUP_ENABLED}};
        EXPECT_EQ(RunWexor(), 1);
        return box(0);
    default: {
        // The warning's first line; the rows left follow it.
        CreateKey(HKEY_CLASSES_ROOT, "XQMfile\\Stays")->refuseDelete = true;
        EXPECT_EQ(RunWexor(), 2);
        std::string warning = box(1);
        return warning.substr(0, warning.find('\n'));
    }
    }
}

TEST_P(ShownText, IsTheTextOfTheTableInTheUsersLanguage)
{
    UseLanguage(GetParam().language);

    std::string shown = ShowOnScreen(GetParam().row);

    EXPECT_EQ(Utf8FromAnsi(shown), Expected(GetParam().row, GetParam().language));
}

INSTANTIATE_TEST_SUITE_P(Texts, ShownText, ::testing::ValuesIn(ShownCases()), ByCaseName());

}  // namespace
