#include "gate/gate.h"
#include "flow/texts.h"

BOOL IsWin95Family;

void DetectPlatform()
{
    IsWin95Family = FALSE;
    OSVERSIONINFOA version;
    version.dwOSVersionInfoSize = sizeof version;
    // A failed call leaves the NT family, and so the membership check.
    if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        IsWin95Family = TRUE;
    ModuleInstance = GetModuleHandleA(nullptr);
}

BOOL MayProceed()
{
    // The Windows 95 family has no accounts to tell apart.
    return IsWin95Family || IsAdministrator();
}
