// Registry symbolic links exist only on the NT kernel. There a key is opened
// as itself, link or not, and deleted through that very handle, so that no
// name is looked up again and no link is followed. What decides is the kernel
// actually running, never the version reported: a compatibility layer can
// make an NT system report the Windows 95 family.
#pragma once
#include "win32.h"

// TRUE on the NT kernel, whose ntdll is loaded in every process; the Windows
// 95 family has none.
BOOL HasNtKernel();
// The options that open a link as itself rather than its target.
DWORD LinkOpenOptions();
// Deletes the key behind the handle (a link as itself). FALSE when refused or unavailable.
BOOL DeleteOpenKey(HKEY key);
// TRUE when the open key is a link: it holds a REG_LINK "SymbolicLinkValue".
BOOL IsLink(HKEY key);
