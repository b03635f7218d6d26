// Whether the plan left anything behind, judged row by row after it ran.
#include "cleanup/cleanup.h"
#include "cleanup/registry_link.h"
#include "cleanup/removal_plan.h"

// Gone means not found; anything else, a refused open included, counts as left.
static bool KeyIsGone(HKEY root, LPCSTR path)
{
    HKEY key;
    LONG result = RegOpenKeyExA(root, path, LinkOpenOptions(), KEY_QUERY_VALUE, &key);
    if (result == ERROR_SUCCESS)
        RegCloseKey(key);
    return result == ERROR_FILE_NOT_FOUND;
}

static bool ValueIsGone(HKEY root, LPCSTR path, LPCSTR valueName)
{
    HKEY key;
    LONG result = RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key);
    if (result == ERROR_SUCCESS) {
        result = RegQueryValueExA(key, valueName, nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
    }
    return result == ERROR_FILE_NOT_FOUND;
}

BOOL IsFootprintGone()
{
    for (const KeyTreeRow &row : KeyTreeRows)
        if (!KeyIsGone(row.root, row.path))
            return FALSE;
    for (const ValueRow &row : ValueRows)
        if (!ValueIsGone(row.root, row.path, row.valueName))
            return FALSE;
    return TRUE;
}
