// The key trees both benchmark programs remove: every key down to `depth`
// levels below the top key has `fanout` subkeys.
#pragma once
#include <cstdio>

namespace bench {

struct Shape {
    const char *name;  // also the top key's name under the scratch key
    int depth;
    int fanout;
    bool values;  // one REG_SZ value in every key, the top key included
};

const Shape Shapes[] = {
    {"wide", 1, 10000, false},
    {"deep", 500, 1, false},
    {"bushy", 3, 20, true},
};

// Where the trees are built, below HKEY_CURRENT_USER.
const char *const ScratchPath = "Software\\WexorBench";
const char *const ValueName = "Data";
const char *const ValueData = "bench";

// Keys in the whole tree, the top key included.
inline long KeyCount(const Shape &shape)
{
    long keys = 1, level = 1;
    for (int d = 0; d < shape.depth; ++d)
        keys += level *= shape.fanout;
    return keys;
}

// Names of equal length, so that no shape favours short names.
inline void ChildName(int index, char (&name)[16])
{
    std::snprintf(name, sizeof name, "k%05d", index);
}

}  // namespace bench
