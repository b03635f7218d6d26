#include "cleanup/registry_link.h"

typedef LONG(WINAPI *NtDeleteKeyProc)(HANDLE key);

static HMODULE Ntdll()
{
    return GetModuleHandleA("ntdll.dll");
}

BOOL HasNtKernel()
{
    return Ntdll() != nullptr;
}

DWORD LinkOpenOptions()
{
    return HasNtKernel() ? REG_OPTION_OPEN_LINK : 0;
}

BOOL DeleteOpenKey(HKEY key)
{
    // Looked up at run time, so that the program still loads where there is no ntdll.
    HMODULE ntdll = Ntdll();
    FARPROC entry = ntdll ? GetProcAddress(ntdll, "NtDeleteKey") : nullptr;
    NtDeleteKeyProc ntDeleteKey = reinterpret_cast<NtDeleteKeyProc>(reinterpret_cast<void *>(entry));
    return ntDeleteKey && ntDeleteKey(key) == 0;
}

BOOL IsLink(HKEY key)
{
    DWORD type = 0;
    return RegQueryValueExA(key, "SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
           type == REG_LINK;
}
