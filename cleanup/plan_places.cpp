#include "cleanup/plan_places.h"

typedef LONG(WINAPI *RegOpenUserClassesRootProc)(HANDLE token, DWORD options, REGSAM access, PHKEY result);

// The user's own classes, where the system keeps them apart; null elsewhere.
// Looked up at run time: the Windows 95 family and NT 4.0 have no such call.
// A system that answers with HKEY_CLASSES_ROOT itself merges nothing.
static HKEY OpenUserClasses(BOOL *merged)
{
    HMODULE advapi32 = GetModuleHandleA("advapi32.dll");
    FARPROC entry = advapi32 ? GetProcAddress(advapi32, "RegOpenUserClassesRoot") : nullptr;
    RegOpenUserClassesRootProc openUserClassesRoot =
        reinterpret_cast<RegOpenUserClassesRootProc>(reinterpret_cast<void *>(entry));
    *merged = openUserClassesRoot != nullptr;
    HANDLE token;
    if (!openUserClassesRoot || !OpenProcessToken(GetCurrentProcess(), TOKEN_READ, &token))
        return nullptr;
    HKEY classes;
    LONG result = openUserClassesRoot(token, 0, KEY_READ, &classes);
    CloseHandle(token);
    if (result != ERROR_SUCCESS)
        return nullptr;
    if (classes == HKEY_CLASSES_ROOT)
        *merged = FALSE;
    return *merged ? classes : nullptr;
}

// Only an administrator can make a link under HKEY_LOCAL_MACHINE; the user's
// own keys, and what HKEY_CLASSES_ROOT shows of them, anyone can.
static const RegistryPlace CurrentUser = {HKEY_CURRENT_USER, TRUE, "HKEY_CURRENT_USER"};
static const RegistryPlace LocalMachine = {HKEY_LOCAL_MACHINE, FALSE, "HKEY_LOCAL_MACHINE"};

static void SetPlace(RegistryPlace &place, HKEY base, BOOL userWritable, LPCSTR spelled)
{
    place.base = base;
    place.userWritable = userWritable;
    place.spelled = spelled;
}

void OpenPlanPlaces(PlanPlaces *places)
{
    BOOL merged;
    HKEY userClasses = OpenUserClasses(&merged);
    HKEY machineClasses = nullptr;
    if (merged && RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes", 0, KEY_READ, &machineClasses) != ERROR_SUCCESS)
        machineClasses = nullptr;
    SetPlace(places->classesRoot, HKEY_CLASSES_ROOT, merged, "HKEY_CLASSES_ROOT");
    places->merged = merged;
    SetPlace(places->machineClasses, machineClasses, FALSE, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes");
    SetPlace(places->userClasses, userClasses, TRUE, "HKEY_CURRENT_USER\\Software\\Classes");
}

void ClosePlanPlaces(const PlanPlaces &places)
{
    if (places.machineClasses.base)
        RegCloseKey(places.machineClasses.base);
    if (places.userClasses.base)
        RegCloseKey(places.userClasses.base);
}

const RegistryPlace &PlaceOf(const PlanPlaces &places, RegistryRoot root)
{
    if (root == HKEY_CLASSES_ROOT)
        return places.classesRoot;
    return root == HKEY_CURRENT_USER ? CurrentUser : LocalMachine;
}
