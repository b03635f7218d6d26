// The registry of the in-memory machine, with the five functions the program
// calls and the error codes Windows gives for them.
#include "machine.h"

#include <algorithm>

namespace standin {

namespace {

const char *const RootNames[] = {"HKCR", "HKCU", "HKLM"};

std::string Lower(const std::string &text)
{
    std::string lower = text;
    for (char &c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::vector<std::string> SplitPath(const std::string &path)
{
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= path.size() && !path.empty()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
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

RegistryKey *Subkey(RegistryKey *key, const std::string &name)
{
    std::string lower = Lower(name);
    for (auto &subkey : key->subkeys)
        if (Lower(subkey->name) == lower)
            return subkey.get();
    return nullptr;
}

RegistryKey *Walk(RegistryKey *key, const std::string &path)
{
    for (const std::string &name : SplitPath(path)) {
        key = Subkey(key, name);
        if (!key)
            return nullptr;
    }
    return key;
}

// NT lists subkeys sorted without regard to case; the Windows 95 family in
// the order they were made.
void Insert(RegistryKey *parent, std::shared_ptr<RegistryKey> subkey)
{
    auto place = parent->subkeys.end();
    if (machine.family == Family::NT) {
        std::string lower = Lower(subkey->name);
        place = std::find_if(parent->subkeys.begin(), parent->subkeys.end(),
                             [&](const auto &other) { return Lower(other->name) > lower; });
    }
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
RegistryKey *Resolve(HKEY key)
{
    int root = RootIndex(key);
    if (root >= 0)
        return machine.roots[root].get();
    auto open = machine.openKeys.find(reinterpret_cast<UINT_PTR>(key));
    return open == machine.openKeys.end() ? nullptr : open->second.get();
}

std::string Describe(RegistryKey *key)
{
    return key ? KeyPath(key) : "(invalid)";
}

LONG Record(const char *function, const std::string &key, LPCSTR name, LONG result)
{
    RegistryCall call{function, key, name ? name : "", result};
    machine.registryCalls.push_back(call);
    if (machine.afterRegistryCall)
        machine.afterRegistryCall(call);
    return result;
}

LONG OpenKey(RegistryKey *parent, LPCSTR path, PHKEY result)
{
    if (!parent)
        return ERROR_INVALID_HANDLE;
    if (parent->deleted)
        return ERROR_KEY_DELETED;
    RegistryKey *key = path ? Walk(parent, path) : parent;
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    if (key->refuseOpen)
        return ERROR_ACCESS_DENIED;
    UINT_PTR handle = machine.nextHandle;
    machine.nextHandle += 4;
    machine.openKeys[handle] = key->shared_from_this();
    *result = reinterpret_cast<HKEY>(handle);
    return ERROR_SUCCESS;
}

LONG DeleteKey(RegistryKey *parent, LPCSTR path)
{
    if (!parent)
        return ERROR_INVALID_HANDLE;
    if (parent->deleted)
        return ERROR_KEY_DELETED;
    RegistryKey *key = path && *path ? Walk(parent, path) : nullptr;
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    if (key->refuseDelete)
        return ERROR_ACCESS_DENIED;
    // NT refuses a key that still has subkeys; the Windows 95 family takes them along.
    if (!key->subkeys.empty() && machine.family == Family::NT)
        return ERROR_ACCESS_DENIED;
    Detach(key);
    return ERROR_SUCCESS;
}

}  // namespace

std::string KeyPath(const RegistryKey *key)
{
    if (key->deleted)
        return "(deleted)";
    if (!key->parent) {
        for (int root = 0; root < 3; ++root)
            if (machine.roots[root].get() == key)
                return RootNames[root];
        return "(unknown)";
    }
    return KeyPath(key->parent) + "\\" + key->name;
}

RegistryKey *CreateKey(HKEY root, const std::string &path)
{
    RegistryKey *key = Resolve(root);
    for (const std::string &name : SplitPath(path)) {
        RegistryKey *subkey = Subkey(key, name);
        if (!subkey) {
            auto made = std::make_shared<RegistryKey>();
            made->name = name;
            subkey = made.get();
            Insert(key, std::move(made));
        }
        key = subkey;
    }
    return key;
}

void SetValue(HKEY root, const std::string &path, const std::string &name, const std::string &data)
{
    CreateKey(root, path)->values[Lower(name)] = data;
}

void RemoveTree(HKEY root, const std::string &path)
{
    Detach(FindKey(root, path));
}

RegistryKey *FindKey(HKEY root, const std::string &path)
{
    return Walk(Resolve(root), path);
}

bool KeyExists(HKEY root, const std::string &path)
{
    return FindKey(root, path) != nullptr;
}

bool ValueExists(HKEY root, const std::string &path, const std::string &name)
{
    RegistryKey *key = FindKey(root, path);
    return key && key->values.count(Lower(name));
}

static void DumpKey(const RegistryKey *key, std::vector<std::string> &lines)
{
    std::string path = KeyPath(key);
    lines.push_back(path);
    for (const auto &value : key->values)
        lines.push_back(path + "\\[" + value.first + "]=" + value.second);
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

LONG RegOpenKeyExA(HKEY parent, LPCSTR path, DWORD, REGSAM, PHKEY result)
{
    RegistryKey *key = Resolve(parent);
    std::string name = Describe(key);
    return Record("RegOpenKeyExA", name, path, OpenKey(key, path, result));
}

LONG RegEnumKeyA(HKEY handle, DWORD index, LPSTR name, DWORD nameSize)
{
    RegistryKey *key = Resolve(handle);
    LONG result;
    if (!key)
        result = ERROR_INVALID_HANDLE;
    else if (key->deleted)
        result = ERROR_KEY_DELETED;
    else if (index >= key->subkeys.size())
        result = ERROR_NO_MORE_ITEMS;
    else if (key->subkeys[index]->name.size() + 1 > nameSize)
        result = ERROR_MORE_DATA;
    else {
        std::string found = key->subkeys[index]->name;
        std::copy(found.begin(), found.end(), name);
        name[found.size()] = 0;
        result = ERROR_SUCCESS;
    }
    return Record("RegEnumKeyA", Describe(key), result == ERROR_SUCCESS ? name : nullptr, result);
}

LONG RegDeleteKeyA(HKEY parent, LPCSTR path)
{
    RegistryKey *key = Resolve(parent);
    std::string name = Describe(key);
    return Record("RegDeleteKeyA", name, path, DeleteKey(key, path));
}

LONG RegDeleteValueA(HKEY handle, LPCSTR valueName)
{
    RegistryKey *key = Resolve(handle);
    LONG result;
    if (!key)
        result = ERROR_INVALID_HANDLE;
    else if (key->deleted)
        result = ERROR_KEY_DELETED;
    else
        result = key->values.erase(Lower(valueName ? valueName : "")) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    return Record("RegDeleteValueA", Describe(key), valueName, result);
}

LONG RegCloseKey(HKEY handle)
{
    std::string name = Describe(Resolve(handle));
    LONG result = ERROR_SUCCESS;
    if (RootIndex(handle) < 0 && !machine.openKeys.erase(reinterpret_cast<UINT_PTR>(handle)))
        result = ERROR_INVALID_HANDLE;
    return Record("RegCloseKey", name, nullptr, result);
}
