#include "registry_comparison.h"
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

bool IsPlannedValue(const std::wstring &upperPath, const std::wstring &upperName)
{
    for (const TestValue &value : PlannedValues) {
        if (upperPath == UpperCase(SnapshotPath(value.root, value.path)) && upperName == UpperCase(Wide(value.name)))
            return true;
    }
    return false;
}

void CompareValues(const std::wstring &upperPath, const SnapshotKey &was, const SnapshotKey &now, RegistryOutcome outcome)
{
    for (const auto &[name, value] : was.values) {
        auto found = now.values.find(name);
        if (outcome == RegistryOutcome::Removed && IsPlannedValue(upperPath, name)) {
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

void ExpectFootprintIn(const RegistrySnapshot &before)
{
    for (const TestKey &key : PlannedKeys)
        if (!before.count(UpperCase(SnapshotPath(key.root, key.path))))
            Fail("the snapshot misses the planned key " + Quoted(SnapshotPath(key.root, key.path)));
    for (const TestValue &value : PlannedValues) {
        auto key = before.find(UpperCase(SnapshotPath(value.root, value.path)));
        if (key == before.end() || !key->second.values.count(UpperCase(Wide(value.name))))
            Fail("the snapshot misses the planned value " + Quoted(SnapshotPath(value.root, value.path)) + " " +
                 Quoted(Wide(value.name)));
    }
}

void CompareSnapshots(const RegistrySnapshot &before, const RegistrySnapshot &after, RegistryOutcome outcome)
{
    differences = 0;
    for (const auto &[path, key] : before) {
        auto found = after.find(path);
        if (outcome == RegistryOutcome::Removed && UnderPlannedKey(path)) {
            if (found != after.end())
                Differ(Quoted(key.path) + " is still there");
        } else if (found == after.end()) {
            Differ(Quoted(key.path) + " is gone");
        } else {
            CompareValues(path, key, found->second, outcome);
        }
    }
    for (const auto &[path, key] : after)
        if (!before.count(path))
            Differ(Quoted(key.path) + " is new");
    if (differences > ShownDifferences)
        Fail("and " + std::to_string(differences - ShownDifferences) + " more differences in the registry");
}
