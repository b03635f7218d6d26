#include "cleanup/registry_link.h"
#include "gate/gate.h"

typedef LONG(WINAPI *NtDeleteKeyProc)(HANDLE key);

DWORD LinkOpenOptions()
{
    return IsWin95Family ? 0 : REG_OPTION_OPEN_LINK;
}

BOOL DeleteOpenKey(HKEY key)
{
    // Looked up at run time, so that the program still loads where there is no ntdll.
    static NtDeleteKeyProc ntDeleteKey;
    if (!ntDeleteKey) {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        FARPROC entry = ntdll ? GetProcAddress(ntdll, "NtDeleteKey") : nullptr;
        ntDeleteKey = reinterpret_cast<NtDeleteKeyProc>(reinterpret_cast<void *>(entry));
    }
    return ntDeleteKey && ntDeleteKey(key) == 0;
}
