// Every key and value under HKLM\SOFTWARE and HKCU\SOFTWARE, read before and
// after a run, so that a change anywhere shows, not only where a check looks.
#pragma once
#include "../footprint.h"
#include <windows.h>
#include <map>
#include <string>
#include <vector>

struct SnapshotValue {
    std::wstring name;  // as stored
    DWORD type;
    std::vector<BYTE> data;
};

struct SnapshotKey {
    std::wstring path;  // as stored, e.g. L"HKLM\\SOFTWARE\\Classes\\.xqm"
    // By upper-case name: the registry does not tell names apart by case.
    std::map<std::wstring, SnapshotValue> values;
};

// By upper-case path. Links are read as themselves (their SymbolicLinkValue),
// never followed.
using RegistrySnapshot = std::map<std::wstring, SnapshotKey>;

// Empty, with the failures reported, if any key or value could not be read.
RegistrySnapshot TakeSnapshot();

// The path a test key has in a snapshot: HKCR is HKLM\SOFTWARE\Classes.
std::wstring SnapshotPath(TestRoot root, const char *path);
std::wstring SnapshotPath(TestRoot root, const std::wstring &path);
std::wstring UpperCase(std::wstring text);
