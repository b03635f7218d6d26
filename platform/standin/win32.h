// The Win32 subset the program uses, declared for a native build against the
// in-memory machine of machine.h. Names, values and error codes are the platform's.
#pragma once
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

typedef struct HKEY__ *HKEY;
typedef HKEY *PHKEY;
typedef struct HWND__ *HWND;
typedef struct HINSTANCE__ *HINSTANCE;

#define TRUE 1
#define FALSE 0

#define HKEY_CLASSES_ROOT  ((HKEY)(UINT_PTR)0x80000000)
#define HKEY_CURRENT_USER  ((HKEY)(UINT_PTR)0x80000001)
#define HKEY_LOCAL_MACHINE ((HKEY)(UINT_PTR)0x80000002)

#define KEY_ALL_ACCESS 0x000F003F

#define ERROR_SUCCESS        0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_ACCESS_DENIED  5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_MORE_DATA      234L
#define ERROR_NO_MORE_ITEMS  259L
#define ERROR_KEY_DELETED    1018L

#define MB_OK              0x00000000L
#define MB_YESNO           0x00000004L
#define MB_ICONERROR       0x00000010L
#define MB_ICONQUESTION    0x00000020L
#define MB_ICONINFORMATION 0x00000040L

#define IDOK     1
#define IDCANCEL 2
#define IDYES    6
#define IDNO     7

LONG RegOpenKeyExA(HKEY parent, LPCSTR path, DWORD options, REGSAM access, PHKEY result);
LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize);
LONG RegDeleteKeyA(HKEY parent, LPCSTR path);
LONG RegDeleteValueA(HKEY key, LPCSTR valueName);
LONG RegCloseKey(HKEY key);

LCID GetUserDefaultLCID();
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferSize);
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
[[noreturn]] void ExitProcess(UINT exitCode);
