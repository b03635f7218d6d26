// Finding the windows the program shows and reading what a person would see.
#pragma once
#include "expectations.h"
#include <string>
#include <vector>

struct Control {
    int id;
    std::wstring text;
    bool enabled;
};

struct ShownWindow {
    HWND handle;
    std::wstring className;
    std::wstring caption;
    std::vector<Control> texts;    // visible static controls other than icons
    std::vector<Control> buttons;  // visible buttons
    bool hasCloseBox;
};

// The visible top-level windows of the process, in z-order.
std::vector<HWND> VisibleWindowsOf(DWORD processId);

// Waits for the process to show a window; nullptr if it ended or the time ran out.
HWND WaitForWindow(const PROCESS_INFORMATION &process, DWORD timeoutMs);

ShownWindow ReadWindow(HWND window);
