#include "registry_comparison.h"
#include "footprint_twists.h"
#include "report.h"
#include "../footprint.h"

namespace {

// Enough to see what went wrong; a run gone astray may change thousands.
const int ShownDifferences = 20;
int differences;

void Differ(const std::string &line)
{
    if (++differences <= ShownDifferences)
        Fail(line);
}

std::wstring Wide(const char *ascii) { return std::wstring(ascii, ascii + lstrlenA(ascii)); }

std::string ValueWhere(const SnapshotKey &key, const SnapshotValue &value)
{
    return Quoted(key.path) + " value " + (value.name.empty() ? "(default)" : Quoted(value.name));
}

bool UnderPlannedKey(const std::wstring &upperPath)
{
    for (const TestKey &key : PlannedKeys) {
        std::wstring planned = UpperCase(SnapshotPath(key.root, key.path));
        if (upperPath == planned || upperPath.compare(0, planned.size() + 1, planned + L"\\") == 0)
            return true;
    }
    return false;
}

bool IsPlannedValue(const std::wstring &upperPath, const std::wstring &upperName, const Twists &twists,
                    bool *stays)
{
    for (const TestValue &value : PlannedValues) {
        if (upperPath == UpperCase(SnapshotPath(value.root, value.path)) && upperName == UpperCase(Wide(value.name))) {
            *stays = PlannedValueStays(twists, value);
            return true;
        }
    }
    return false;
}

// Whether the run is to remove the key: one at or below a planned key,
// unless what the twists keep holds it.
bool KeyToGo(const std::wstring &upperPath, RegistryOutcome outcome, const Twists &twists)
{
    if (outcome == RegistryOutcome::Untouched || !UnderPlannedKey(upperPath))
        return false;
    return outcome == RegistryOutcome::Removed || !KeyStaysOnPartialRun(twists, upperPath);
}

bool ValueToGo(const std::wstring &upperPath, const std::wstring &upperName, RegistryOutcome outcome,
               const Twists &twists)
{
    bool stays = false;
    if (outcome == RegistryOutcome::Untouched || !IsPlannedValue(upperPath, upperName, twists, &stays))
        return false;
    return outcome == RegistryOutcome::Removed || !stays;
}

void CompareValues(const std::wstring &upperPath, const SnapshotKey &was, const SnapshotKey &now, RegistryOutcome outcome,
                   const Twists &twists)
{
    for (const auto &[name, value] : was.values) {
        auto found = now.values.find(name);
        if (ValueToGo(upperPath, name, outcome, twists)) {
            if (found != now.values.end())
                Differ(ValueWhere(was, value) + " is still there");
        } else if (found == now.values.end()) {
            Differ(ValueWhere(was, value) + " is gone");
        } else if (found->second.type != value.type || found->second.data != value.data) {
            Differ(ValueWhere(was, value) + " was changed");
        }
    }
    for (const auto &[name, value] : now.values)
        if (!was.values.count(name))
            Differ(ValueWhere(now, value) + " is new");
}

}  // namespace

void ExpectFootprintIn(const RegistrySnapshot &before, const Twists &twists)
{
    for (const TestKey &key : PlannedKeys)
        if (!IsTwisted(twists, key.root, key.path) && !before.count(UpperCase(SnapshotPath(key.root, key.path))))
            Fail("the snapshot misses the planned key " + Quoted(SnapshotPath(key.root, key.path)));
    for (const TestValue &value : PlannedValues) {
        if (IsTwisted(twists, value.root, value.path))
            continue;
        auto key = before.find(UpperCase(SnapshotPath(value.root, value.path)));
        if (key == before.end() || !key->second.values.count(UpperCase(Wide(value.name))))
            Fail("the snapshot misses the planned value " + Quoted(SnapshotPath(value.root, value.path)) + " " +
                 Quoted(Wide(value.name)));
    }
}

void CompareSnapshots(const RegistrySnapshot &before, const RegistrySnapshot &after, RegistryOutcome outcome,
                      const Twists &twists)
{
    differences = 0;
    for (const auto &[path, key] : before) {
        auto found = after.find(path);
        if (KeyToGo(path, outcome, twists)) {
            if (found != after.end())
                Differ(Quoted(key.path) + " is still there");
        } else if (found == after.end()) {
            Differ(Quoted(key.path) + " is gone");
        } else {
            CompareValues(path, key, found->second, outcome, twists);
        }
    }
    for (const auto &[path, key] : after)
        if (!before.count(path))
            Differ(Quoted(key.path) + " is new");
    if (differences > ShownDifferences)
        Fail("and " + std::to_string(differences - ShownDifferences) + " more differences in the registry");
}
