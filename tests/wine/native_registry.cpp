#include "native_registry.h"
#include <winternl.h>

extern "C" {
NTSTATUS NTAPI NtCreateKey(PHANDLE key, ACCESS_MASK access, POBJECT_ATTRIBUTES attributes, ULONG titleIndex,
                           PUNICODE_STRING className, ULONG options, PULONG disposition);
NTSTATUS NTAPI NtOpenKey(PHANDLE key, ACCESS_MASK access, POBJECT_ATTRIBUTES attributes);
}

namespace {

// The name as it is: its Length counts every character, NULs too.
UNICODE_STRING Counted(const std::wstring &name)
{
    UNICODE_STRING counted;
    counted.Buffer = const_cast<PWSTR>(name.data());
    counted.Length = counted.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    return counted;
}

LONG Win32Error(NTSTATUS status) { return static_cast<LONG>(RtlNtStatusToDosError(status)); }

}  // namespace

LONG CreateCountedKey(HKEY parent, const std::wstring &name, HKEY *key)
{
    UNICODE_STRING counted = Counted(name);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &counted, OBJ_CASE_INSENSITIVE, parent, nullptr);
    HANDLE created;
    ULONG disposition;
    NTSTATUS status = NtCreateKey(&created, KEY_ALL_ACCESS, &attributes, 0, nullptr, 0, &disposition);
    *key = static_cast<HKEY>(created);
    return Win32Error(status);
}

LONG OpenCountedKey(HKEY parent, const std::wstring &name, ACCESS_MASK access, bool asLink, HKEY *key)
{
    UNICODE_STRING counted = Counted(name);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &counted, OBJ_CASE_INSENSITIVE | (asLink ? OBJ_OPENLINK : 0), parent,
                               nullptr);
    HANDLE opened;
    NTSTATUS status = NtOpenKey(&opened, access, &attributes);
    *key = static_cast<HKEY>(opened);
    return Win32Error(status);
}
