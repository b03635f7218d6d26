// The registry of the in-memory machine: the functions the program calls,
// with the error codes and the link semantics that Windows gives them.
#include "machine.h"

#include <algorithm>
#include <stdexcept>

namespace standin {

namespace {

// HKUC is the user's own classes, which Windows keeps in a hive of its own.
const char *const RootNames[] = {"HKCR", "HKCU", "HKLM", "HKUC"};
const int UserClasses = 3;
const int MaxLinkHops = 16;
const size_t MaxRegistryCalls = 1000000;

// Value names are kept by their upper case, as NT compares them.
std::string ValueKey(const std::string &name)
{
    return Utf8FromUtf16(UpcaseName(name));
}

std::vector<std::string> SplitPath(const std::string &path)
{
    std::vector<std::string> names;
    size_t start = 0;
    while (!path.empty() && start <= path.size()) {
        size_t end = std::min(path.find('\\', start), path.size());
        names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

int RootIndex(HKEY key)
{
    UINT_PTR value = reinterpret_cast<UINT_PTR>(key);
    if (value >= 0x80000000 && value <= 0x80000002)
        return static_cast<int>(value - 0x80000000);
    return -1;
}

bool SortsBefore(const std::shared_ptr<RegistryKey> &key, const std::string &name)
{
    return CompareNames(key->name, name) < 0;
}

RegistryKey *Subkey(RegistryKey *key, const std::string &name)
{
    auto &subkeys = key->subkeys;
    auto found = machine.family == Family::NT
                     ? std::lower_bound(subkeys.begin(), subkeys.end(), name, SortsBefore)
                     : std::find_if(subkeys.begin(), subkeys.end(),
                                    [&](const auto &subkey) { return CompareNames(subkey->name, name) == 0; });
    return found != subkeys.end() && CompareNames((*found)->name, name) == 0 ? found->get() : nullptr;
}

const RegistryValue *LinkValue(const RegistryKey *key)
{
    auto value = key->values.find(ValueKey("SymbolicLinkValue"));
    return value != key->values.end() && value->second.type == REG_LINK ? &value->second : nullptr;
}

RegistryKey *Walk(RegistryKey *key, const std::string &path, bool openLastLink, int hops = 0);

// Where a link leads: its target, or nothing when the target is gone.
RegistryKey *Follow(const RegistryKey *link, int hops)
{
    const std::string &target = LinkValue(link)->data;
    for (int root = 0; root < 4 && hops < MaxLinkHops; ++root) {
        std::string name = RootNames[root];
        if (target == name)
            return machine.roots[root].get();
        if (target.rfind(name + "\\", 0) == 0)
            return Walk(machine.roots[root].get(), target.substr(name.size() + 1), false, hops + 1);
    }
    return nullptr;
}

// Every link on the way is followed, the last one only unless it is to be opened itself.
RegistryKey *Walk(RegistryKey *key, const std::string &path, bool openLastLink, int hops)
{
    std::vector<std::string> names = SplitPath(path);
    for (size_t i = 0; key && i < names.size(); ++i) {
        key = Subkey(key, names[i]);
        if (key && LinkValue(key) && !(openLastLink && i + 1 == names.size()))
            key = Follow(key, hops);
    }
    return key;
}

void Insert(RegistryKey *parent, std::shared_ptr<RegistryKey> subkey)
{
    auto place = parent->subkeys.end();
    // The Windows 95 family lists subkeys in the order they were made.
    if (machine.family == Family::NT)
        place = std::lower_bound(parent->subkeys.begin(), parent->subkeys.end(), subkey->name, SortsBefore);
    subkey->parent = parent;
    parent->subkeys.insert(place, std::move(subkey));
}

// A deleted key lives on only as long as a handle to it: detached from everything.
void MarkDeleted(RegistryKey *key)
{
    key->deleted = true;
    key->parent = nullptr;
    for (auto &subkey : key->subkeys)
        MarkDeleted(subkey.get());
}

void Detach(RegistryKey *key)
{
    auto keep = key->shared_from_this();
    auto &siblings = key->parent->subkeys;
    siblings.erase(std::find(siblings.begin(), siblings.end(), keep));
    MarkDeleted(key);
}

// The key behind a predefined root or an open handle.
RegistryKey *Resolve(HANDLE key)
{
    int root = RootIndex(static_cast<HKEY>(key));
    if (root >= 0)
        return machine.roots[root].get();
    auto open = machine.openKeys.find(reinterpret_cast<UINT_PTR>(key));
    return open == machine.openKeys.end() ? nullptr : open->second.key.get();
}

// Whether the handle was opened with every bit of `access`; a predefined root has them all.
bool HandleGrants(HANDLE key, REGSAM access)
{
    if (RootIndex(static_cast<HKEY>(key)) >= 0)
        return true;
    auto open = machine.openKeys.find(reinterpret_cast<UINT_PTR>(key));
    return open != machine.openKeys.end() && (open->second.access & access) == access;
}

UINT_PTR NewHandle(RegistryKey *key, REGSAM access)
{
    UINT_PTR handle = machine.nextHandle;
    machine.nextHandle += 4;
    machine.openKeys[handle] = {key->shared_from_this(), access};
    return handle;
}

std::string Describe(RegistryKey *key)
{
    return key ? KeyPath(key) : "(invalid)";
}

LONG Record(const char *function, const std::string &key, const std::string &name, LONG result,
            REGSAM access = 0, DWORD options = 0)
{
    // Far beyond any registry a test builds: a program that gets here does
    // not end, and recording on would only exhaust the memory.
    if (machine.registryCalls.size() >= MaxRegistryCalls)
        throw std::logic_error("more than a million registry calls: the program does not end");
    RegistryCall call{function, key, name, result};
    call.access = access;
    call.options = options;
    machine.registryCalls.push_back(call);
    if (machine.afterRegistryCall)
        machine.afterRegistryCall(call);
    return result;
}

LONG OpenSubkey(HKEY handle, RegistryKey *parent, const std::string &path, DWORD options, REGSAM access,
             PHKEY result)
{
    if (!parent)
        return ERROR_INVALID_HANDLE;
    if (parent->deleted)
        return ERROR_KEY_DELETED;
    // The stand-in holds the program to the reserved zero where links do not exist.
    if (options & ~DWORD(REG_OPTION_OPEN_LINK) || (options && machine.family == Family::Windows95))
        return ERROR_INVALID_PARAMETER;
    bool openLink = options & REG_OPTION_OPEN_LINK;
    RegistryKey *key = nullptr;
    // Through the merged HKCR, the user's key hides the machine's.
    if (handle == HKEY_CLASSES_ROOT && machine.perUserClasses)
        key = Walk(machine.roots[UserClasses].get(), path, openLink);
    if (!key)
        key = Walk(parent, path, openLink);
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    if (access & ~key->grantedAccess)
        return ERROR_ACCESS_DENIED;
    *result = reinterpret_cast<HKEY>(NewHandle(key, access));
    return ERROR_SUCCESS;
}

// Whether a handle is open to the key or to any key below it.
bool IsOpenAtOrBelow(const RegistryKey *key)
{
    for (const auto &open : machine.openKeys)
        for (const RegistryKey *at = open.second.key.get(); at; at = at->parent)
            if (at == key)
                return true;
    return false;
}

// The checks a deletion makes of the very key it removes.
LONG Remove(RegistryKey *key)
{
    // NT documents what happens to the handles of a deleted key: they stay
    // open, good for nothing but closing (ERROR_KEY_DELETED). The Windows 95
    // family documents nothing of the kind, so a program that deletes a key
    // it still holds open, or holds a key below it open, is stopped here.
    if (machine.family == Family::Windows95 && IsOpenAtOrBelow(key))
        throw std::logic_error("deleting " + KeyPath(key) +
                               " while a handle to it or below it is open: undocumented on the Windows 95 family");
    if (key->refuseDelete || !(key->grantedAccess & DELETE))
        return ERROR_ACCESS_DENIED;
    // NT refuses a key that still has subkeys; the Windows 95 family takes them along.
    if (!key->subkeys.empty() && machine.family == Family::NT)
        return ERROR_ACCESS_DENIED;
    Detach(key);
    return ERROR_SUCCESS;
}

LONG DeleteKey(RegistryKey *parent, const std::string &path)
{
    if (!parent)
        return ERROR_INVALID_HANDLE;
    if (parent->deleted)
        return ERROR_KEY_DELETED;
    // Like the platform's, it opens the key the ordinary way: a link leads to its target.
    RegistryKey *key = path.empty() ? nullptr : Walk(parent, path, false);
    return key ? Remove(key) : ERROR_FILE_NOT_FOUND;
}

LONG NtStatus(LONG error)
{
    switch (error) {
    case ERROR_SUCCESS:
        return 0;
    case ERROR_INVALID_HANDLE:
        return static_cast<LONG>(0xC0000008);
    case ERROR_KEY_DELETED:
        return static_cast<LONG>(0xC000017C);
    default:
        return static_cast<LONG>(0xC0000022);  // access denied, as for a key with subkeys
    }
}

LONG WINAPI NtDeleteKey(HANDLE handle)
{
    RegistryKey *key = Resolve(handle);
    std::string name = Describe(key);
    LONG result = !key                            ? ERROR_INVALID_HANDLE
                  : key->deleted                  ? ERROR_KEY_DELETED
                  : !HandleGrants(handle, DELETE) ? ERROR_ACCESS_DENIED
                                                  : Remove(key);
    return Record("NtDeleteKey", name, "", NtStatus(result));
}

LONG WINAPI RegOpenUserClassesRoot(HANDLE token, DWORD options, REGSAM access, PHKEY result)
{
    LONG status = ERROR_SUCCESS;
    // The token must grant TOKEN_QUERY; the options are reserved.
    if (!TokenGrants(token, TOKEN_QUERY) || options)
        status = ERROR_INVALID_PARAMETER;
    else
        *result = reinterpret_cast<HKEY>(NewHandle(machine.roots[UserClasses].get(), access));
    return Record("RegOpenUserClassesRoot", "", "", status);
}

}  // namespace

const HMODULE NtdllModule = reinterpret_cast<HMODULE>(0x7FF00000);
const HMODULE AdvapiModule = reinterpret_cast<HMODULE>(0x7FE00000);
const FARPROC NtDeleteKeyEntry = reinterpret_cast<FARPROC>(reinterpret_cast<void *>(NtDeleteKey));
const FARPROC RegOpenUserClassesRootEntry =
    reinterpret_cast<FARPROC>(reinterpret_cast<void *>(RegOpenUserClassesRoot));

void UsePerUserClasses()
{
    machine.perUserClasses = true;
    CreateLink(HKEY_CURRENT_USER, "Software\\Classes", "HKUC");
    CreateLink(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes", "HKCR");
}

std::string KeyPath(const RegistryKey *key)
{
    if (key->deleted)
        return "(deleted)";
    if (!key->parent) {
        for (int root = 0; root < 4; ++root)
            if (machine.roots[root].get() == key)
                return RootNames[root];
        return "(unknown)";
    }
    return KeyPath(key->parent) + "\\" + key->name;
}

namespace {

// What no registry holds: a key name that is empty or longer than 255
// characters, or, on NT, a key more than 512 levels below its root.
void CheckNewKey(const RegistryKey *parent, const std::string &name, const std::string &path)
{
    if (name.empty())
        throw std::logic_error("an empty key name in " + path);
    if (Utf16FromUtf8(name).size() > MaxKeyNameLength)
        throw std::logic_error("a key name longer than 255 characters in " + path);
    int levels = 1;
    for (const RegistryKey *at = parent; at->parent; at = at->parent)
        ++levels;
    if (machine.family == Family::NT && levels > MaxTreeDepth)
        throw std::logic_error("a key more than 512 levels deep: " + path);
}

}  // namespace

RegistryKey *CreateKey(HKEY root, const std::string &path)
{
    RegistryKey *key = Resolve(root);
    for (const std::string &name : SplitPath(path)) {
        RegistryKey *subkey = Subkey(key, name);
        if (!subkey) {
            CheckNewKey(key, name, path);
            auto made = std::make_shared<RegistryKey>();
            made->name = name;
            subkey = made.get();
            Insert(key, std::move(made));
        } else if (LinkValue(subkey) && !(subkey = Follow(subkey, 0))) {
            throw std::logic_error("creating " + path + " through a dangling link");
        }
        key = subkey;
    }
    return key;
}

void SetValue(HKEY root, const std::string &path, const std::string &name, const std::string &data)
{
    CreateKey(root, path)->values[ValueKey(name)] = {REG_SZ, data};
}

void CreateLink(HKEY root, const std::string &path, const std::string &target)
{
    size_t last = path.rfind('\\');
    RegistryKey *parent = last == std::string::npos ? Resolve(root) : CreateKey(root, path.substr(0, last));
    std::string name = last == std::string::npos ? path : path.substr(last + 1);
    if (machine.family == Family::Windows95)
        throw std::logic_error("a link on the Windows 95 family, which has none: " + path);
    if (Subkey(parent, name))
        throw std::logic_error("a link over the existing key " + path);
    CheckNewKey(parent, name, path);
    auto link = std::make_shared<RegistryKey>();
    link->name = name;
    link->values[ValueKey("SymbolicLinkValue")] = {REG_LINK, target};
    Insert(parent, std::move(link));
}

void RemoveTree(HKEY root, const std::string &path)
{
    Detach(FindKey(root, path));
}

RegistryKey *FindKey(HKEY root, const std::string &path)
{
    return Walk(Resolve(root), path, true);
}

RegistryKey *FindKeyBelow(RegistryKey *key, const std::string &path)
{
    return Walk(key, path, true);
}

bool IsLinkKey(const RegistryKey *key)
{
    return LinkValue(key) != nullptr;
}

bool KeyExists(HKEY root, const std::string &path)
{
    return FindKey(root, path) != nullptr;
}

bool ValueExists(HKEY root, const std::string &path, const std::string &name)
{
    RegistryKey *key = FindKey(root, path);
    return key && key->values.count(ValueKey(name));
}

static void DumpKey(const RegistryKey *key, std::vector<std::string> &lines)
{
    std::string path = KeyPath(key);
    lines.push_back(path);
    for (const auto &value : key->values)
        lines.push_back(path + "\\[" + value.first + "]=" + value.second.data);
    for (const auto &subkey : key->subkeys)
        DumpKey(subkey.get(), lines);
}

std::vector<std::string> DumpRegistry()
{
    std::vector<std::string> lines;
    for (const auto &root : machine.roots)
        DumpKey(root.get(), lines);
    return lines;
}

}  // namespace standin

using namespace standin;

LONG RegOpenKeyExA(HKEY parent, LPCSTR path, DWORD options, REGSAM access, PHKEY result)
{
    RegistryKey *key = Resolve(parent);
    std::string name = path ? Utf8FromAnsi(path) : "";
    return Record("RegOpenKeyExA", Describe(key), name, OpenSubkey(parent, key, name, options, access, result), access,
                  options);
}

LONG RegEnumKeyA(HKEY handle, DWORD index, LPSTR name, DWORD nameSize)
{
    RegistryKey *key = Resolve(handle);
    std::string found;
    LONG result;
    if (!key)
        result = ERROR_INVALID_HANDLE;
    else if (key->deleted)
        result = ERROR_KEY_DELETED;
    else if (!HandleGrants(handle, KEY_ENUMERATE_SUB_KEYS))
        result = ERROR_ACCESS_DENIED;
    else if (index >= key->subkeys.size())
        result = ERROR_NO_MORE_ITEMS;
    else if ((found = AnsiFromUtf8(key->subkeys[index]->name)).size() + 1 > nameSize)
        result = ERROR_MORE_DATA;
    else {
        std::copy(found.begin(), found.end(), name);
        name[found.size()] = 0;
        result = ERROR_SUCCESS;
    }
    return Record("RegEnumKeyA", Describe(key), result == ERROR_SUCCESS ? found : "", result);
}

LONG RegDeleteKeyA(HKEY parent, LPCSTR path)
{
    RegistryKey *key = Resolve(parent);
    std::string name = path ? Utf8FromAnsi(path) : "";
    return Record("RegDeleteKeyA", Describe(key), name, DeleteKey(key, name));
}

LONG RegQueryValueExA(HKEY handle, LPCSTR valueName, DWORD *, DWORD *type, BYTE *, DWORD *)
{
    RegistryKey *key = Resolve(handle);
    std::string name = valueName ? Utf8FromAnsi(valueName) : "";
    LONG result = ERROR_FILE_NOT_FOUND;
    if (!key)
        result = ERROR_INVALID_HANDLE;
    else if (key->deleted)
        result = ERROR_KEY_DELETED;
    else if (!HandleGrants(handle, KEY_QUERY_VALUE))
        result = ERROR_ACCESS_DENIED;
    else if (auto value = key->values.find(ValueKey(name)); value != key->values.end()) {
        if (type)
            *type = value->second.type;
        result = ERROR_SUCCESS;
    }
    return Record("RegQueryValueExA", Describe(key), name, result);
}

LONG RegDeleteValueA(HKEY handle, LPCSTR valueName)
{
    RegistryKey *key = Resolve(handle);
    std::string name = valueName ? Utf8FromAnsi(valueName) : "";
    LONG result;
    if (!key)
        result = ERROR_INVALID_HANDLE;
    else if (key->deleted)
        result = ERROR_KEY_DELETED;
    else if (!HandleGrants(handle, KEY_SET_VALUE))
        result = ERROR_ACCESS_DENIED;
    else
        result = key->values.erase(ValueKey(name)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    return Record("RegDeleteValueA", Describe(key), name, result);
}

LONG RegCloseKey(HKEY handle)
{
    std::string name = Describe(Resolve(handle));
    LONG result = ERROR_SUCCESS;
    if (RootIndex(handle) < 0 && !machine.openKeys.erase(reinterpret_cast<UINT_PTR>(handle)))
        result = ERROR_INVALID_HANDLE;
    return Record("RegCloseKey", name, "", result);
}
