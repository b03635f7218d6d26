// Registry symbolic links: a planned tree may hold one that leads outside it.
// They exist only on the NT family.
#pragma once
#include "win32.h"

// The options that open a link as itself rather than its target.
DWORD LinkOpenOptions();
BOOL IsRegistryLink(HKEY key);
// Deletes the link opened as `link`, never its target.
void DeleteRegistryLink(HKEY link);
