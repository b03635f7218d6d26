#include "cleanup/cleanup.h"
#include "cleanup/registry_link.h"
#include "gate/gate.h"

// Longest key name (255) with room to spare, as the registry functions count it.
const DWORD KeyNameSize = 261;

static bool SameName(const char *a, const char *b)
{
    while (*a && *a == *b)
        ++a, ++b;
    return *a == *b;
}

// Removes every subkey of an open key. A subkey that stays after its own
// removal shows up again at the same index, so that one enumeration both
// recognises it and, one index further, finds the next candidate.
static void DeleteSubkeys(HKEY key)
{
    char first[KeyNameSize], second[KeyNameSize];
    char *name = first, *next = second;
    DWORD index = 0;

    if (RegEnumKeyA(key, index, name, KeyNameSize) != ERROR_SUCCESS)
        return;
    for (;;) {
        DeleteKeyTree(key, name);
        if (RegEnumKeyA(key, index, next, KeyNameSize) != ERROR_SUCCESS)
            return;
        if (SameName(next, name) && RegEnumKeyA(key, ++index, next, KeyNameSize) != ERROR_SUCCESS)
            return;
        char *done = name;
        name = next;
        next = done;
    }
}

BOOL DeleteKeyTree(HKEY parent, LPCSTR path)
{
    HKEY key;
    // A link is opened as itself: what is walked is its own empty list of
    // subkeys, never its target's.
    if (RegOpenKeyExA(parent, path, LinkOpenOptions(), KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return FALSE;
    DeleteSubkeys(key);
    if (IsWin95Family) {
        // Closed first, so that no handle of ours keeps it alive; the parent
        // then takes along whatever stayed below it.
        RegCloseKey(key);
        RegDeleteKeyA(parent, path);
    } else {
        // Through the handle already open: this very key, link or not, with
        // no second lookup of a name that could lead elsewhere meanwhile.
        DeleteOpenKey(key);
        RegCloseKey(key);
    }
    return TRUE;
}
