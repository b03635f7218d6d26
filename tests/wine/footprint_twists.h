// Registry shapes a real machine may hold beside the plain footprint:
//  - Links: a planned key that is a registry link, and a link inside a
//    planned tree, both leading to neighbours that must survive; and a
//    dangling link inside a planned tree, whose target must stay missing.
//  - NameOutsideCodePage: a subkey of a planned key whose name the program's
//    ANSI code page cannot spell, so that the program can neither open nor
//    remove it, and the key holding it stays.
#pragma once
#include "expectations.h"
#include "../footprint.h"

// Planned keys the twist seeds in a shape of its own, left out of the plain
// seeding and checks.
bool IsTwisted(Twist twist, const TestKey &key);
// The planned key that the name outside the code page keeps.
bool HoldsOddName(const TestKey &key);

// Before the plain seeding. False, with the failures reported, if a write failed.
bool SeedTwist(Twist twist);
void CheckTwist(Twist twist, RegistryOutcome outcome);
