#include "probe.h"
#include "report.h"
#include <string>

namespace {

// Beside driver.exe, built for the same architecture as the program.
HMODULE ProbeModule()
{
    static HMODULE probe = [] {
        wchar_t path[MAX_PATH];
        DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring dll(path, length);
        dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"icon_probe.dll";
        return LoadLibraryW(dll.c_str());
    }();
    return probe;
}

}  // namespace

HHOOK HookProbe(int kind, const char *procedure, DWORD thread)
{
    HOOKPROC hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void *>(GetProcAddress(ProbeModule(), procedure)));
    HHOOK installed = hook ? SetWindowsHookExW(kind, hook, ProbeModule(), thread) : nullptr;
    if (!installed)
        Fail(std::string("cannot hook icon_probe.dll's ") + procedure + " into the program (error " +
             std::to_string(GetLastError()) + ")");
    return installed;
}
