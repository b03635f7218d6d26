// A box of the program that a hook refuses to let be created, as a hook of
// any program on the same desktop may (see icon_probe_protocol.h).
#pragma once
#include <windows.h>

// Arms the refusal while `window`, a dialog of the program, is shown: the
// first top-level dialog window that its thread creates once this one is
// gone is refused. False, with the failure reported, if it could not.
bool RefuseNextBox(HWND window);

// After the program ended: fails unless a refusal was armed and a box was
// refused; removes the hook either way.
void ExpectBoxRefused();
