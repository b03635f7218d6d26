#include "window_answer.h"
#include "box_refusal.h"
#include "report.h"

static bool Give(const std::string &label, const ShownWindow &shown, const Answer &answer)
{
    HWND window = shown.handle;
    switch (answer.kind) {
    case AnswerKind::Click:
        for (const Control &button : shown.buttons) {
            if (button.id != answer.button)
                continue;
            if (!button.enabled) {
                Fail(label + ": button id " + std::to_string(answer.button) + " is disabled, cannot click it");
                return false;
            }
            // A click as the button itself handles it, down and up.
            return PostMessageW(GetDlgItem(window, answer.button), BM_CLICK, 0, 0) != FALSE;
        }
        Fail(label + ": no button id " + std::to_string(answer.button) + " to click");
        return false;
    case AnswerKind::Escape: {
        // To the control with the focus, where the key would arrive.
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        HWND focus = GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) && thread.hwndFocus
                         ? thread.hwndFocus
                         : window;
        return PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001) != FALSE &&
               PostMessageW(focus, WM_KEYUP, VK_ESCAPE, 0xC0010001) != FALSE;
    }
    case AnswerKind::CloseBox:
        if (!shown.hasCloseBox) {
            Fail(label + ": has no close box");
            return false;
        }
        return PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
    case AnswerKind::PostQuit:
        // To the thread, as PostQuitMessage would; the modal loop showing
        // the window is the one to find it.
        if (PostThreadMessageW(GetWindowThreadProcessId(window, nullptr), WM_QUIT, 0, 0))
            return true;
        Fail(label + ": cannot post WM_QUIT to its thread: error " + std::to_string(GetLastError()));
        return false;
    }
    return false;
}

bool AnswerWindow(const std::string &label, const ShownWindow &shown, const Answer &answer)
{
    const DWORD timeoutMs = 30000, pollMs = 50;
    if (answer.refuseNextBox && !RefuseNextBox(shown.handle))
        return false;
    if (!Give(label, shown, answer))
        return false;
    for (DWORD waited = 0; waited < timeoutMs; waited += pollMs) {
        if (!IsWindow(shown.handle) || !IsWindowVisible(shown.handle))
            return true;
        Sleep(pollMs);
    }
    Fail(label + ": still shown " + std::to_string(timeoutMs / 1000) + " s after it was answered");
    return false;
}
