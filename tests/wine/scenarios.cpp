// The scenarios, by name. The windows are built by the helpers below, one
// per kind of window the program shows, with its texts in both languages.
#include "expectations.h"

namespace {

const wchar_t Caption[] = L"WEXOR32";
const wchar_t DialogClass[] = L"#32770";  // message boxes and dialogs alike
const int IntroTextId = 101;

struct Texts {
    const wchar_t *intro;
    const wchar_t *cancel;
    const wchar_t *confirm;
    const wchar_t *done;
    const wchar_t *incomplete;
};

const Texts English{
    L"This program deletes every information about MOKTA32 from registry.\n\nTo proceed, click OK.",
    L"Cancel",
    L"Are you sure you want to delete everything about MOKTA32 from registry?",
    L"Done. Everything about MOKTA32 was deleted from registry.",
    L"Some entries about MOKTA32 could not be deleted from registry.",
};

// "vševhny" is the program's own wording, typo and all.
const Texts Czech{
    L"Tento program maže všechny informace o programu MOKTA32 z registru.\n\nPro pokračování stiskněte OK.",
    L"Storno",
    L"Jste si jist, že chcete smazat vševhny informace o Mokta32 z registru?",
    L"Hotovo. Všechny informace o MOKTA32 byly smazány z registru.",
    L"Některé informace o MOKTA32 se nepodařilo smazat z registru.",
};

const Texts &TextsIn(Language language) { return language == Language::Czech ? Czech : English; }

// The program's own dialog, with its own icon and button texts.
ExpectedWindow IntroDialog(Language language, Answer answer)
{
    return {DialogClass, Caption, IntroTextId, TextsIn(language).intro, Icon::Other,
            {{IDOK, L"OK"}, {IDCANCEL, TextsIn(language).cancel}}, answer};
}

// Message box buttons carry the platform's words, so only their ids count.
ExpectedWindow ConfirmBox(Language language, int answer)
{
    return {DialogClass, Caption, AnyTextId, TextsIn(language).confirm, Icon::Question,
            {{IDYES, nullptr}, {IDNO, nullptr}}, Click(answer)};
}

ExpectedWindow DoneBox(Language language)
{
    return {DialogClass, Caption, AnyTextId, TextsIn(language).done, Icon::Information, {{IDOK, nullptr}}, Click(IDOK)};
}

// Something of the footprint stayed after the cleanup.
ExpectedWindow IncompleteBox(Language language)
{
    return {DialogClass, Caption, AnyTextId, TextsIn(language).incomplete, Icon::Warning, {{IDOK, nullptr}}, Click(IDOK)};
}

const DWORD Finished = 0, Incomplete = 2;

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

// Yes, with a key the program cannot remove: it says so.
Scenario YesLeavingSome(const char *name, Language language)
{
    return {name, language, L"",
            {IntroDialog(language, Click(IDOK)), ConfirmBox(language, IDYES), IncompleteBox(language)},
            Incomplete, RegistryOutcome::PartlyRemoved, nullptr, Twist::NameOutsideCodePage};
}

Scenario WithTwist(Scenario run, Twist twist)
{
    run.twist = twist;
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
        YesLeavingSome("english.leftover.yes", Language::English),
        YesLeavingSome("czech.leftover.yes", Language::Czech),
    };
    return table;
}
