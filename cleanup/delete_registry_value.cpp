#include "cleanup/cleanup.h"

BOOL DeleteRegistryValue(HKEY root, LPCSTR path, LPCSTR valueName)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return FALSE;
    LONG result = RegDeleteValueA(key, valueName);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
