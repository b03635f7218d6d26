// Whether the user who started the program may run the cleanup.
#pragma once
#include "win32.h"

extern BOOL IsWin95Family;  // FALSE until DetectPlatform

// Looks at the platform once; also records the executable's module handle.
void DetectPlatform();
// Everyone on the Windows 95 family; elsewhere only members of Administrators.
BOOL MayProceed();
// TRUE when the process token lists the Administrators group, in whatever state.
BOOL IsAdministrator();
