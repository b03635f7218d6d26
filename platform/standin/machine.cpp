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
    LoadProgramResources();
}

}  // namespace standin

using namespace standin;

LCID GetUserDefaultLCID()
{
    return machine.userDefaultLocale;
}

void ExitProcess(UINT exitCode)
{
    throw ProcessExit{exitCode};
}
