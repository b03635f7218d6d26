// The product's footprint and its neighbours in the live registry of the
// prefix: seeded before a run, checked after it.
#pragma once
#include "expectations.h"

// Writes every planned key (with a subtree and values), planned value,
// neighbour key and neighbour value, and the twist. False, with the
// failures reported, if any write failed.
bool SeedFootprint(Twist twist);

// Checks the planned entries against the outcome, and that every neighbour
// is still there with its data.
void CheckFootprint(RegistryOutcome outcome, Twist twist);

// One line per planned key and value, saying whether it is there now, and a
// count at the end.
void ListFootprint();
