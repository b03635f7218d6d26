#include "registry_snapshot.h"
#include "native_registry.h"
#include "report.h"

namespace {

struct Root {
    HKEY key;
    const wchar_t *name;
};

const Root Roots[] = {{HKEY_LOCAL_MACHINE, L"HKLM"}, {HKEY_CURRENT_USER, L"HKCU"}};
const wchar_t Top[] = L"SOFTWARE";

bool ReadValues(HKEY key, SnapshotKey &into)
{
    DWORD count = 0, longestName = 0, largestData = 0;
    LONG result = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                                   &largestData, nullptr, nullptr);
    for (DWORD index = 0; result == ERROR_SUCCESS && index < count; ++index) {
        std::wstring name(longestName + 1, L'\0');
        SnapshotValue value{{}, 0, std::vector<BYTE>(largestData)};
        DWORD nameLength = longestName + 1, size = largestData;
        result = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &value.type, value.data.data(), &size);
        name.resize(nameLength);
        value.data.resize(size);
        value.name = name;
        into.values[UpperCase(name)] = value;
    }
    if (result != ERROR_SUCCESS)
        Fail("cannot read the values of " + Quoted(into.path) + ": error " + std::to_string(result));
    return result == ERROR_SUCCESS;
}

// Wine opens Perflib\009 as the performance-text key, whose texts it makes
// up on each read rather than stores: the key counts, its contents do not.
bool IsPerformanceKey(HKEY key) { return key == HKEY_PERFORMANCE_TEXT || key == HKEY_PERFORMANCE_NLSTEXT; }

// Wine's own scratch space for system parameters of this session: it fills
// it in lazily, in whichever process first asks for a parameter.
const wchar_t WineSessionParameters[] = L"HKCU\\SOFTWARE\\WINE\\TEMPORARY SYSTEM PARAMETERS";

// The key open as `key`, then each subkey opened as itself, links included.
bool ReadTree(HKEY key, const std::wstring &path, RegistrySnapshot &into)
{
    if (UpperCase(path) == WineSessionParameters)
        return true;
    SnapshotKey &read = into[UpperCase(path)];
    read.path = path;
    if (IsPerformanceKey(key))
        return true;
    if (!ReadValues(key, read))
        return false;
    wchar_t buffer[256];
    LONG result = ERROR_SUCCESS;
    for (DWORD index = 0; result == ERROR_SUCCESS; ++index) {
        DWORD length = 256;
        result = RegEnumKeyExW(key, index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS)
            break;
        // A name may hold a NUL, even start with one: such a one is opened by
        // its counted name, through ntdll. The others as the Win32 functions
        // open them, which is how Wine hands out its performance keys.
        std::wstring name(buffer, length);
        HKEY subkey;
        result = name.find(L'\0') == std::wstring::npos ? RegOpenKeyExW(key, name.c_str(), REG_OPTION_OPEN_LINK, KEY_READ, &subkey)
                                                         : OpenCountedKey(key, name, KEY_READ, true, &subkey);
        if (result != ERROR_SUCCESS) {
            Fail("cannot open " + Quoted(path + L"\\" + name) + ": error " + std::to_string(result));
            return false;
        }
        bool ok = ReadTree(subkey, path + L"\\" + name, into);
        RegCloseKey(subkey);
        if (!ok)
            return false;
    }
    if (result != ERROR_NO_MORE_ITEMS)
        Fail("cannot list the subkeys of " + Quoted(path) + ": error " + std::to_string(result));
    return result == ERROR_NO_MORE_ITEMS;
}

}  // namespace

std::wstring UpperCase(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring SnapshotPath(TestRoot root, const std::wstring &path)
{
    return (root == ClassesRoot ? L"HKLM\\SOFTWARE\\Classes\\" : root == CurrentUser ? L"HKCU\\" : L"HKLM\\") + path;
}

std::wstring SnapshotPath(TestRoot root, const char *path)
{
    return SnapshotPath(root, std::wstring(path, path + lstrlenA(path)));
}

RegistrySnapshot TakeSnapshot()
{
    RegistrySnapshot snapshot;
    for (const Root &root : Roots) {
        HKEY key;
        LONG result = RegOpenKeyExW(root.key, Top, 0, KEY_READ, &key);
        if (result != ERROR_SUCCESS) {
            Fail("cannot open " + Quoted(std::wstring(root.name) + L"\\" + Top) + ": error " + std::to_string(result));
            return {};
        }
        bool ok = ReadTree(key, std::wstring(root.name) + L"\\" + Top, snapshot);
        RegCloseKey(key);
        if (!ok)
            return {};
    }
    return snapshot;
}
