// The fixed plan: 25 key trees, then 17 single values, in this order.
#pragma once
#include "win32.h"

struct KeyTreeRow {
    HKEY root;
    LPCSTR path;
};

struct ValueRow {
    HKEY root;
    LPCSTR path;
    LPCSTR valueName;
};

const int KeyTreeRowCount = 25;
const int ValueRowCount = 17;

extern const KeyTreeRow KeyTreeRows[KeyTreeRowCount];
extern const ValueRow ValueRows[ValueRowCount];
