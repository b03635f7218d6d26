// icon_probe.dll: loaded into the program under test by a hook, see
// icon_probe_protocol.h. No C runtime, since the program has none either.
#include <windows.h>
#include "icon_probe_protocol.h"

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD, LPVOID) { return TRUE; }

static BOOL CALLBACK FindIconControl(HWND control, LPARAM found)
{
    wchar_t className[16];
    if (!IsWindowVisible(control) || !GetClassNameW(control, className, 16) || lstrcmpiW(className, L"Static") != 0 ||
        (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        return TRUE;
    *reinterpret_cast<HWND *>(found) = control;
    return FALSE;
}

static IconProbeAnswer WhichIcon(HWND window)
{
    HWND control = nullptr;
    EnumChildWindows(window, FindIconControl, reinterpret_cast<LPARAM>(&control));
    if (!control)
        return ProbeNoIcon;
    HICON shown = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
    // Standard icons are shared: loading one again gives the handle in use.
    if (shown == LoadIconW(nullptr, IDI_QUESTION))
        return ProbeQuestion;
    if (shown == LoadIconW(nullptr, IDI_ERROR))
        return ProbeError;
    if (shown == LoadIconW(nullptr, IDI_INFORMATION))
        return ProbeInformation;
    if (shown == LoadIconW(nullptr, IDI_WARNING))
        return ProbeWarning;
    return ProbeOtherIcon;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK IconProbeHook(int code, WPARAM removal, LPARAM message)
{
    MSG *msg = reinterpret_cast<MSG *>(message);
    if (code == HC_ACTION && msg->message == RegisterWindowMessageW(ICON_PROBE_NAME)) {
        SetPropW(msg->hwnd, ICON_PROBE_NAME, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(WhichIcon(msg->hwnd))));
        msg->message = WM_NULL;  // not for the program itself
    }
    return CallNextHookEx(nullptr, code, removal, message);
}

// Dialogs and message boxes alike are of the class #32770, named by its atom
// or by that string. Other top-level windows of the thread (Wine makes an
// IME window beside the first window) are none of the refusal's business.
const WORD DialogClassAtom = 32770;

static bool IsDialogClass(LPCWSTR className)
{
    if (IS_INTRESOURCE(className))
        return LOWORD(reinterpret_cast<ULONG_PTR>(className)) == DialogClassAtom;
    return lstrcmpiW(className, L"#32770") == 0;
}

static bool IsTopLevelDialog(HWND window)
{
    wchar_t className[16];
    return GetClassNameW(window, className, 16) && IsDialogClass(className) &&
           !(GetWindowLongW(window, GWL_STYLE) & WS_CHILD);
}

// Per process: this copy of the DLL lives in the program under test.
static enum { Waiting, Armed, Refused } refusal;

extern "C" __declspec(dllexport) LRESULT CALLBACK BoxRefusalHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_DESTROYWND && refusal == Waiting && IsTopLevelDialog(reinterpret_cast<HWND>(wParam)))
        refusal = Armed;
    if (code == HCBT_CREATEWND && refusal == Armed) {
        const CREATESTRUCTW *create = reinterpret_cast<CBT_CREATEWNDW *>(lParam)->lpcs;
        if (IsDialogClass(create->lpszClass) && !(create->style & WS_CHILD)) {
            refusal = Refused;
            if (HANDLE refused = OpenEventW(EVENT_MODIFY_STATE, FALSE, BOX_REFUSED_EVENT)) {
                SetEvent(refused);
                CloseHandle(refused);
            }
            return 1;  // the window is not created
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
