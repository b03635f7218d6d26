#include "window_reader.h"
#include "report.h"

namespace {

const DWORD PollMs = 50;

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM search)
{
    Search *s = reinterpret_cast<Search *>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s->processId && IsWindowVisible(window))
        s->found.push_back(window);
    return TRUE;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[1024];
    int length = GetWindowTextW(window, text, 1024);
    return std::wstring(text, length > 0 ? length : 0);
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256];
    int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? length : 0);
}

BOOL CALLBACK CollectControl(HWND control, LPARAM into)
{
    ShownWindow *shown = reinterpret_cast<ShownWindow *>(into);
    if (!IsWindowVisible(control))
        return TRUE;
    std::wstring className = ClassOf(control);
    Control read{GetDlgCtrlID(control), TextOf(control), IsWindowEnabled(control) != FALSE};
    if (lstrcmpiW(className.c_str(), L"Button") == 0)
        shown->buttons.push_back(read);
    else if (lstrcmpiW(className.c_str(), L"Static") == 0 && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        shown->texts.push_back(read);
    return TRUE;
}

}  // namespace

std::vector<HWND> VisibleWindowsOf(DWORD processId)
{
    Search search{processId, {}};
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const PROCESS_INFORMATION &process, DWORD timeoutMs)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += PollMs) {
        std::vector<HWND> windows = VisibleWindowsOf(process.dwProcessId);
        if (!windows.empty()) {
            if (windows.size() > 1)
                Fail(std::to_string(windows.size()) + " windows shown at once where one was expected");
            // Answered once the program's thread is back in its message loop,
            // so that the window's set-up is over before it is read.
            DWORD_PTR ignored;
            SendMessageTimeoutW(windows.front(), WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored);
            return windows.front();
        }
        if (WaitForSingleObject(process.hProcess, PollMs) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

ShownWindow ReadWindow(HWND window)
{
    ShownWindow shown{window, ClassOf(window), TextOf(window), {}, {}, false};
    shown.hasCloseBox = (GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU) != 0;
    EnumChildWindows(window, CollectControl, reinterpret_cast<LPARAM>(&shown));
    return shown;
}
