// The run as a person meets it: question, removals, report, exit status.
#include "tests/host/program_run.h"
#include "cleanup/cleanup.h"

#include <cctype>

using namespace standin;

namespace {

const std::string Confirm = Expected(TextConfirm, Language::English);
const std::string Done = Expected(TextDone, Language::English);

class MainSequence : public ProgramRun {};

// WinMain finds the family from what GetVersionExA reports: an administrator
// on NT; on the Windows 95 family, and on NT reporting itself as Windows 95,
// a user whose token would not pass. Where the kernel has links, one planted
// in a planned tree goes as itself.
struct PlatformCase {
    const char *name;
    Family kernel;
    DWORD reported;
    bool administrator;
};

const PlatformCase Platforms[] = {
    {"NT", Family::NT, VER_PLATFORM_WIN32_NT, true},
    {"Windows 95 family", Family::Windows95, VER_PLATFORM_WIN32_WINDOWS, false},
    {"NT reporting Windows 95", Family::NT, VER_PLATFORM_WIN32_WINDOWS, false},
};

class OnEveryPlatform : public ProgramRun, public ::testing::WithParamInterface<PlatformCase> {};

TEST_P(OnEveryPlatform, YesRemovesTheFootprintAndReportsCompletion)
{
    const PlatformCase &c = GetParam();
    machine.family = c.kernel;
    machine.platformId = c.reported;
    if (!c.administrator)
        machine.tokenGroups = {{MakeSid(5, {32, 545}), SE_GROUP_MANDATORY | SE_GROUP_ENABLED}};
    SeedFootprint();
    SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Precious\\A", "Data", "precious");
    if (c.kernel == Family::NT)
        CreateLink(HKEY_CURRENT_USER, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32\\Sub A\\Evil", "HKLM\\SOFTWARE\\Precious");
    machine.messageBoxAnswers = {IDYES};

    EXPECT_EQ(RunWexor(), 0);

    ASSERT_EQ(machine.messageBoxes.size(), 2u);
    ExpectBox(machine.messageBoxes[0], Confirm, 0x24);
    ExpectBox(machine.messageBoxes[1], Done, 0x40);
    EXPECT_FALSE(AnyPlannedEntryLeft());
    EXPECT_TRUE(AllNeighboursLeft());
    EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Precious\\A", "Data"));
    EXPECT_EQ(machine.securityCalls.empty(), c.reported == VER_PLATFORM_WIN32_WINDOWS);
    EXPECT_TRUE(machine.openKeys.empty());
}

INSTANTIATE_TEST_SUITE_P(MainSequence, OnEveryPlatform, ::testing::ValuesIn(Platforms), ByCaseName());

// What the question box gives, and what the run does with it. A box that
// cannot be shown gives 0; one ended by a WM_QUIT gives whatever its modal
// loop had, IDOK under Wine.
struct ConfirmationCase {
    const char *name;
    int answer;
    int status;
    bool removes;
    size_t boxes;
};

const ConfirmationCase Confirmations[] = {
    {"Yes", IDYES, 0, true, 2},
    {"No", IDNO, 0, false, 1},
    {"no box", 0, -1, false, 1},
    {"ended by WM_QUIT", IDOK, -1, false, 1},
};

class Confirmation : public ProgramRun, public ::testing::WithParamInterface<ConfirmationCase> {};

TEST_P(Confirmation, OnlyYesRemovesAnything)
{
    SeedFootprint();
    auto before = DumpRegistry();
    machine.messageBoxAnswers = {GetParam().answer};

    EXPECT_EQ(RunWexor(), GetParam().status);

    EXPECT_EQ(machine.messageBoxes.size(), GetParam().boxes);
    EXPECT_EQ(!AnyPlannedEntryLeft(), GetParam().removes);
    if (!GetParam().removes) {
        EXPECT_EQ(DumpRegistry(), before);
        EXPECT_TRUE(machine.registryCalls.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(MainSequence, Confirmation, ::testing::ValuesIn(Confirmations), ByCaseName());

TEST_F(MainSequence, CompletionIsShownEvenWhenNothingWasThere)
{
    SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other", "Keep");
    auto before = DumpRegistry();

    EXPECT_EQ(RunWexor(), 0);

    ASSERT_EQ(machine.messageBoxes.size(), 2u);
    EXPECT_EQ(machine.messageBoxes[1].text, Done);
    EXPECT_EQ(DumpRegistry(), before);
}

struct ArgumentsCase {
    const char *name;
    const char *arguments;
};

const ArgumentsCase Arguments[] = {
    {"help", "/?"},
    {"switches and a quoted word", "-s /quiet \"two words\""},
    {"an uninstall request naming a key", "/uninstall HKLM\\SOFTWARE"},
    {"a refusal", "--no"},
};

class CommandLine : public ProgramRun, public ::testing::WithParamInterface<ArgumentsCase> {};

TEST_P(CommandLine, ArgumentsChangeNothing)
{
    SeedFootprint();

    EXPECT_EQ(RunWexor(GetParam().arguments), 0);

    ASSERT_EQ(machine.messageBoxes.size(), 2u);
    EXPECT_EQ(machine.messageBoxes[0].text, Confirm);
    EXPECT_EQ(machine.messageBoxes[1].text, Done);
    EXPECT_FALSE(AnyPlannedEntryLeft());
    EXPECT_TRUE(AllNeighboursLeft());
}

INSTANTIATE_TEST_SUITE_P(MainSequence, CommandLine, ::testing::ValuesIn(Arguments), ByCaseName());

}  // namespace

namespace {

const std::string Incomplete = Expected(TextIncomplete, Language::English);
const std::string IncompleteCzech = Expected(TextIncomplete, Language::Czech);

// Each leaves part of the footprint behind in its own way; the warning names what stayed.
struct LeftoverCase {
    const char *name;
    std::function<void()> arrange;
    std::vector<std::string> listed;
};

const char *const TenClassKeys[] = {"XQMfile", ".xqm", "Mokta32", "Nuvex.Nuvex", "Nuvex.Nuvex.1", "Nuvexa.Nuvexa",
                                    "Nuvexa.Nuvexa.1", "CLSID\\{5E93B1C7-D6A4-11CE-9B4D-0080A1E37D56}",
                                    "CLSID\\{7AC61F38-B297-11D1-A45E-00A0C93B61D2}",
                                    "CLSID\\{7AC61F39-B297-11D1-A45E-00A0C93B61D2}"};

const LeftoverCase Leftovers[] = {
    {"a subkey whose deletion is refused",
     [] { FindKey(HKEY_CLASSES_ROOT, "CLSID\\{7AC61F38-B297-11D1-A45E-00A0C93B61D2}\\Sub B")->refuseDelete = true; },
     {"HKEY_CLASSES_ROOT\\CLSID\\{7AC61F38-B297-11D1-A45E-00A0C93B61D2}"}},
    {"a planned key that cannot be opened",
     [] { FindKey(HKEY_CURRENT_USER, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32")->grantedAccess = 0; },
     {"HKEY_CURRENT_USER\\SOFTWARE\\KELBO SOFTWARE\\MOKTA32"}},
    {"a value's key that cannot be opened", [] { FindKey(HKEY_CLASSES_ROOT, ".DOC")->grantedAccess = 0; },
     {"HKEY_CLASSES_ROOT\\.DOC \"Mokta32Rename\""}},
    // RegEnumKeyA gives "Sub ?" for it: that name opens nothing, so it stays.
    {"a subkey named outside the ANSI code page",
     [] { CreateKey(HKEY_CLASSES_ROOT, "Typelib\\{7AC61F2A-B297-11D1-A45E-00A0C93B61D2}\\Sub \xD0\x96"); },
     {"HKEY_CLASSES_ROOT\\Typelib\\{7AC61F2A-B297-11D1-A45E-00A0C93B61D2}"}},
    {"a key and a value, in plan order",
     [] {
         FindKey(HKEY_LOCAL_MACHINE, TEST_RUN_KEY)->grantedAccess = KEY_READ;
         FindKey(HKEY_CLASSES_ROOT, "Mokta32\\Sub A")->refuseDelete = true;
     },
     {"HKEY_CLASSES_ROOT\\Mokta32", "HKEY_LOCAL_MACHINE\\" TEST_RUN_KEY " \"Mokta32\"",
      "HKEY_LOCAL_MACHINE\\" TEST_RUN_KEY " \"Tqn32\""}},
    {"more rows than the box lists",
     [] {
         for (const char *key : TenClassKeys)
             FindKey(HKEY_CLASSES_ROOT, key)->grantedAccess = KEY_READ;
     },
     {"HKEY_CLASSES_ROOT\\XQMfile", "HKEY_CLASSES_ROOT\\.xqm", "HKEY_CLASSES_ROOT\\Mokta32",
      "HKEY_CLASSES_ROOT\\Nuvex.Nuvex", "HKEY_CLASSES_ROOT\\Nuvex.Nuvex.1", "HKEY_CLASSES_ROOT\\Nuvexa.Nuvexa",
      "HKEY_CLASSES_ROOT\\Nuvexa.Nuvexa.1", "HKEY_CLASSES_ROOT\\CLSID\\{5E93B1C7-D6A4-11CE-9B4D-0080A1E37D56}", "..."}},
};

// The warning's text, a blank line, then one line per row left.
std::string Warning(const std::string &text, const std::vector<std::string> &listed)
{
    std::string warning = text + "\n";
    for (const std::string &line : listed)
        warning += "\n" + line;
    return warning;
}

class Leftover : public ProgramRun, public ::testing::WithParamInterface<LeftoverCase> {};

TEST_P(Leftover, IsReportedByNameWithAWarningAndStatus2)
{
    SeedFootprint();
    GetParam().arrange();

    EXPECT_EQ(RunWexor(), 2);

    ASSERT_EQ(machine.messageBoxes.size(), 2u);
    ExpectBox(machine.messageBoxes[1], Warning(Incomplete, GetParam().listed), 0x30);
    EXPECT_TRUE(AnyPlannedEntryLeft());
    EXPECT_TRUE(AllNeighboursLeft());
    EXPECT_TRUE(machine.openKeys.empty());
}

INSTANTIATE_TEST_SUITE_P(MainSequence, Leftover, ::testing::ValuesIn(Leftovers), ByCaseName());

TEST_F(MainSequence, TheWarningSpeaksCzechToo)
{
    SeedFootprint();
    FindKey(HKEY_CLASSES_ROOT, "XQMfile\\Sub B")->refuseDelete = true;
    FindKey(HKEY_CURRENT_USER, TEST_RUN_KEY)->grantedAccess = KEY_READ;
    UseLanguage(Language::Czech);

    EXPECT_EQ(RunWexor(), 2);

    ASSERT_EQ(machine.messageBoxes.size(), 2u);
    EXPECT_EQ(Utf8FromAnsi(machine.messageBoxes[1].text),
              Warning(IncompleteCzech, {"HKEY_CLASSES_ROOT\\XQMfile", "HKEY_CURRENT_USER\\" TEST_RUN_KEY " \"Mokta32\"",
                                        "HKEY_CURRENT_USER\\" TEST_RUN_KEY " \"Tqn32\""}));
}

// How the check after the run judges a row that it finds in each state.
struct JudgeCase {
    const char *name;
    std::function<void()> arrange;
    bool gone;
};

const char *const ExtensionKey = ".BAT";

const JudgeCase Judgements[] = {
    {"nothing there", [] {}, true},
    {"the value's key without the value", [] { SetValue(HKEY_CLASSES_ROOT, ExtensionKey, "Other"); }, true},
    {"the value there", [] { SetValue(HKEY_CLASSES_ROOT, ExtensionKey, "Mokta32Rename"); }, false},
    {"the value's key refusing to open", [] { CreateKey(HKEY_CLASSES_ROOT, ExtensionKey)->grantedAccess = 0; }, false},
    {"a planned key there", [] { CreateKey(HKEY_CLASSES_ROOT, "Nuvex.Nuvex.1"); }, false},
    {"a planned key refusing to open", [] { CreateKey(HKEY_CLASSES_ROOT, "Nuvex.Nuvex.1")->grantedAccess = 0; }, false},
    {"a planned key that is a dangling link", [] { CreateLink(HKEY_CLASSES_ROOT, "Nuvex.Nuvex.1", "HKLM\\Gone"); },
     false},
};

class CheckAfterThePlan : public ProgramRun, public ::testing::WithParamInterface<JudgeCase> {};

TEST_P(CheckAfterThePlan, OnlyNotFoundCountsAsGone)
{
    GetParam().arrange();

    EXPECT_EQ(FindRowsLeft(nullptr, 0) == 0, GetParam().gone);
    EXPECT_TRUE(machine.openKeys.empty());
}

INSTANTIATE_TEST_SUITE_P(MainSequence, CheckAfterThePlan, ::testing::ValuesIn(Judgements), ByCaseName());

}  // namespace
