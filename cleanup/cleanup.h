// Removal of the product's registry footprint.
#pragma once
#include "win32.h"

// Opens the key, removes its subkeys depth first, and deletes it; a link is
// removed as itself, never followed.
// TRUE when the key could be opened, whatever the deletion gave.
BOOL DeleteKeyTree(HKEY parent, LPCSTR path);
// TRUE only when the value was deleted; the key itself always stays.
BOOL DeleteRegistryValue(HKEY root, LPCSTR path, LPCSTR valueName);
// Runs every row of the removal plan once, in order, silently.
void RemoveProductFootprint();
// TRUE when no row of the plan finds its key or value any more.
BOOL IsFootprintGone();
