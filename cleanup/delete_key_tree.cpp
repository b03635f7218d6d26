#include "cleanup/cleanup.h"
#include "cleanup/registry_link.h"

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
    // Opened as itself even when it is a link: nothing may lead out of the tree.
    if (RegOpenKeyExA(parent, path, LinkOpenOptions(), KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return FALSE;
    if (IsRegistryLink(key)) {
        // Deleting it by name would reach its target; the handle names the link alone.
        DeleteRegistryLink(key);
        RegCloseKey(key);
        return TRUE;
    }
    DeleteSubkeys(key);
    // Closed first, so that no handle of ours keeps the key alive.
    RegCloseKey(key);
    RegDeleteKeyA(parent, path);
    return TRUE;
}
