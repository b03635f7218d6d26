// Coverage-guided fuzzing of the cleanup. Each input is one machine; the plan
// and the check after it run against it, and for every input:
// - nothing outside the planned trees and values changed, a planned tree being
//   what the row's key reached before the run, without following links;
// - the walk ended within a bound in proportion to the keys it met;
// - the check's list of rows left is the truth as the stand-in sees it;
// - every handle is closed and every allocation freed.
#include "cleanup/cleanup.h"
#include "tests/footprint.h"
#include "tests/fuzz/fuzzed_machine.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

using namespace standin;

namespace {

[[noreturn]] void Fail(const std::string &what)
{
    std::fprintf(stderr, "cleanup fuzzer: %s\n", what.c_str());
    std::abort();
}

// Where a run of the plan starts, as the oracle sees it: the root's own key,
// whether a link on the way may have been planted by a user, and whether the
// first name looks in the user's classes first.
struct OraclePlace {
    std::string spelled;
    RegistryKey *base;
    bool userWritable;
    bool merged;
};

struct OracleRun {
    OraclePlace place;
    std::string path;
    std::string valueName;
    bool isValue;
};

std::vector<std::string> SplitPath(const std::string &path)
{
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t end; (end = path.find('\\', start)) != std::string::npos; start = end + 1)
        names.push_back(path.substr(start, end - start));
    names.push_back(path.substr(start));
    return names;
}

RegistryKey *Root(int index) { return machine.roots[index].get(); }

// One name below a key, as itself; through the merged HKCR the user's first.
RegistryKey *Below(const OraclePlace &place, RegistryKey *key, const std::string &name)
{
    if (place.merged && key == place.base)
        if (RegistryKey *user = FindKeyBelow(Root(3), name))
            return user;
    return FindKeyBelow(key, name);
}

// Where a link leads, links after it followed; null when it dangles.
RegistryKey *Follow(RegistryKey *key)
{
    const char *const roots[] = {"HKCR", "HKCU", "HKLM", "HKUC"};
    for (int hops = 0; key && IsLinkKey(key) && hops < 16; ++hops) {
        std::string target = key->values.at("SYMBOLICLINKVALUE").data;
        RegistryKey *next = nullptr;
        for (int root = 0; root < 4; ++root) {
            std::string name = roots[root];
            if (target == name)
                next = Root(root);
            else if (target.rfind(name + "\\", 0) == 0)
                next = FindKeyBelow(Root(root), target.substr(name.size() + 1));
        }
        key = next;
    }
    return key && IsLinkKey(key) ? nullptr : key;
}

// How far a run reaches: its key, none (not there), or blocked (a link, or a
// key it may not open, on the way).
struct Reach {
    RegistryKey *key = nullptr;
    bool blocked = false;
};

Reach ReachKey(const OracleRun &run, bool followLast)
{
    std::vector<std::string> names = SplitPath(run.path);
    RegistryKey *key = run.place.base;
    Reach reach;
    if (!run.place.userWritable) {
        // The system's own links on the way are followed, as a plain open does.
        std::string parent = run.path.substr(0, run.path.size() - names.back().size());
        key = parent.empty() ? key : FindKeyBelow(key, parent.substr(0, parent.size() - 1));
        key = key && IsLinkKey(key) ? Follow(key) : key;
        key = key ? FindKeyBelow(key, names.back()) : nullptr;
        reach.key = key && followLast && IsLinkKey(key) ? Follow(key) : key;
        return reach;
    }
    for (size_t i = 0; i < names.size(); ++i) {
        key = Below(run.place, key, names[i]);
        if (!key)
            return reach;
        bool last = i + 1 == names.size();
        if (last && !followLast)
            break;
        if (IsLinkKey(key) || !(key->grantedAccess & KEY_QUERY_VALUE)) {
            reach.blocked = true;
            return reach;
        }
    }
    reach.key = key;
    return reach;
}

// The runs in the order the plan carries them out, written from the tests'
// own copy of the footprint.
std::vector<OracleRun> PlanRuns()
{
    bool merged = machine.perUserClasses;
    OraclePlace classes{"HKEY_CLASSES_ROOT", Root(0), merged, merged};
    OraclePlace user{"HKEY_CURRENT_USER", Root(1), true, false};
    OraclePlace local{"HKEY_LOCAL_MACHINE", Root(2), false, false};
    const OraclePlace *places[] = {&classes, &user, &local};
    std::vector<OracleRun> runs;
    for (const TestKey &key : PlannedKeys)
        runs.push_back({*places[key.root], key.path, "", false});
    for (const TestValue &value : PlannedValues)
        runs.push_back({*places[value.root], value.path, value.name, true});
    if (!merged)
        return runs;
    RegistryKey *machineClasses = Follow(FindKeyBelow(Root(2), "SOFTWARE\\Classes"));
    const OraclePlace halves[] = {{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes", machineClasses, false, false},
                                  {"HKEY_CURRENT_USER\\Software\\Classes", Root(3), true, false}};
    for (const OraclePlace &half : halves) {
        if (!half.base)
            continue;
        for (const TestKey &key : PlannedKeys)
            if (key.root == ClassesRoot)
                runs.push_back({half, key.path, "", false});
        for (const TestValue &value : PlannedValues)
            if (value.root == ClassesRoot)
                runs.push_back({half, value.path, value.name, true});
    }
    return runs;
}

std::string Upper(std::string text)
{
    for (char &c : text)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
}

// What the plan may take: each planned tree, and each planned value.
struct Planned {
    std::set<RegistryKey *> trees;
    std::map<RegistryKey *, std::set<std::string>> values;
};

void AddTree(RegistryKey *key, std::set<RegistryKey *> &tree)
{
    tree.insert(key);
    for (const auto &subkey : key->subkeys)
        AddTree(subkey.get(), tree);
}

Planned PlannedNow()
{
    Planned planned;
    for (const OracleRun &run : PlanRuns()) {
        Reach reach = ReachKey(run, run.isValue);
        if (!reach.key)
            continue;
        if (run.isValue)
            planned.values[reach.key].insert(Upper(run.valueName));
        else
            AddTree(reach.key, planned.trees);
    }
    return planned;
}

// What the check after the plan must find: a key there, a value there, or a
// place on the way it may not look through.
std::vector<std::string> RowsLeftTruly()
{
    std::vector<std::string> left;
    for (const OracleRun &run : PlanRuns()) {
        Reach reach = ReachKey(run, run.isValue);
        bool there = reach.blocked || (reach.key && !run.isValue);
        if (reach.key && run.isValue)
            there = !(reach.key->grantedAccess & KEY_QUERY_VALUE) || reach.key->values.count(Upper(run.valueName));
        if (there)
            left.push_back(run.place.spelled + "\\" + run.path + (run.isValue ? " \"" + run.valueName + "\"" : ""));
    }
    return left;
}

std::vector<std::string> RowsLeftReported()
{
    RowLeft left[3 * 42];
    int count = FindRowsLeft(left, 3 * 42);
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(std::string(left[i].place) + "\\" + left[i].path +
                        (left[i].valueName ? " \"" + std::string(left[i].valueName) + "\"" : ""));
    return lines;
}

std::string Joined(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text += "\n  " + line;
    return text;
}

struct KeyState {
    std::shared_ptr<RegistryKey> key;
    std::string path;
    std::map<std::string, RegistryValue> values;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedMachine fuzzed = DecodeMachine(data, size);

    Planned planned = PlannedNow();
    std::map<RegistryKey *, KeyState> before;
    for (RegistryKey *key : LiveKeys())
        before[key] = {key->shared_from_this(), KeyPath(key), key->values};
    // What the other process removes is no fault of the program's.
    std::set<RegistryKey *> changedByOthers;
    size_t keysMet = before.size();
    machine.afterRegistryCall = [&](const RegistryCall &) {
        size_t calls = machine.registryCalls.size();
        for (const ScheduledChange &scheduled : fuzzed.schedule) {
            if (scheduled.afterCall != calls)
                continue;
            std::set<RegistryKey *> live = LiveKeys();
            scheduled.change();
            std::set<RegistryKey *> now = LiveKeys();
            for (RegistryKey *key : live)
                if (!now.count(key))
                    changedByOthers.insert(key);
            // What the rows reach now is theirs too: a planned key made anew, say.
            Planned reached = PlannedNow();
            planned.trees.insert(reached.trees.begin(), reached.trees.end());
            for (const auto &[key, names] : reached.values)
                planned.values[key].insert(names.begin(), names.end());
            for (RegistryKey *key : now)
                if (!live.count(key)) {
                    ++keysMet;
                    before[key] = {key->shared_from_this(), KeyPath(key), key->values};
                }
        }
        if (calls > 12 * keysMet + 40 * 3 * 42)
            Fail("the removal does not end: " + std::to_string(calls) + " registry calls for " +
                 std::to_string(keysMet) + " keys");
    };

    try {
        RemoveProductFootprint();
        machine.afterRegistryCall = nullptr;

        for (const auto &[key, state] : before) {
            if (planned.trees.count(key) || changedByOthers.count(key))
                continue;
            if (key->deleted)
                Fail("deleted outside the plan: " + state.path);
            auto allowed = planned.values.find(key);
            for (const auto &[name, value] : state.values)
                if (!key->values.count(name) && !(allowed != planned.values.end() && allowed->second.count(name)))
                    Fail("value deleted outside the plan: " + state.path + " " + name);
            if (key->values.size() > state.values.size())
                Fail("value added: " + state.path);
        }

        std::vector<std::string> reported = RowsLeftReported(), truth = RowsLeftTruly();
        if (reported != truth)
            Fail("rows left reported:" + Joined(reported) + "\nbut left in truth:" + Joined(truth));
    } catch (const std::exception &refused) {
        Fail(std::string("the stand-in refused a call: ") + refused.what());
    }

    if (!machine.openKeys.empty() || machine.openTokens || machine.liveSids || machine.liveLocalBlocks)
        Fail("handles or memory not released: " + std::to_string(machine.openKeys.size()) + " keys, " +
             std::to_string(machine.openTokens) + " tokens");
    return 0;
}
