// The fixed plan: 25 key trees, then 17 single values, in this order.
#pragma once
#include "win32.h"

// One of the three predefined roots the plan names.
typedef HKEY RegistryRoot;

struct KeyTreeRow {
    RegistryRoot root;
    LPCSTR path;
};

struct ValueRow {
    RegistryRoot root;
    LPCSTR path;
    LPCSTR valueName;
};

const int KeyTreeRowCount = 25;
const int ValueRowCount = 17;

extern const KeyTreeRow KeyTreeRows[KeyTreeRowCount];
extern const ValueRow ValueRows[ValueRowCount];

struct PlanPlaces;
struct RegistryPlace;

// One row run in one place: a key tree, or a value where valueName is set.
struct PlanRun {
    const RegistryPlace *place;
    LPCSTR path;
    LPCSTR valueName;
};

// Every row at its own root, then, where HKEY_CLASSES_ROOT merges two
// halves, each of its rows again on the machine's half and on the user's.
const int MaxPlanRuns = 3 * (KeyTreeRowCount + ValueRowCount);
// Fills `runs` in the order they are carried out; returns how many.
int ListPlanRuns(const PlanPlaces &places, PlanRun *runs);
