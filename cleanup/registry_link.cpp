#include "cleanup/registry_link.h"
#include "gate/gate.h"

typedef LONG(WINAPI *NtDeleteKeyProc)(HANDLE key);

DWORD LinkOpenOptions()
{
    return IsWin95Family ? 0 : REG_OPTION_OPEN_LINK;
}

BOOL IsRegistryLink(HKEY key)
{
    DWORD type;
    return !IsWin95Family && RegQueryValueExA(key, "SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
           type == REG_LINK;
}

void DeleteRegistryLink(HKEY link)
{
    // Looked up at run time, so that the program still loads where there is no ntdll.
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    FARPROC entry = ntdll ? GetProcAddress(ntdll, "NtDeleteKey") : nullptr;
    if (entry)
        reinterpret_cast<NtDeleteKeyProc>(reinterpret_cast<void *>(entry))(link);
}
