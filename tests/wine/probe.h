// icon_probe.dll as the driver hooks it into the program's UI thread (see
// icon_probe_protocol.h).
#pragma once
#include <windows.h>

// Installs the probe's hook procedure `procedure` as a hook of kind `kind`
// (WH_GETMESSAGE, WH_CBT, ...) on `thread`; nullptr, with the failure
// reported, if it could not.
HHOOK HookProbe(int kind, const char *procedure, DWORD thread);
