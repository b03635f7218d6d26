// Registry calls DeleteKeyTree makes per key it removes, counted in the
// stand-in machine for each shape and platform family, by function.
#include "bench/shapes.h"
#include "cleanup/cleanup.h"
#include "gate/gate.h"
#include "machine.h"

#include <cstdio>
#include <map>
#include <string>

using namespace standin;
using bench::Shape;

namespace {

// The whole machine of one family, as the program sees it once it has looked.
void UseFamily(Family family)
{
    machine.family = family;
    bool windows95 = family == Family::Windows95;
    machine.platformId = windows95 ? VER_PLATFORM_WIN32_WINDOWS : VER_PLATFORM_WIN32_NT;
    IsWin95Family = windows95;
}

void Build(const std::string &path, const Shape &shape, int level)
{
    if (shape.values)
        SetValue(HKEY_CURRENT_USER, path, bench::ValueName, bench::ValueData);
    else
        CreateKey(HKEY_CURRENT_USER, path);
    for (int i = 0; level < shape.depth && i < shape.fanout; ++i) {
        char child[16];
        bench::ChildName(i, child);
        Build(path + "\\" + child, shape, level + 1);
    }
}

long KeysIn(const RegistryKey *key)
{
    long keys = 1;
    for (const auto &subkey : key->subkeys)
        keys += KeysIn(subkey.get());
    return keys;
}

// Prints one line; false when the tree was not built right or not removed.
bool Count(Family family, const Shape &shape)
{
    ResetMachine();
    UseFamily(family);
    std::string path = std::string(bench::ScratchPath) + "\\" + shape.name;
    Build(path, shape, 0);
    long keys = KeysIn(FindKey(HKEY_CURRENT_USER, path));
    if (keys != bench::KeyCount(shape)) {
        std::fprintf(stderr, "the %s tree has %ld keys instead of %ld\n", shape.name, keys, bench::KeyCount(shape));
        return false;
    }

    machine.registryCalls.clear();
    DeleteKeyTree(HKEY_CURRENT_USER, path.c_str());
    bool gone = !KeyExists(HKEY_CURRENT_USER, path);

    std::map<std::string, long> byFunction;
    for (const RegistryCall &call : machine.registryCalls)
        ++byFunction[call.function];
    std::printf("%-6s %-10s %6ld %7zu %8.2f ", shape.name, family == Family::NT ? "NT" : "Windows 95", keys,
                machine.registryCalls.size(), double(machine.registryCalls.size()) / keys);
    const char *separator = " ";
    for (const auto &[function, calls] : byFunction) {
        std::printf("%s%s %.2f", separator, function.c_str(), double(calls) / keys);
        separator = ", ";
    }
    std::printf("%s\n", gone ? "" : "  FAILED: the tree is still there");
    return gone;
}

}  // namespace

int main()
{
    std::printf("Registry calls of DeleteKeyTree per removed key, in the stand-in machine\n");
    std::printf("%-6s %-10s %6s %7s %8s  %s\n", "shape", "family", "keys", "calls", "per key", "per key, by function");
    bool allGone = true;
    for (Family family : {Family::NT, Family::Windows95})
        for (const Shape &shape : bench::Shapes)
            allGone = Count(family, shape) && allGone;
    return allGone ? 0 : 1;
}
