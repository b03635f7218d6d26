// Process start-up without a C runtime: hands WinMain what the platform's own
// start-up would, and ends the process with its result.
#include "win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);

// The command line past the program's own name (quoted or not) and the blanks after it.
static LPSTR ArgumentsOf(LPSTR line)
{
    bool quoted = false;
    for (; *line && (quoted || (*line != ' ' && *line != '\t')); ++line)
        if (*line == '"')
            quoted = !quoted;
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

// Windows 95 enters with the stack aligned to 4 bytes only.
extern "C" __attribute__((force_align_arg_pointer)) void WinMainCRTStartup()
{
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    int showCommand = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    ExitProcess(WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()), showCommand));
}
