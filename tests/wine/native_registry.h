// Keys by counted name, through ntdll: the native API allows any character
// in a name, NUL included, which the Win32 registry functions cannot pass.
#pragma once
#include <windows.h>
#include <string>

// Win32 error codes. `asLink`: a link is opened as itself, not followed.
LONG CreateCountedKey(HKEY parent, const std::wstring &name, HKEY *key);
LONG OpenCountedKey(HKEY parent, const std::wstring &name, ACCESS_MASK access, bool asLink, HKEY *key);
