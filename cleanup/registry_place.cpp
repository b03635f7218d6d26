#include "cleanup/registry_place.h"
#include "cleanup/registry_link.h"

// A planned path's names are short and plain; one is copied out at a time.
const int PathNameSize = 261;

// Opens one name below `key` as itself; a link is closed again and refused.
static LONG OpenUnlessLink(HKEY key, LPCSTR name, REGSAM access, HKEY *result)
{
    LONG opened = RegOpenKeyExA(key, name, LinkOpenOptions(), access, result);
    if (opened == ERROR_SUCCESS && IsLink(*result)) {
        RegCloseKey(*result);
        return LinkOnPath;
    }
    return opened;
}

LONG OpenRowParent(const RegistryPlace &place, LPCSTR path, HKEY *parent, LPCSTR *name)
{
    *parent = place.base;
    *name = path;
    if (!place.userWritable)
        return ERROR_SUCCESS;
    for (LPCSTR at = path; *at; ++at) {
        if (*at != '\\')
            continue;
        char step[PathNameSize];
        int length = 0;
        for (LPCSTR from = *name; from < at && length < PathNameSize - 1; ++from)
            step[length++] = *from;
        step[length] = 0;
        HKEY next;
        LONG result = OpenUnlessLink(*parent, step, KEY_QUERY_VALUE, &next);
        CloseRowParent(place, *parent);
        if (result != ERROR_SUCCESS)
            return result;
        *parent = next;
        *name = at + 1;
    }
    return ERROR_SUCCESS;
}

void CloseRowParent(const RegistryPlace &place, HKEY parent)
{
    if (parent != place.base)
        RegCloseKey(parent);
}

LONG OpenValueKey(const RegistryPlace &place, LPCSTR path, REGSAM access, HKEY *key)
{
    HKEY parent;
    LPCSTR name;
    LONG result = OpenRowParent(place, path, &parent, &name);
    if (result != ERROR_SUCCESS)
        return result;
    if (place.userWritable)
        result = OpenUnlessLink(parent, name, access, key);
    else
        result = RegOpenKeyExA(parent, name, 0, access, key);
    CloseRowParent(place, parent);
    return result;
}
