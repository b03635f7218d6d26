#include "registry_access.h"
#include "report.h"
#include <windows.h>

HKEY RootKey(TestRoot root)
{
    switch (root) {
    case ClassesRoot: return HKEY_CLASSES_ROOT;
    case CurrentUser: return HKEY_CURRENT_USER;
    case LocalMachine: break;
    }
    return HKEY_LOCAL_MACHINE;
}

static std::string RootName(TestRoot root)
{
    switch (root) {
    case ClassesRoot: return "HKCR";
    case CurrentUser: return "HKCU";
    case LocalMachine: break;
    }
    return "HKLM";
}

std::string Where(TestRoot root, const std::string &path) { return RootName(root) + "\\" + path; }

std::string Where(TestRoot root, const std::string &path, const char *name)
{
    return Where(root, path) + " value " + (*name ? "\"" + std::string(name) + "\"" : "(default)");
}

bool WriteValue(TestRoot root, const std::string &path, const char *name, const char *data)
{
    HKEY key;
    LONG result = RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS) {
        result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(data), lstrlenA(data) + 1);
        RegCloseKey(key);
    }
    if (result != ERROR_SUCCESS)
        Fail("seeding " + Where(root, path, name) + ": error " + std::to_string(result));
    return result == ERROR_SUCCESS;
}

void ExpectValue(TestRoot root, const std::string &path, const char *name, const char *data)
{
    HKEY key;
    LONG result = RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ, &key);
    if (result != ERROR_SUCCESS) {
        Fail(Where(root, path) + " is missing (error " + std::to_string(result) + "), so is its value \"" + name + "\"");
        return;
    }
    char found[256];
    DWORD type = 0, size = sizeof found - 1;
    result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(found), &size);
    RegCloseKey(key);
    found[result == ERROR_SUCCESS ? size : 0] = '\0';
    if (result != ERROR_SUCCESS)
        Fail(Where(root, path, name) + " is missing (error " + std::to_string(result) + ")");
    else if (type != REG_SZ || lstrcmpA(found, data) != 0)
        Fail(Where(root, path, name) + " was changed to \"" + found + "\"");
}

void ExpectKeyGone(TestRoot root, const std::string &path)
{
    HKEY key;
    LONG result = RegOpenKeyExA(RootKey(root), path.c_str(), REG_OPTION_OPEN_LINK, KEY_READ, &key);
    if (result == ERROR_SUCCESS) {
        RegCloseKey(key);
        Fail(Where(root, path) + " is still there");
    } else if (result != ERROR_FILE_NOT_FOUND) {
        Fail(Where(root, path) + ": cannot tell whether it is gone, error " + std::to_string(result));
    }
}

void ExpectValueGone(TestRoot root, const std::string &path, const char *name)
{
    HKEY key;
    LONG result = RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ, &key);
    if (result != ERROR_SUCCESS) {
        Fail(Where(root, path) + ", which only held the value \"" + name + "\", is gone (error " +
             std::to_string(result) + ")");
        return;
    }
    result = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (result == ERROR_SUCCESS)
        Fail(Where(root, path, name) + " is still there");
    else if (result != ERROR_FILE_NOT_FOUND)
        Fail(Where(root, path, name) + ": cannot tell whether it is gone, error " + std::to_string(result));
}

bool KeyPresent(TestRoot root, const std::string &path)
{
    HKEY key;
    if (RegOpenKeyExA(RootKey(root), path.c_str(), REG_OPTION_OPEN_LINK, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool ValuePresent(TestRoot root, const std::string &path, const char *name)
{
    HKEY key;
    if (RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    LONG result = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
