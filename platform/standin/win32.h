// The Win32 subset the program uses, declared for a native build against the
// in-memory machine of machine.h. Names, values and error codes are the platform's.
#pragma once
#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef unsigned int UINT;
typedef char CHAR;
typedef CHAR *LPSTR;
typedef const CHAR *LPCSTR;
typedef std::intptr_t INT_PTR;
typedef std::intptr_t LONG_PTR;
typedef std::uintptr_t UINT_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef DWORD LCID;
typedef DWORD REGSAM;

typedef void *HANDLE;
typedef HANDLE HLOCAL;
typedef void *PSID;
typedef struct HKEY__ *HKEY;
typedef HKEY *PHKEY;
typedef struct HWND__ *HWND;
typedef struct HINSTANCE__ *HINSTANCE;
typedef HINSTANCE HMODULE;
typedef INT_PTR (*FARPROC)();

#define TRUE 1
#define FALSE 0

#define HKEY_CLASSES_ROOT  ((HKEY)(UINT_PTR)0x80000000)
#define HKEY_CURRENT_USER  ((HKEY)(UINT_PTR)0x80000001)
#define HKEY_LOCAL_MACHINE ((HKEY)(UINT_PTR)0x80000002)

#define DELETE 0x00010000L
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_READ 0x00020019
#define KEY_ALL_ACCESS 0x000F003F
#define REG_OPTION_OPEN_LINK 0x00000008L
#define REG_SZ 1
#define REG_LINK 6

#define ERROR_SUCCESS        0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_ACCESS_DENIED  5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_MORE_DATA      234L
#define ERROR_NO_MORE_ITEMS  259L
#define ERROR_KEY_DELETED    1018L
#define ERROR_CANT_RESOLVE_FILENAME 1921L

#define MB_OK              0x00000000L
#define MB_YESNO           0x00000004L
#define MB_ICONERROR       0x00000010L
#define MB_ICONQUESTION    0x00000020L
#define MB_ICONWARNING     0x00000030L
#define MB_ICONINFORMATION 0x00000040L

#define WM_CLOSE      0x0010
#define WM_SETTEXT    0x000C
#define WM_INITDIALOG 0x0110
#define WM_COMMAND    0x0111

#define LOWORD(l) ((WORD)((UINT_PTR)(l) & 0xFFFF))
#define MAKEINTRESOURCEA(i) ((LPSTR)(UINT_PTR)(WORD)(i))

typedef INT_PTR (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);

#define IDOK     1
#define IDCANCEL 2
#define IDYES    6
#define IDNO     7

#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

typedef struct {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
} OSVERSIONINFOA;

#define TOKEN_QUERY 0x0008
#define TOKEN_READ 0x00020008L
#define TOKEN_ALL_ACCESS 0x000F01FFL
typedef enum { TokenGroups = 2 } TOKEN_INFORMATION_CLASS;

typedef struct {
    PSID Sid;
    DWORD Attributes;
} SID_AND_ATTRIBUTES;

typedef struct {
    DWORD GroupCount;
    SID_AND_ATTRIBUTES Groups[1];
} TOKEN_GROUPS;

#define SE_GROUP_MANDATORY 0x00000001L
#define SE_GROUP_ENABLED 0x00000004L
#define SE_GROUP_USE_FOR_DENY_ONLY 0x00000010L

typedef struct {
    BYTE Value[6];
} SID_IDENTIFIER_AUTHORITY;

#define SECURITY_NT_AUTHORITY {{0, 0, 0, 0, 0, 5}}
#define SECURITY_BUILTIN_DOMAIN_RID 0x00000020L
#define DOMAIN_ALIAS_RID_ADMINS 0x00000220L

#define LMEM_FIXED 0

LONG RegOpenKeyExA(HKEY parent, LPCSTR path, DWORD options, REGSAM access, PHKEY result);
LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize);
LONG RegDeleteKeyA(HKEY parent, LPCSTR path);
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD *reserved, DWORD *type, BYTE *data, DWORD *dataSize);
LONG RegDeleteValueA(HKEY key, LPCSTR valueName);
LONG RegCloseKey(HKEY key);

BOOL GetVersionExA(OSVERSIONINFOA *version);
BOOL IsDBCSLeadByte(BYTE byte);
HMODULE GetModuleHandleA(LPCSTR moduleName);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
HANDLE GetCurrentProcess();
BOOL OpenProcessToken(HANDLE process, DWORD access, HANDLE *token);
BOOL GetTokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS infoClass, void *info, DWORD infoSize,
                         DWORD *returnSize);
BOOL AllocateAndInitializeSid(SID_IDENTIFIER_AUTHORITY *authority, BYTE count, DWORD sub0, DWORD sub1, DWORD sub2,
                              DWORD sub3, DWORD sub4, DWORD sub5, DWORD sub6, DWORD sub7, PSID *sid);
BOOL EqualSid(PSID a, PSID b);
void *FreeSid(PSID sid);
BOOL CloseHandle(HANDLE handle);
HLOCAL LocalAlloc(UINT flags, std::size_t size);
HLOCAL LocalFree(HLOCAL memory);

LCID GetUserDefaultLCID();
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferSize);
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure, LPARAM param);
HWND GetDesktopWindow();
LRESULT SendDlgItemMessageA(HWND dialog, int item, UINT message, WPARAM wParam, LPARAM lParam);
BOOL EndDialog(HWND dialog, INT_PTR result);
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
[[noreturn]] void ExitProcess(UINT exitCode);
