#include "cleanup/cleanup.h"
#include "cleanup/registry_link.h"

// Longest key name (255) with room to spare, as the registry functions count it.
const DWORD KeyNameSize = 261;
// The registry's own limit; whatever the names, no walk goes deeper.
const int MaxKeyDepth = 512;

static bool SameName(const char *a, const char *b)
{
    while (*a && *a == *b)
        ++a, ++b;
    return *a == *b;
}

// RegEnumKeyA hands back the true name converted to the ANSI code page, with
// best fit: it may come back empty (a name starting with NUL) or with a
// backslash (U+FF3C and its kind). Opened, such a name would reach the key
// itself again, or a path through a sibling that may be a link. Only a name
// with neither is opened; characters are scanned as the code page makes them,
// since in a double-byte code page 0x5C can be the trail byte of a character.
static bool IsSingleKeyName(const char *name)
{
    if (!*name)
        return false;
    for (; *name; ++name) {
        if (*name == '\\')
            return false;
        if (IsDBCSLeadByte(static_cast<BYTE>(*name)) && !*++name)
            return true;
    }
    return true;
}

static BOOL DeleteTree(HKEY parent, LPCSTR path, int depth);

// Moves `index` past the subkeys that cannot be named (see above, or too long
// for the buffer), starting from what RegEnumKeyA gave at it: they stay.
static LONG SkipUnnameable(HKEY key, DWORD &index, char *name, LONG result)
{
    while (result == ERROR_MORE_DATA || (result == ERROR_SUCCESS && !IsSingleKeyName(name)))
        result = RegEnumKeyA(key, ++index, name, KeyNameSize);
    return result;
}

// Removes every subkey of an open key. A subkey that stays after its own
// removal shows up again at the same index, so that one enumeration both
// recognises it and, one index further, finds the next candidate.
static void DeleteSubkeys(HKEY key, int depth)
{
    char first[KeyNameSize], second[KeyNameSize];
    char *name = first, *next = second;
    DWORD index = 0;

    LONG result = SkipUnnameable(key, index, name, RegEnumKeyA(key, index, name, KeyNameSize));
    while (result == ERROR_SUCCESS) {
        DeleteTree(key, name, depth + 1);
        result = RegEnumKeyA(key, index, next, KeyNameSize);
        if (result == ERROR_SUCCESS && SameName(next, name))
            result = RegEnumKeyA(key, ++index, next, KeyNameSize);
        result = SkipUnnameable(key, index, next, result);
        char *done = name;
        name = next;
        next = done;
    }
}

static BOOL DeleteTree(HKEY parent, LPCSTR path, int depth)
{
    HKEY key;
    // A link is opened as itself: what is walked is its own empty list of
    // subkeys, never its target's.
    if (RegOpenKeyExA(parent, path, LinkOpenOptions(), KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return FALSE;
    if (depth < MaxKeyDepth)
        DeleteSubkeys(key, depth);
    if (HasNtKernel()) {
        // Through the handle already open: this very key, link or not, with
        // no second lookup of a name that could lead elsewhere meanwhile.
        DeleteOpenKey(key);
        RegCloseKey(key);
    } else {
        // Closed first, so that no handle of ours keeps it alive; the parent
        // then takes along whatever stayed below it.
        RegCloseKey(key);
        RegDeleteKeyA(parent, path);
    }
    return TRUE;
}

BOOL DeleteKeyTree(HKEY parent, LPCSTR path)
{
    return DeleteTree(parent, path, 1);
}
