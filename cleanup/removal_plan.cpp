#include "cleanup/removal_plan.h"
#include "cleanup/cleanup.h"
#include "cleanup/plan_places.h"

// Names exactly as the product writes them, letter case included.
const KeyTreeRow KeyTreeRows[KeyTreeRowCount] = {
    {HKEY_CLASSES_ROOT, "XQMfile"},
    {HKEY_CLASSES_ROOT, ".xqm"},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32"},
    // Normally gone with the row above; catches what that row left behind.
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32\\ZEPHA KEY"},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MOKTA.EXE"},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MOKTA32.EXE"},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MOKTA32"},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MOKTA_V1_0"},
    {HKEY_CURRENT_USER, "SOFTWARE\\KELBO SOFTWARE\\MOKTA32"},
    // "*" is an ordinary key name here, not a pattern.
    {HKEY_CLASSES_ROOT, "*\\shellex\\ContextMenuHandlers\\Mokta32"},
    {HKEY_CLASSES_ROOT, "Mokta32"},
    {HKEY_CLASSES_ROOT, "Folder\\shellex\\ContextMenuHandlers\\Mokta32"},
    {HKEY_CLASSES_ROOT, "Nuvex.Nuvex"},
    {HKEY_CLASSES_ROOT, "Nuvex.Nuvex.1"},
    {HKEY_CLASSES_ROOT, "Nuvexa.Nuvexa"},
    {HKEY_CLASSES_ROOT, "Nuvexa.Nuvexa.1"},
    {HKEY_CLASSES_ROOT, "CLSID\\{5E93B1C7-D6A4-11CE-9B4D-0080A1E37D56}"},
    {HKEY_CLASSES_ROOT, "CLSID\\{7AC61F38-B297-11D1-A45E-00A0C93B61D2}"},
    {HKEY_CLASSES_ROOT, "CLSID\\{7AC61F39-B297-11D1-A45E-00A0C93B61D2}"},
    {HKEY_CLASSES_ROOT, "CLSID\\{c2e4b76d-e8a1-11D1-9b07-00805f3ae9c8}"},
    {HKEY_CLASSES_ROOT, "CLSID\\{c2e4b76e-e8a1-11D1-9b07-00805f3ae9c8}"},
    {HKEY_CLASSES_ROOT, "Interface\\{7AC61F38-B297-11D1-A45E-00A0C93B61D2}"},
    {HKEY_CLASSES_ROOT, "Interface\\{c2e4b76d-e8a1-11D1-9b07-00805f3ae9c8}"},
    {HKEY_CLASSES_ROOT, "Typelib\\{7AC61F2A-B297-11D1-A45E-00A0C93B61D2}"},
    {HKEY_CLASSES_ROOT, "Typelib\\{d57a3c19-e89f-11D1-9b07-00805f3ae9c8}"},
};

const ValueRow ValueRows[ValueRowCount] = {
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Mokta32"},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Tqn32"},
    {HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Mokta32"},
    {HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Tqn32"},
    // The class of the first CLSID row, as an approved shell extension.
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved",
     "{5E93B1C7-D6A4-11CE-9B4D-0080A1E37D56}"},
    {HKEY_CLASSES_ROOT, ".386", "Mokta32Rename"},
    {HKEY_CLASSES_ROOT, ".BAT", "Mokta32Rename"},
    {HKEY_CLASSES_ROOT, ".BIN", "Mokta32Rename"},
    {HKEY_CLASSES_ROOT, ".CMD", "Mokta32Rename"},
    {HKEY_CLASSES_ROOT, ".COM", "Mokta32Rename"},
    {HKEY_CLASSES_ROOT, ".DOC", "Mokta32Rename"},
    {HKEY_CLASSES_ROOT, ".DOT", "Mokta32Rename"},
    {HKEY_CLASSES_ROOT, ".EXE", "Mokta32Rename"},
    {HKEY_CLASSES_ROOT, ".OVL", "Mokta32Rename"},
    {HKEY_CLASSES_ROOT, ".SYS", "Mokta32Rename"},
    {HKEY_CLASSES_ROOT, ".VXD", "Mokta32Rename"},
    {HKEY_CLASSES_ROOT, ".XLS", "Mokta32Rename"},
};

// A row at its own root; or, on a half of HKEY_CLASSES_ROOT, a class row
// only. A half that could not be opened has no runs: what HKEY_CLASSES_ROOT
// shows of it is still removed, and checked, through the rows at their root.
static void AddRun(const PlanPlaces &places, const RegistryPlace *half, RegistryRoot root, LPCSTR path,
                   LPCSTR valueName, PlanRun *runs, int &count)
{
    const RegistryPlace *place = half ? (root == HKEY_CLASSES_ROOT ? half : nullptr) : &PlaceOf(places, root);
    if (place && place->base)
        runs[count++] = {place, path, valueName};
}

static void AddRuns(const PlanPlaces &places, const RegistryPlace *half, PlanRun *runs, int &count)
{
    for (const KeyTreeRow &row : KeyTreeRows)
        AddRun(places, half, row.root, row.path, nullptr, runs, count);
    for (const ValueRow &row : ValueRows)
        AddRun(places, half, row.root, row.path, row.valueName, runs, count);
}

int ListPlanRuns(const PlanPlaces &places, PlanRun *runs)
{
    int count = 0;
    AddRuns(places, nullptr, runs, count);
    if (places.merged) {
        AddRuns(places, &places.machineClasses, runs, count);
        AddRuns(places, &places.userClasses, runs, count);
    }
    return count;
}

// A key row's key is reached through its parent, so that it is opened, and
// deleted, as itself; a value row's key is opened as the place allows.
static void RemoveRun(const PlanRun &run)
{
    if (run.valueName) {
        DeleteRegistryValue(*run.place, run.path, run.valueName);
        return;
    }
    HKEY parent;
    LPCSTR name;
    if (OpenRowParent(*run.place, run.path, &parent, &name) != ERROR_SUCCESS)
        return;
    DeleteKeyTree(parent, name);
    CloseRowParent(*run.place, parent);
}

void RemoveProductFootprint()
{
    PlanPlaces places;
    OpenPlanPlaces(&places);
    PlanRun runs[MaxPlanRuns];
    int count = ListPlanRuns(places, runs);
    for (int i = 0; i < count; ++i)
        RemoveRun(runs[i]);
    ClosePlanPlaces(places);
}
