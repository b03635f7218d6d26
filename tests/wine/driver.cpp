// Runs one scenario against WEXOR.exe inside a Wine prefix of its own:
// seeds the registry, starts the program, checks and answers each window it
// shows, then checks the exit status and the registry. Its other modes serve
// the manifest test and scripts/run; see Usage below.
#include "box_refusal.h"
#include "expectations.h"
#include "footprint_registry.h"
#include "manifest_check.h"
#include "registry_comparison.h"
#include "report.h"
#include "window_answer.h"
#include "window_check.h"
#include "window_picture.h"
#include "window_reader.h"
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

const DWORD WindowTimeoutMs = 30000;  // Wine in a fresh prefix can be slow to start
const DWORD ExitTimeoutMs = 30000;

const LCID EnglishLocale = 0x0409, CzechLocale = 0x0405;

// The language comes from the runner's LC_ALL, which this process shares.
bool LocaleMatches(Language language)
{
    LCID want = language == Language::Czech ? CzechLocale : EnglishLocale;
    if (GetUserDefaultLCID() == want)
        return true;
    char line[128];
    std::snprintf(line, sizeof line, "running under locale %04lx, the scenario wants %04lx: check its LC_ALL",
                  GetUserDefaultLCID(), want);
    Fail(line);
    return false;
}

// The Windows version Wine reports to every process started after this.
bool SetWindowsVersion(const wchar_t *version)
{
    HKEY key;
    LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS) {
        result = RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE *>(version),
                                static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    if (result != ERROR_SUCCESS)
        Fail("cannot set the Windows version: error " + std::to_string(result));
    return result == ERROR_SUCCESS;
}

bool Start(const std::wstring &program, const wchar_t *arguments, PROCESS_INFORMATION *process)
{
    std::wstring line = L"\"" + program + L"\"";
    if (*arguments)
        line += L" " + std::wstring(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, process))
        return true;
    Fail("cannot start " + Quoted(program) + ": error " + std::to_string(GetLastError()));
    return false;
}

// Checks and answers the expected windows in order, saving a picture of each
// into the folder `pictures` unless it is empty; false once the run can go no
// further.
bool FollowWindows(const Scenario &scenario, const PROCESS_INFORMATION &process, const std::wstring &pictures)
{
    for (size_t i = 0; i < scenario.windows.size(); ++i) {
        std::string label = "window " + std::to_string(i + 1) + " of " + std::to_string(scenario.windows.size());
        HWND window = WaitForWindow(process, WindowTimeoutMs);
        if (!window) {
            DWORD status = STILL_ACTIVE;
            GetExitCodeProcess(process.hProcess, &status);
            Fail(label + ": never shown" +
                 (status == STILL_ACTIVE ? " in " + std::to_string(WindowTimeoutMs / 1000) + " s, the program still runs"
                                         : ", the program ended first with status " + std::to_string(status)));
            return false;
        }
        ShownWindow shown = ReadWindow(window);
        CheckWindow(label, scenario.windows[i], shown);
        if (!pictures.empty())
            SaveWindowPicture(window, pictures + L"\\window-" + std::to_wstring(i + 1) + L".bmp");
        if (!AnswerWindow(label, shown, scenario.windows[i].answer))
            return false;
    }
    return true;
}

// After the last expected window the program must end without showing
// another; only the scenario's unanswered box may come and go by itself.
bool WaitForEnd(const Scenario &scenario, const PROCESS_INFORMATION &process)
{
    const DWORD pollMs = 50;
    bool glimpsed = false;
    for (DWORD waited = 0; waited < ExitTimeoutMs; waited += pollMs) {
        for (HWND window : VisibleWindowsOf(process.dwProcessId)) {
            ShownWindow shown = ReadWindow(window);
            if (scenario.unansweredBox) {
                // Gone while it was read: what was read of it may be half.
                if (!IsWindow(window) || !IsWindowVisible(window))
                    continue;
                if (LooksLike(*scenario.unansweredBox, shown)) {
                    if (!glimpsed)
                        std::printf("note: shown after the last answer, left unanswered: %s\n", Describe(shown).c_str());
                    glimpsed = true;
                    continue;
                }
            }
            Fail("unexpected window after the last expected one: " + Describe(shown));
            return false;
        }
        if (WaitForSingleObject(process.hProcess, pollMs) == WAIT_OBJECT_0)
            return true;
    }
    Fail("still running " + std::to_string(ExitTimeoutMs / 1000) + " s after the last window" +
         (glimpsed ? ", with the unanswered box shown" : ""));
    return false;
}

bool RefusesABox(const Scenario &scenario)
{
    for (const ExpectedWindow &window : scenario.windows)
        if (window.answer.refuseNextBox)
            return true;
    return false;
}

// Starts the program and goes through its windows as the scenario says,
// then checks how it ended.
void RunProgram(const Scenario &scenario, const std::wstring &program, const std::wstring &pictures)
{
    PROCESS_INFORMATION process;
    if (!Start(program, scenario.arguments, &process))
        return;
    bool ended = FollowWindows(scenario, process, pictures) && WaitForEnd(scenario, process);
    if (!ended) {
        TerminateProcess(process.hProcess, 255);
        WaitForSingleObject(process.hProcess, ExitTimeoutMs);
    }
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (RefusesABox(scenario))
        ExpectBoxRefused();
    if (ended && status != scenario.exitStatus)
        Fail("exit status " + std::to_string(status) + ", expected " + std::to_string(scenario.exitStatus));
}

void Run(const Scenario &scenario, const std::wstring &program)
{
    if (!LocaleMatches(scenario.language))
        return;
    if (scenario.windowsVersion && !SetWindowsVersion(scenario.windowsVersion))
        return;
    if (!SeedFootprint(scenario.twists))
        return;
    // The seeding must show before its removal can mean anything.
    CheckFootprint(RegistryOutcome::Untouched, scenario.twists);
    if (FailureCount()) {
        Fail("the seeded registry did not read back as written; the program was not started");
        return;
    }
    RegistrySnapshot before;
    if (scenario.wholeRegistry) {
        before = TakeSnapshot();
        if (!FailureCount())
            ExpectFootprintIn(before, scenario.twists);
        if (FailureCount())
            return;
    }

    RunProgram(scenario, program, L"");
    CheckFootprint(scenario.registry, scenario.twists);
    if (scenario.wholeRegistry)
        CompareSnapshots(before, TakeSnapshot(), scenario.registry, scenario.twists);
}

const Scenario *Find(const std::wstring &name)
{
    for (const Scenario &scenario : Scenarios())
        if (name == std::wstring(scenario.name, scenario.name + strlen(scenario.name)))
            return &scenario;
    return nullptr;
}

const char Usage[] =
    "usage: driver.exe SCENARIO PATH\\TO\\WEXOR.exe   run one scenario in this prefix\n"
    "       driver.exe --scenarios                  list the scenarios\n"
    "       driver.exe --manifest PATH\\TO\\WEXOR.exe check the program's manifest\n"
    "       driver.exe --seed [SCENARIO]            seed the footprint, with the twists of\n"
    "                                               SCENARIO if given, else none\n"
    "       driver.exe --list                       say which planned entries are there\n"
    "       driver.exe --answer PATH\\TO\\WEXOR.exe FOLDER [SCENARIO]\n"
    "           run the program, answering as SCENARIO does (by default OK, Yes,\n"
    "           OK in the user's language), with a picture of each window in\n"
    "           FOLDER\\window-N.bmp\n";

// Each mode ends with a line saying how it went; the exit status says the same.
int Finish(const std::string &what)
{
    std::printf("%s: %s\n", what.c_str(), FailureCount() ? "FAILED" : "ok");
    return FailureCount() ? 1 : 0;
}

int NoSuchScenario(const std::wstring &name)
{
    std::printf("no scenario %s; --scenarios lists them\n", Quoted(name).c_str());
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t **argv)
{
    _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 lines as they are, no CR
    std::wstring mode = argc > 1 ? argv[1] : L"";
    if (argc == 2 && mode == L"--scenarios") {
        for (const Scenario &scenario : Scenarios())
            std::printf("%s\n", scenario.name);
        return 0;
    }
    if (argc == 3 && mode == L"--manifest") {
        CheckManifest(argv[2]);
        return Finish("manifest");
    }
    if ((argc == 2 || argc == 3) && mode == L"--seed") {
        const Scenario *twisted = argc == 3 ? Find(argv[2]) : nullptr;
        if (argc == 3 && !twisted)
            return NoSuchScenario(argv[2]);
        SeedFootprint(twisted ? twisted->twists : Twists{});
        return Finish("seeding");
    }
    if (argc == 2 && mode == L"--list") {
        ListFootprint();
        return 0;
    }
    if ((argc == 4 || argc == 5) && mode == L"--answer") {
        const Scenario *run = Find(argc == 5                             ? argv[4]
                                   : GetUserDefaultLCID() == CzechLocale ? L"czech.yes"
                                                                         : L"english.yes");
        if (!run)
            return NoSuchScenario(argv[4]);
        RunProgram(*run, argv[2], argv[3]);
        return Finish(run->name);
    }
    if (argc == 3 && mode.rfind(L"--", 0) != 0) {
        const Scenario *scenario = Find(mode);
        if (!scenario)
            return NoSuchScenario(mode);
        Run(*scenario, argv[2]);
        return Finish(scenario->name);
    }
    std::printf("%s", Usage);
    return 2;
}
