// Whether the plan left anything behind, judged run by run after it ran, each
// reached the same way as its removal.
#include "cleanup/cleanup.h"
#include "cleanup/plan_places.h"
#include "cleanup/registry_link.h"

// Gone means not found; anything else, a refused open or a link on the way, counts as left.
static bool KeyIsGone(const RegistryPlace &place, LPCSTR path)
{
    HKEY parent, key;
    LPCSTR name;
    LONG result = OpenRowParent(place, path, &parent, &name);
    if (result != ERROR_SUCCESS)
        return result == ERROR_FILE_NOT_FOUND;
    result = RegOpenKeyExA(parent, name, LinkOpenOptions(), KEY_QUERY_VALUE, &key);
    CloseRowParent(place, parent);
    if (result == ERROR_SUCCESS)
        RegCloseKey(key);
    return result == ERROR_FILE_NOT_FOUND;
}

static bool ValueIsGone(const RegistryPlace &place, LPCSTR path, LPCSTR valueName)
{
    HKEY key;
    LONG result = OpenValueKey(place, path, KEY_QUERY_VALUE, &key);
    if (result == ERROR_SUCCESS) {
        result = RegQueryValueExA(key, valueName, nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
    }
    return result == ERROR_FILE_NOT_FOUND;
}

int FindRowsLeft(RowLeft *left, int capacity)
{
    PlanPlaces places;
    OpenPlanPlaces(&places);
    PlanRun runs[MaxPlanRuns];
    int count = ListPlanRuns(places, runs), found = 0;
    for (int i = 0; i < count; ++i) {
        const PlanRun &run = runs[i];
        bool gone = run.valueName ? ValueIsGone(*run.place, run.path, run.valueName) : KeyIsGone(*run.place, run.path);
        if (!gone && found < capacity)
            left[found] = {run.place->spelled, run.path, run.valueName};
        found += !gone;
    }
    ClosePlanPlaces(places);
    return found;
}
