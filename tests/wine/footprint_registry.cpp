#include "footprint_registry.h"
#include "footprint_twists.h"
#include "registry_access.h"
#include "../footprint.h"
#include <cstdio>

// Data written into every seeded value: checked on the way back, so that a
// value rewritten rather than kept shows too.
static const char PlannedData[] = "planned by the test";
static const char NeighbourData[] = "neighbour of the footprint";
static const char SeedValueName[] = "Seeded";

static std::string Below(const TestKey &key, const char *sub) { return std::string(key.path) + "\\" + sub; }

// A planned key gets a default and a named value, and so does each key of the
// subtree below it: removal must take the whole tree.
static bool SeedPlannedKey(const TestKey &key)
{
    bool ok = WriteValue(key.root, key.path, "", PlannedData) && WriteValue(key.root, key.path, SeedValueName, PlannedData);
    for (const char *sub : PlannedSubtree)
        ok = ok && WriteValue(key.root, Below(key, sub), SeedValueName, PlannedData);
    return ok;
}

bool SeedFootprint(const Twists &twists)
{
    bool ok = true;
    for (const TestKey &key : PlannedKeys)
        ok = (IsTwisted(twists, key.root, key.path) || SeedPlannedKey(key)) && ok;
    for (const TestValue &value : PlannedValues)
        ok = (IsTwisted(twists, value.root, value.path) || WriteValue(value.root, value.path, value.name, PlannedData)) && ok;
    for (const TestKey &key : NeighbourKeys)
        ok = (IsTwisted(twists, key.root, key.path) || WriteValue(key.root, key.path, SeedValueName, NeighbourData)) && ok;
    for (const TestValue &value : NeighbourValues)
        ok = (IsTwisted(twists, value.root, value.path) || WriteValue(value.root, value.path, value.name, NeighbourData)) &&
             ok;
    // Last, since some take away the rights to write what they hold.
    return SeedTwists(twists) && ok;
}

static void ExpectPlannedKeyKept(const TestKey &key)
{
    ExpectValue(key.root, key.path, "", PlannedData);
    ExpectValue(key.root, key.path, SeedValueName, PlannedData);
    for (const char *sub : PlannedSubtree)
        ExpectValue(key.root, Below(key, sub), SeedValueName, PlannedData);
}

// Everything below the key that the program could name is gone; the key
// itself stays for what the twist put below it (checked with the twist).
static void ExpectPlannedKeyEmptied(const TestKey &key)
{
    for (const char *sub : PlannedSubtree)
        ExpectKeyGone(key.root, Below(key, sub));
}

static void CheckPlannedKey(const TestKey &key, RegistryOutcome outcome, const Twists &twists)
{
    KeyStays stays = outcome == RegistryOutcome::Untouched      ? KeyStays::Whole
                     : outcome == RegistryOutcome::PartlyRemoved ? PlannedKeyStays(twists, key)
                                                                 : KeyStays::No;
    if (stays == KeyStays::Whole)
        ExpectPlannedKeyKept(key);
    else if (stays == KeyStays::Emptied)
        ExpectPlannedKeyEmptied(key);
    else
        ExpectKeyGone(key.root, key.path);
}

void CheckFootprint(RegistryOutcome outcome, const Twists &twists)
{
    for (const TestKey &key : PlannedKeys)
        if (!IsTwisted(twists, key.root, key.path))
            CheckPlannedKey(key, outcome, twists);
    for (const TestValue &value : PlannedValues) {
        if (IsTwisted(twists, value.root, value.path))
            continue;
        if (outcome == RegistryOutcome::Untouched ||
            (outcome == RegistryOutcome::PartlyRemoved && PlannedValueStays(twists, value)))
            ExpectValue(value.root, value.path, value.name, PlannedData);
        else
            ExpectValueGone(value.root, value.path, value.name);
    }
    // Among the neighbours are the vendor keys above the product's own.
    for (const TestKey &key : NeighbourKeys)
        if (!IsTwisted(twists, key.root, key.path))
            ExpectValue(key.root, key.path, SeedValueName, NeighbourData);
    for (const TestValue &value : NeighbourValues)
        if (!IsTwisted(twists, value.root, value.path))
            ExpectValue(value.root, value.path, value.name, NeighbourData);
    CheckTwists(twists, outcome);
}

void ListFootprint()
{
    int planned = 0, present = 0;
    auto line = [&](bool there, const std::string &where) {
        ++planned;
        present += there;
        std::printf("  %-7s %s\n", there ? "present" : "gone", where.c_str());
    };
    for (const TestKey &key : PlannedKeys)
        line(KeyPresent(key.root, key.path), Where(key.root, key.path));
    for (const TestValue &value : PlannedValues)
        line(ValuePresent(value.root, value.path, value.name), Where(value.root, value.path, value.name));
    std::printf("%d of the %d planned entries present\n", present, planned);
}
