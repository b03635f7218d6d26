// The scenarios, by name. The windows are built by the helpers below, one
// per kind of window the program shows, with its texts in both languages.
#include "expectations.h"
#include "../expected_texts.h"
#include <string>

namespace {

const wchar_t DialogClass[] = L"#32770";  // message boxes and dialogs alike
const int IntroTextId = 101;

std::wstring Wide(const char16_t *text) { return std::wstring(text, text + std::char_traits<char16_t>::length(text)); }

std::wstring Text(ExpectedTextRow row, Language language)
{
    return Wide(language == Language::Czech ? ExpectedTexts[row].czech : ExpectedTexts[row].english);
}

const std::wstring Caption = Wide(ExpectedCaption);

// The program's own dialog, with its own icon and button texts.
ExpectedWindow IntroDialog(Language language, Answer answer)
{
    return {DialogClass, Caption, IntroTextId, Text(TextIntro, language), Icon::Other,
            {{IDOK, Text(TextButtonOk, language)}, {IDCANCEL, Text(TextButtonCancel, language)}}, answer};
}

// Message box buttons carry the platform's words, so only their ids count.
ExpectedWindow ConfirmBox(Language language, int answer)
{
    return {DialogClass, Caption, AnyTextId, Text(TextConfirm, language), Icon::Question,
            {{IDYES, L""}, {IDNO, L""}}, Click(answer)};
}

ExpectedWindow DoneBox(Language language)
{
    return {DialogClass, Caption, AnyTextId, Text(TextDone, language), Icon::Information, {{IDOK, L""}}, Click(IDOK)};
}

// Something of the footprint stayed after the cleanup: the text, a blank
// line, then exactly these lines, one per row left (and "..." past eight).
ExpectedWindow IncompleteBox(Language language, const std::vector<std::wstring> &listed)
{
    std::wstring text = Text(TextIncomplete, language) + L"\n";
    for (const std::wstring &line : listed)
        text += L"\n" + line;
    return {DialogClass, Caption, AnyTextId, text, Icon::Warning, {{IDOK, L""}}, Click(IDOK)};
}

// Rows as the warning names them.
const wchar_t UserProductKeyRow[] = L"HKEY_CURRENT_USER\\SOFTWARE\\KELBO SOFTWARE\\MOKTA32";
const wchar_t UserRunMokta32Row[] = L"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run \"Mokta32\"";
const wchar_t UserRunTqn32Row[] = L"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run \"Tqn32\"";

const DWORD Finished = 0, Incomplete = 2, NoAnswer = 0xFFFFFFFF;

// Through the introduction and the question, answered Yes.
Scenario Yes(const char *name, Language language, const wchar_t *arguments)
{
    return {name, language, arguments,
            {IntroDialog(language, Click(IDOK)), ConfirmBox(language, IDYES), DoneBox(language)},
            Finished, RegistryOutcome::Removed};
}

// Through the introduction, then No to the question.
Scenario No(const char *name, Language language, const wchar_t *arguments)
{
    return {name, language, arguments, {IntroDialog(language, Click(IDOK)), ConfirmBox(language, IDNO)}, Finished,
            RegistryOutcome::Untouched};
}

// Stopped at the introduction: nothing else is shown or done.
Scenario IntroDeclined(const char *name, Language language, Answer answer)
{
    return {name, language, L"", {IntroDialog(language, answer)}, Finished, RegistryOutcome::Untouched};
}

// Past the introduction, but the question never gets an answer: nothing is
// removed, and no box says anything more.
Scenario QuestionUnanswered(const char *name, Language language, Answer introAnswer)
{
    return {name, language, L"", {IntroDialog(language, introAnswer)}, NoAnswer, RegistryOutcome::Untouched};
}

// Yes, with what the twists make the program leave: the warning lists it.
Scenario YesLeavingSome(const char *name, Language language, Twists twists, const std::vector<std::wstring> &listed)
{
    return {name, language, L"",
            {IntroDialog(language, Click(IDOK)), ConfirmBox(language, IDYES), IncompleteBox(language, listed)},
            Incomplete, RegistryOutcome::PartlyRemoved, nullptr, twists};
}

Scenario WithTwist(Scenario run, Twist twist)
{
    run.twists.push_back(twist);
    return run;
}

Scenario ComparingWholeRegistry(Scenario run)
{
    run.wholeRegistry = true;
    return run;
}

Scenario OnWindowsVersion(Scenario run, const wchar_t *version)
{
    run.windowsVersion = version;
    return run;
}

Scenario ToleratingUnanswered(Scenario run, ExpectedWindow box)
{
    run.unansweredBox = box;
    return run;
}

}  // namespace

const std::vector<Scenario> &Scenarios()
{
    static const std::vector<Scenario> table = {
        Yes("english.yes", Language::English, L""),
        No("english.no", Language::English, L""),
        Yes("czech.yes", Language::Czech, L""),
        No("czech.no", Language::Czech, L""),
        IntroDeclined("english.intro.cancel", Language::English, Click(IDCANCEL)),
        IntroDeclined("english.intro.escape", Language::English, PressEscape),
        IntroDeclined("czech.intro.closebox", Language::Czech, CloseBox),
        // Arguments are not the program's business: they change nothing.
        No("english.args.help.no", Language::English, L"/?"),
        Yes("english.args.switches.yes", Language::English, L"-s /quiet \"quoted arg\" /y"),
        Yes("czech.args.unicode.yes", Language::Czech, L"\"Žluťoučký kůň\" /S\tC:\\ \"\""),
        // The Windows 95 family has no accounts: the same run, without the account check.
        OnWindowsVersion(Yes("english.win95.yes", Language::English, L""), L"win95"),
        // Links lead out of the footprint: removed as links, their targets kept.
        WithTwist(Yes("english.links.yes", Language::English, L""), Twist::Links),
        // And nothing else anywhere under SOFTWARE changes, the targets included.
        ComparingWholeRegistry(WithTwist(Yes("english.links.registry.yes", Language::English, L""), Twist::Links)),
        ComparingWholeRegistry(WithTwist(No("english.links.no", Language::English, L""), Twist::Links)),
        // An NT kernel that says it is Windows 95 still gets its links removed as links.
        OnWindowsVersion(
            ComparingWholeRegistry(WithTwist(Yes("english.win95.links.yes", Language::English, L""), Twist::Links)),
            L"win95"),
        // A key the program cannot empty stays, and the warning names it.
        YesLeavingSome("english.leftover.yes", Language::English, {Twist::NameOutsideCodePage}, {UserProductKeyRow}),
        YesLeavingSome("czech.leftover.yes", Language::Czech, {Twist::NameOutsideCodePage}, {UserProductKeyRow}),
        // Values that stay are named with their key.
        ComparingWholeRegistry(YesLeavingSome("english.leftover.values.yes", Language::English,
                                              {Twist::NameOutsideCodePage, Twist::ReadOnlyRunKey},
                                              {UserProductKeyRow, UserRunMokta32Row, UserRunTqn32Row})),
        ComparingWholeRegistry(YesLeavingSome("czech.leftover.values.yes", Language::Czech,
                                              {Twist::NameOutsideCodePage, Twist::ReadOnlyRunKey},
                                              {UserProductKeyRow, UserRunMokta32Row, UserRunTqn32Row})),
        // Nine rows left: eight named, then "...".
        ComparingWholeRegistry(YesLeavingSome("english.leftover.many.yes", Language::English, {Twist::ReadOnlyClassKeys},
                                              {L"HKEY_CLASSES_ROOT\\XQMfile", L"HKEY_CLASSES_ROOT\\.xqm",
                                               L"HKEY_CLASSES_ROOT\\*\\shellex\\ContextMenuHandlers\\Mokta32",
                                               L"HKEY_CLASSES_ROOT\\Mokta32",
                                               L"HKEY_CLASSES_ROOT\\Folder\\shellex\\ContextMenuHandlers\\Mokta32",
                                               L"HKEY_CLASSES_ROOT\\Nuvex.Nuvex", L"HKEY_CLASSES_ROOT\\Nuvex.Nuvex.1",
                                               L"HKEY_CLASSES_ROOT\\Nuvexa.Nuvexa", L"..."})),
        // Prepared by someone who can write under HKCU, to make the run
        // delete under HKLM: each trap stays, its target untouched, and the
        // row it sits on is named as left.
        ComparingWholeRegistry(
            YesLeavingSome("english.bestfit.trap.yes", Language::English, {Twist::BestFitTrap}, {UserProductKeyRow})),
        ComparingWholeRegistry(
            YesLeavingSome("english.leading.nul.yes", Language::English, {Twist::LeadingNul}, {UserProductKeyRow})),
        ComparingWholeRegistry(YesLeavingSome("english.link.above.key.yes", Language::English, {Twist::LinkedVendorKey},
                                              {UserProductKeyRow})),
        ComparingWholeRegistry(YesLeavingSome("english.link.value.key.yes", Language::English, {Twist::LinkedRunKey},
                                              {UserRunMokta32Row, UserRunTqn32Row})),
        // Only Yes consents. A hook that refuses the question box's window
        // makes it fail to show: nothing is removed, nothing more shown.
        ComparingWholeRegistry(QuestionUnanswered("english.question.refused", Language::English,
                                                  RefusingTheNextBox(Click(IDOK)))),
        // WM_QUIT from another program ends the introduction's modal loop;
        // the question that follows meets the quit message again and ends at
        // once. Under Wine its box may show for an instant before that.
        ComparingWholeRegistry(
            ToleratingUnanswered(QuestionUnanswered("english.intro.quit", Language::English, PostQuit),
                                 ConfirmBox(Language::English, IDNO))),
    };
    return table;
}
