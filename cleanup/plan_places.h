// The places the plan runs in, opened afresh for each pass over it.
#pragma once
#include "cleanup/registry_place.h"
#include "cleanup/removal_plan.h"

struct PlanPlaces {
    RegistryPlace classesRoot;
    // Where HKEY_CLASSES_ROOT merges the user's classes over the machine's
    // (Windows 2000 and later), the two halves on their own; a key of the
    // user's hides the machine's key of the same name. A half that cannot
    // be opened has a null base.
    BOOL merged;
    RegistryPlace machineClasses, userClasses;
};

void OpenPlanPlaces(PlanPlaces *places);
void ClosePlanPlaces(const PlanPlaces &places);
// The place of a row's own root: HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE
// are the same for every pass.
const RegistryPlace &PlaceOf(const PlanPlaces &places, RegistryRoot root);
