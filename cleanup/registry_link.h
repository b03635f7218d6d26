// Keys that may be registry symbolic links. A planned tree may hold one that
// leads outside it; they exist only on the NT family. There a key is opened
// as itself, link or not, and deleted through that very handle, so that no
// name is ever looked up again and no link is ever followed.
#pragma once
#include "win32.h"

// The options that open a link as itself rather than its target.
DWORD LinkOpenOptions();
// Deletes the key behind the handle (a link as itself). FALSE when refused or unavailable.
BOOL DeleteOpenKey(HKEY key);
