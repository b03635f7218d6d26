// Registry shapes a real machine, or someone who prepared it, may hold
// beside the plain footprint; each seeded after it, in the prefix:
//  - Links: a planned key that is a registry link, and a link inside a
//    planned tree, both leading to neighbours that must survive; and a
//    dangling link inside a planned tree, whose target must stay missing.
//  - NameOutsideCodePage: a subkey of a planned key whose name the program's
//    ANSI code page cannot spell, so that the program can neither open nor
//    remove it, and the key holding it stays.
//  - BestFitTrap: inside a planned HKCU key, a link the program may not
//    remove, into an HKLM key with a subkey A, and a sibling named "L＼A"
//    (U+FF3C), which RegEnumKeyA gives back as "L\A" by best fit: opened by
//    that name, the path would run through the link and reach A.
//  - LeadingNul: a subkey of a planned HKCU key whose name starts with NUL,
//    which RegEnumKeyA gives back as "".
//  - LinkedVendorKey: HKCU\SOFTWARE\KELBO SOFTWARE, the parent of a planned
//    key, is a link into HKLM, to a key holding a MOKTA32 tree of its own.
//  - LinkedRunKey: the HKCU Run key of two planned values is a link into
//    HKLM, to a key holding values of the same names.
//  - ReadOnlyRunKey: the HKCU Run key may only be read, by anyone.
//  - ReadOnlyClassKeys: nine planned HKCR keys may only be read, by anyone.
// What the program cannot or must not remove stays: the twists say what,
// for the checks of a PartlyRemoved run.
#pragma once
#include "expectations.h"
#include "../footprint.h"
#include <string>

// Whether the planned entry or neighbour at `path` lies at or below a key
// that a twist seeds in a shape of its own: left out of the plain seeding
// and checks.
bool IsTwisted(const Twists &twists, TestRoot root, const char *path);

// How a planned key fares on a PartlyRemoved run.
enum class KeyStays {
    No,
    Emptied,  // the key stays, with what the twist put below it alone
    Whole,    // the program could not touch it: its tree stays as it was
};
KeyStays PlannedKeyStays(const Twists &twists, const TestKey &key);
bool PlannedValueStays(const Twists &twists, const TestValue &value);

// For the whole-registry comparison: whether a key at or below a planned
// key, by its upper-case snapshot path, stays on a PartlyRemoved run.
bool KeyStaysOnPartialRun(const Twists &twists, const std::wstring &upperSnapshotPath);

// After the plain seeding. False, with the failures reported, if a write failed.
bool SeedTwists(const Twists &twists);
void CheckTwists(const Twists &twists, RegistryOutcome outcome);
