// Where a row of the plan starts, and how the keys on its path are reached.
#pragma once
#include "win32.h"

struct RegistryPlace {
    HKEY base;          // a predefined root, or a key opened for the run
    BOOL userWritable;  // anyone could have planted a link on the way
    LPCSTR spelled;     // the place as the report names it: "HKEY_CURRENT_USER"
};

// What opening a row's key gives when a link stands on the way in a place
// that anyone can write: the row is not run, and counts as left.
const LONG LinkOnPath = ERROR_CANT_RESOLVE_FILENAME;

// Opens the parent of the key that `path` names below the place, and points
// `name` at that key's own name. In a user-writable place every name on the
// way is opened as itself, and a link there stops it with LinkOnPath; in any
// other place the parent is the place itself and `name` the whole path, so
// that the links the system keeps there (the 32-bit view's shared keys) work.
LONG OpenRowParent(const RegistryPlace &place, LPCSTR path, HKEY *parent, LPCSTR *name);
// Closes what OpenRowParent opened.
void CloseRowParent(const RegistryPlace &place, HKEY parent);
// Opens the key of a value row; in a user-writable place that key must not be a link either.
LONG OpenValueKey(const RegistryPlace &place, LPCSTR path, REGSAM access, HKEY *key);
