// Language choice and text loading, as the message boxes show them.
#include "tests/host/program_run.h"
#include "flow/texts.h"

#include <iconv.h>

using namespace standin;

namespace {

// What a box showed, back in UTF-8, so that expectations read as text.
std::string Utf8(const std::string &ansi, UINT codePage)
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
    LCID locale;
    UINT codePage;
    const char *confirm;
    const char *done;
};

const LocaleCase Locales[] = {
    {0x0405, 1250, "Jste si jist, že chcete smazat vševhny informace o Mokta32 z registru?",
     "Hotovo. Všechny informace o MOKTA32 byly smazány z registru."},
    {0x0409, 1252, "Are you sure you want to delete everything about MOKTA32 from registry?",
     "Done. Everything about MOKTA32 was deleted from registry."},
    // Slovak, and Czech's neighbours by number: only the whole id 0x0405 is Czech.
    {0x041B, 1250, "Are you sure you want to delete everything about MOKTA32 from registry?",
     "Done. Everything about MOKTA32 was deleted from registry."},
    {0x0805, 1250, "Are you sure you want to delete everything about MOKTA32 from registry?",
     "Done. Everything about MOKTA32 was deleted from registry."},
};

class Texts : public ProgramRun {};

TEST_F(Texts, TheUserDefaultLocalePicksTheLanguage)
{
    for (const LocaleCase &c : Locales) {
        SCOPED_TRACE(c.locale);
        SetUp();
        machine.userDefaultLocale = c.locale;
        machine.ansiCodePage = c.codePage;

        EXPECT_EQ(RunWexor(), 0);

        ASSERT_EQ(machine.messageBoxes.size(), 2u);
        EXPECT_EQ(Utf8(machine.messageBoxes[0].text, c.codePage), c.confirm);
        EXPECT_EQ(Utf8(machine.messageBoxes[1].text, c.codePage), c.done);
        EXPECT_EQ(machine.messageBoxes[1].caption, "WEXOR32");
    }
}

TEST_F(Texts, AMissingTextEndsTheRunAfterTheRemovalsAlreadyDone)
{
    SeedFootprint();
    machine.userDefaultLocale = 0x0405;
    RemoveString(IDS_DONE + 1000);

    EXPECT_EQ(RunWexor(), 1);

    ASSERT_EQ(machine.messageBoxes.size(), 2u);
    const MessageBoxRecord &error = machine.messageBoxes[1];
    EXPECT_EQ(error.owner, nullptr);
    EXPECT_EQ(error.text, "Resource not found.");
    EXPECT_EQ(error.caption, "Error");
    EXPECT_EQ(error.type, 0x10u);
    EXPECT_FALSE(AnyPlannedEntryLeft());
}

TEST_F(Texts, AMissingQuestionEndsTheRunBeforeAnythingIsTouched)
{
    SeedFootprint();
    RemoveString(IDS_CONFIRM);

    EXPECT_EQ(RunWexor(), 1);

    ASSERT_EQ(machine.messageBoxes.size(), 1u);
    EXPECT_EQ(machine.messageBoxes[0].text, "Resource not found.");
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
    EXPECT_STREQ(TextBuffer, "OK");

    LanguageOffset = CzechOffset;
    LoadText(IDS_BUTTON_CANCEL);
    EXPECT_STREQ(TextBuffer, "Storno");
}

}  // namespace
