// The in-memory machine behind the stand-in Win32 functions: tests set it up,
// run the program against it and inspect what the program did.
#pragma once
#include "win32.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace standin {

enum class Family { Windows95, NT };

struct RegistryValue {
    DWORD type;
    std::string data;
};

// Names are UTF-8 here; the A functions convert at the ANSI code page.
struct RegistryKey : std::enable_shared_from_this<RegistryKey> {
    std::string name;
    std::vector<std::shared_ptr<RegistryKey>> subkeys;  // in enumeration order
    std::map<std::string, RegistryValue> values;        // upper-case name -> value
    RegistryKey *parent = nullptr;
    bool deleted = false;
    // What its security grants: an open asking for more is refused.
    REGSAM grantedAccess = KEY_ALL_ACCESS;
    // The system refuses to delete it even through a handle with DELETE
    // access, as it does a hive's root.
    bool refuseDelete = false;
};

// An open handle: the key, and the access it was opened with.
struct OpenKey {
    std::shared_ptr<RegistryKey> key;
    REGSAM access;
};

// One registry call as the program made it, with the key it named.
struct RegistryCall {
    std::string function;  // "RegOpenKeyExA", ...
    std::string key;       // the key handed in, by full path: "HKLM", "HKLM\\SOFTWARE\\X"
    std::string name;      // the subkey path or value name handed in, if any
    LONG result;
    REGSAM access = 0;     // RegOpenKeyExA: the access asked for
    DWORD options = 0;     // RegOpenKeyExA: its options
};

struct MessageBoxRecord {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

struct Resource {
    WORD type;
    WORD name;
    WORD language;
    std::vector<BYTE> data;
};

// One entry of the process token's group list.
struct TokenGroup {
    std::vector<BYTE> sid;  // binary SID
    DWORD attributes;
};

// A control of a simulated dialog, as its template made it and the program changed it.
struct DialogControl {
    WORD id;
    WORD classOrdinal;   // 0x80 BUTTON, 0x82 STATIC
    DWORD style;
    short x, y, cx, cy;
    WORD iconOrdinal;    // for an icon control: the icon resource it shows
    std::string text;    // ANSI, as WM_SETTEXT gave it
};

struct DialogRecord {
    HWND owner;
    WORD templateId;
    DWORD style, exStyle;
    short x, y, cx, cy;
    std::string caption;
    WORD pointSize;
    std::string font;
    std::vector<DialogControl> controls;
    // The procedure's answer to WM_INITDIALOG; -1 until it has given one.
    INT_PTR initResult = -1;
    std::vector<INT_PTR> commandResults;  // the procedure's answer to each WM_COMMAND it got
    std::vector<INT_PTR> closeResults;    // and to each WM_CLOSE (the close box)
    bool ended = false;
    INT_PTR result = 0;
};

// Thrown by ExitProcess: ends the scenario with its status.
struct ProcessExit {
    UINT status;
};

struct Machine {
    Family family = Family::NT;  // the kernel: registry semantics, ntdll or not
    DWORD platformId = VER_PLATFORM_WIN32_NT;  // what GetVersionExA reports, truthfully or not
    bool versionFails = false;
    LCID userDefaultLocale = 0x0409;
    UINT ansiCodePage = 1252;

    // HKCR (the machine's classes), HKCU, HKLM, and the user's own classes.
    std::shared_ptr<RegistryKey> roots[4];
    // Windows 2000 and later: HKCR merges the user's classes over the
    // machine's, and advapi32 exports RegOpenUserClassesRoot. Set by UsePerUserClasses.
    bool perUserClasses = false;
    std::map<UINT_PTR, OpenKey> openKeys;
    UINT_PTR nextHandle = 0x1000;
    std::vector<RegistryCall> registryCalls;
    // Runs after every registry call: lets a test act as another process.
    std::function<void(const RegistryCall &)> afterRegistryCall;

    bool tokenOpenFails = false;
    bool tokenQueryFails = false;
    std::vector<TokenGroup> tokenGroups;  // ResetMachine lists Everyone, Users, Administrators
    std::vector<std::string> securityCalls;  // function names, in order
    int openTokens = 0, liveSids = 0, liveLocalBlocks = 0;
    std::map<UINT_PTR, DWORD> tokenHandles;  // each open token handle, with the access it was opened with

    std::vector<Resource> resources;  // the program's compiled resources

    bool dialogCreationFails = false;
    // WM_COMMAND wParams, or DialogCloseBox; unscripted dialogs get IDOK.
    std::deque<WPARAM> dialogCommands;
    std::vector<DialogRecord> dialogs;

    std::deque<int> messageBoxAnswers;  // unscripted boxes take their default button
    std::vector<MessageBoxRecord> messageBoxes;
};

extern Machine machine;

// A scripted click on the dialog's close box: the dialog manager sends
// WM_CLOSE, and where the procedure leaves it to the default (returns
// FALSE), a WM_COMMAND with IDCANCEL.
const WPARAM DialogCloseBox = ~WPARAM(0);

// What the registry holds at most: names of 255 characters, trees of 512 levels.
const size_t MaxKeyNameLength = 255;
const int MaxTreeDepth = 512;

// The handles the stand-in gives the program's own module, ntdll and advapi32.
extern const HINSTANCE ProgramModule;
extern const HMODULE NtdllModule, AdvapiModule;
extern const FARPROC NtDeleteKeyEntry, RegOpenUserClassesRootEntry;

// A fresh machine: empty registry, English NT user, the program's resources.
void ResetMachine();
// The merged HKCR of Windows 2000 and later, as documented: an open through
// HKCR prefers the user's key to the machine's of the same name, and a
// value comes from the key that was opened. The halves stand where Windows
// shows them: HKCU\Software\Classes and HKLM\SOFTWARE\Classes, each a
// link to its own root here. A key opened through HKCR is that half's key;
// what lies below it is not merged again.
void UsePerUserClasses();

// Whether the handle is the process token, still open.
bool IsOpenProcessToken(HANDLE token);
// Whether it is, and was opened with every bit of `access`.
bool TokenGrants(HANDLE token, DWORD access);

// S-1-<authority>-<sub>-<sub>...
std::vector<BYTE> MakeSid(BYTE authority, std::vector<DWORD> subAuthorities);

// Registry set-up and inspection; paths are relative to a predefined root.
// Set-up follows links on the way, as RegCreateKeyEx does; a dangling one
// throws std::logic_error, and so does any shape no registry can hold: an
// empty name, one longer than MaxKeyNameLength, a link on the Windows 95
// family, or, on NT, a key more than MaxTreeDepth levels below its root.
RegistryKey *CreateKey(HKEY root, const std::string &path);
void SetValue(HKEY root, const std::string &path, const std::string &name, const std::string &data = "");
// A symbolic link key whose SymbolicLinkValue names a target such as "HKLM\\Elsewhere".
void CreateLink(HKEY root, const std::string &path, const std::string &target);
// Removes a key with everything under it, as another process could.
void RemoveTree(HKEY root, const std::string &path);
RegistryKey *FindKey(HKEY root, const std::string &path);
// The key `path` names below `key`, links on the way followed, the last one not.
RegistryKey *FindKeyBelow(RegistryKey *key, const std::string &path);
bool IsLinkKey(const RegistryKey *key);
bool KeyExists(HKEY root, const std::string &path);
bool ValueExists(HKEY root, const std::string &path, const std::string &name);
// Every key and value, one line each ("HKLM\\A\\B", "HKLM\\A\\B\\[NAME]=data").
std::vector<std::string> DumpRegistry();
std::string KeyPath(const RegistryKey *key);

// UTF-16 in the machine's ANSI code page with best fit, as
// WideCharToMultiByte gives it: U+FF3C and U+2216 become '\\' in 1250 and
// 1252, U+00A5 does in 932, the fullwidth ASCII forms become ASCII, and
// whatever else the code page cannot hold becomes '?'.
std::string ToAnsi(const std::u16string &text);
bool IsLeadByte(BYTE byte);
std::string AnsiFromUtf8(const std::string &text);
std::string Utf8FromAnsi(const std::string &text);
const Resource *FindResource(WORD type, WORD name);

// Names as NT compares them, for keys and values alike: UTF-16 upper-cased
// code unit by code unit (ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic,
// fullwidth Latin), then ordered as unsigned numbers. Names are UTF-8 here.
char16_t UpcaseChar(char16_t c);
std::u16string UpcaseName(const std::string &name);
int CompareNames(const std::string &a, const std::string &b);
std::u16string Utf16FromUtf8(const std::string &text);
std::string Utf8FromUtf16(const std::u16string &text);

// Texts of the string table as the program would load them.
void RemoveString(UINT id);
void ReplaceString(UINT id, const std::u16string &text);

}  // namespace standin
