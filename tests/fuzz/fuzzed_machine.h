// One stand-in machine decoded from a fuzzer's input: the kernel and what
// GetVersionExA reports, the ANSI code page, the registry in and around the
// footprint, and what another process does to it while the plan runs.
#pragma once
#include "machine.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

// Another process's change, made right after the program's registry call
// number `afterCall`.
struct ScheduledChange {
    size_t afterCall;
    std::function<void()> change;
};

struct FuzzedMachine {
    std::vector<ScheduledChange> schedule;
};

// Resets the stand-in and builds the machine that `data` describes. Every
// input decodes to some machine; set-ups Windows could not have are dropped.
FuzzedMachine DecodeMachine(const uint8_t *data, size_t size);

// Every key now in the registry, found from the roots without following links.
std::set<standin::RegistryKey *> LiveKeys();
