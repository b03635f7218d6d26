// The product's footprint and its neighbours in the live registry of the
// prefix: seeded before a run, checked after it.
#pragma once
#include "expectations.h"

// Writes every planned key (with a subtree and values), planned value,
// neighbour key and neighbour value, then the twists, which may take the
// place of some of those. False, with the failures reported, if any write failed.
bool SeedFootprint(const Twists &twists);

// Checks the planned entries against the outcome, and that every neighbour
// is still there with its data; each twist checks what it seeded.
void CheckFootprint(RegistryOutcome outcome, const Twists &twists);

// One line per planned key and value, saying whether it is there now, and a
// count at the end.
void ListFootprint();
