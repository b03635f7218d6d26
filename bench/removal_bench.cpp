// Times DeleteKeyTree, as compiled into WEXOR.exe, against the system's own
// tree removals on identical trees under HKCU\Software\WexorBench.
// Only the removal is timed; a removal that leaves any key behind counts as
// a failure and its time is dropped.
// The platform's headers first: the C++ headers would define NOMINMAX differently.
#include "cleanup/cleanup.h"
#include "bench/shapes.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using bench::Shape;

// Changed by the arguments: removal_bench [RUNS [SHAPE]].
int Runs = 7;  // per shape and contender
const char *OnlyShape = nullptr;

struct Contender {
    const char *name;
    void (*remove)(HKEY parent, const char *path);
};

// IsWin95Family stays FALSE: DeleteKeyTree takes its NT path, link check included.
const Contender Contenders[] = {
    {"DeleteKeyTree", [](HKEY parent, const char *path) { DeleteKeyTree(parent, path); }},
    {"RegDeleteTreeA", [](HKEY parent, const char *path) { RegDeleteTreeA(parent, path); }},
    {"SHDeleteKeyA", [](HKEY parent, const char *path) { SHDeleteKeyA(parent, path); }},
};
const int ContenderCount = sizeof Contenders / sizeof Contenders[0];

// Makes `name` under `parent` and the levels below it; false on any refusal.
bool Build(HKEY parent, const char *name, const Shape &shape, int level)
{
    HKEY key;
    if (RegCreateKeyExA(parent, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool made = !shape.values || RegSetValueExA(key, bench::ValueName, 0, REG_SZ,
                                                reinterpret_cast<const BYTE *>(bench::ValueData),
                                                std::strlen(bench::ValueData) + 1) == ERROR_SUCCESS;
    for (int i = 0; made && level < shape.depth && i < shape.fanout; ++i) {
        char child[16];
        bench::ChildName(i, child);
        made = Build(key, child, shape, level + 1);
    }
    RegCloseKey(key);
    return made;
}

// Keys at and below `name`; 0 when it does not exist.
long CountKeys(HKEY parent, const char *name)
{
    HKEY key;
    if (RegOpenKeyExA(parent, name, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    long keys = 1;
    char child[MAX_PATH];
    for (DWORD i = 0; RegEnumKeyA(key, i, child, sizeof child) == ERROR_SUCCESS; ++i)
        keys += CountKeys(key, child);
    RegCloseKey(key);
    return keys;
}

double Milliseconds(LONGLONG ticks)
{
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    return ticks * 1000.0 / frequency.QuadPart;
}

struct Timings {
    std::vector<double> ms;  // successful removals only
    int failures = 0;
    long keysLeft = 0;       // summed over the failures
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One timed removal of a freshly built tree; false when the bench cannot go on.
bool TimeOnce(HKEY scratch, const Shape &shape, const Contender &contender, Timings &timings)
{
    if (!Build(scratch, shape.name, shape, 0) || CountKeys(scratch, shape.name) != bench::KeyCount(shape)) {
        std::fprintf(stderr, "could not build the %s tree\n", shape.name);
        return false;
    }
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    contender.remove(scratch, shape.name);
    QueryPerformanceCounter(&end);

    long left = CountKeys(scratch, shape.name);
    if (left == 0) {
        timings.ms.push_back(Milliseconds(end.QuadPart - start.QuadPart));
        return true;
    }
    ++timings.failures;
    timings.keysLeft += left;
    // The next run needs a clean slate.
    RegDeleteTreeA(scratch, shape.name);
    if (CountKeys(scratch, shape.name) != 0) {
        std::fprintf(stderr, "could not clear what %s left of the %s tree\n", contender.name, shape.name);
        return false;
    }
    return true;
}

void PrintCell(const Timings &timings)
{
    char cell[48];
    if (timings.ms.empty())
        std::snprintf(cell, sizeof cell, "failed");
    else
        std::snprintf(cell, sizeof cell, "%.1f [%.1f-%.1f]", Median(timings.ms),
                      *std::min_element(timings.ms.begin(), timings.ms.end()),
                      *std::max_element(timings.ms.begin(), timings.ms.end()));
    std::printf("  %-24s", cell);
}

const char *SystemName()
{
    typedef const char *(__cdecl * VersionProc)();
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    auto wineVersion =
        reinterpret_cast<VersionProc>(reinterpret_cast<void *>(GetProcAddress(ntdll, "wine_get_version")));
    static char name[64];
    if (wineVersion)
        std::snprintf(name, sizeof name, "Wine %s", wineVersion());
    else
        std::snprintf(name, sizeof name, "Windows");
    return name;
}

bool RunRemovals(HKEY scratch)
{
    std::printf("Removal times under %s, NT semantics, %d runs per shape: median [min-max] ms\n", SystemName(),
                Runs);
    std::printf("%-6s %6s", "shape", "keys");
    for (const Contender &contender : Contenders)
        std::printf("  %-24s", contender.name);
    std::printf("  %s\n", "DeleteKeyTree/RegDeleteTreeA");

    for (const Shape &shape : bench::Shapes) {
        if (OnlyShape && std::strcmp(OnlyShape, shape.name) != 0)
            continue;
        Timings timings[ContenderCount];
        // Each run starts with a different contender, so none always goes first.
        for (int run = 0; run < Runs; ++run)
            for (int turn = 0; turn < ContenderCount; ++turn) {
                int c = (run + turn) % ContenderCount;
                if (!TimeOnce(scratch, shape, Contenders[c], timings[c]))
                    return false;
            }
        std::printf("%-6s %6ld", shape.name, bench::KeyCount(shape));
        for (const Timings &t : timings)
            PrintCell(t);
        if (timings[0].ms.empty() || timings[1].ms.empty())
            std::printf("  -\n");
        else
            std::printf("  %.2f\n", Median(timings[0].ms) / Median(timings[1].ms));
        for (int c = 0; c < ContenderCount; ++c)
            if (timings[c].failures)
                std::printf("  FAILED: %s left keys behind in %d of %d runs (%ld keys in all)\n",
                            Contenders[c].name, timings[c].failures, Runs, timings[c].keysLeft);
    }
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::atoi(argv[1]) > 0)
        Runs = std::atoi(argv[1]);
    if (argc > 2)
        OnlyShape = argv[2];
    // Unbuffered, so that progress shows under Wine as it happens.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    HKEY scratch;
    RegDeleteTreeA(HKEY_CURRENT_USER, bench::ScratchPath);  // what an interrupted run left
    if (RegCreateKeyExA(HKEY_CURRENT_USER, bench::ScratchPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch,
                        nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot create HKCU\\%s\n", bench::ScratchPath);
        return 1;
    }
    bool done = RunRemovals(scratch);
    RegCloseKey(scratch);
    RegDeleteTreeA(HKEY_CURRENT_USER, bench::ScratchPath);
    return done ? 0 : 1;
}
