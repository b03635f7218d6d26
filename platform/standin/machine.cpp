// The machine's state, and what belongs to the process as a whole.
#include "machine.h"

namespace standin {

Machine machine;
const HINSTANCE ProgramModule = reinterpret_cast<HINSTANCE>(0x400000);

void LoadProgramResources();

void ResetMachine()
{
    machine = Machine();
    for (auto &root : machine.roots)
        root = std::make_shared<RegistryKey>();
    machine.tokenGroups = {{MakeSid(1, {0}), SE_GROUP_MANDATORY | SE_GROUP_ENABLED},
                           {MakeSid(5, {32, 545}), SE_GROUP_MANDATORY | SE_GROUP_ENABLED},
                           {MakeSid(5, {32, 544}), SE_GROUP_MANDATORY | SE_GROUP_ENABLED}};
    LoadProgramResources();
}

}  // namespace standin

using namespace standin;

BOOL GetVersionExA(OSVERSIONINFOA *version)
{
    if (machine.versionFails || version->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA))
        return FALSE;
    version->dwPlatformId = machine.platformId;
    return TRUE;
}

HMODULE GetModuleHandleA(LPCSTR moduleName)
{
    if (!moduleName)
        return ProgramModule;
    std::string name = moduleName;
    if (name == "advapi32.dll")
        return AdvapiModule;
    // ntdll comes with the NT kernel, whatever GetVersionExA reports; the Windows 95 family has none.
    bool ntdll = name == "ntdll.dll" && machine.family == Family::NT;
    return ntdll ? NtdllModule : nullptr;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name)
{
    std::string entry = name;
    if (module == NtdllModule && entry == "NtDeleteKey")
        return NtDeleteKeyEntry;
    if (module == AdvapiModule && entry == "RegOpenUserClassesRoot" && machine.perUserClasses)
        return RegOpenUserClassesRootEntry;
    return nullptr;
}

HLOCAL LocalAlloc(UINT, std::size_t size)
{
    ++machine.liveLocalBlocks;
    return ::operator new(size);
}

HLOCAL LocalFree(HLOCAL memory)
{
    --machine.liveLocalBlocks;
    ::operator delete(memory);
    return nullptr;
}

LCID GetUserDefaultLCID()
{
    return machine.userDefaultLocale;
}

void ExitProcess(UINT exitCode)
{
    throw ProcessExit{exitCode};
}
