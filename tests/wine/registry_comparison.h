// What a run may change in the whole of HKLM\SOFTWARE and HKCU\SOFTWARE:
// the planned entries and what lay under them, nothing else.
#pragma once
#include "expectations.h"
#include "registry_snapshot.h"

// The snapshot taken after seeding must hold every planned key and value;
// otherwise a comparison with it would prove nothing. Those that a twist
// shapes (reached through a link, say) are the twist's to check.
void ExpectFootprintIn(const RegistrySnapshot &before, const Twists &twists);

// Removed: every key at or under a planned key path and every planned value
// is gone, and everything else is as before, byte for byte, with nothing new.
// PartlyRemoved: the same, except for what the twists keep, which is as before.
// Untouched: nothing changed at all.
void CompareSnapshots(const RegistrySnapshot &before, const RegistrySnapshot &after, RegistryOutcome outcome,
                      const Twists &twists);
