// Removal of the product's registry footprint.
#pragma once
#include "win32.h"

struct RegistryPlace;

// Opens the key, removes its subkeys depth first, and deletes it; a link is
// removed as itself, never followed. Subkeys whose names cannot be given
// back as they are stay, and so does whatever lies below 512 levels.
// TRUE when the key could be opened, whatever the deletion gave.
BOOL DeleteKeyTree(HKEY parent, LPCSTR path);
// TRUE only when the value was deleted; the key itself always stays.
BOOL DeleteRegistryValue(const RegistryPlace &place, LPCSTR path, LPCSTR valueName);
// Runs every row of the removal plan once, in order, silently.
void RemoveProductFootprint();

// A row that the check after the plan finds still there, as the report names it.
struct RowLeft {
    LPCSTR place;      // "HKEY_LOCAL_MACHINE", ...
    LPCSTR path;
    LPCSTR valueName;  // null for a key tree
};

// Checks every run of the plan the way it was carried out. Returns how many
// rows are left, and puts the first `capacity` of them, in plan order, into `left`.
int FindRowsLeft(RowLeft *left, int capacity);
