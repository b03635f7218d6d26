#include "cleanup/cleanup.h"
#include "cleanup/registry_place.h"

BOOL DeleteRegistryValue(const RegistryPlace &place, LPCSTR path, LPCSTR valueName)
{
    HKEY key;
    if (OpenValueKey(place, path, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return FALSE;
    LONG result = RegDeleteValueA(key, valueName);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
