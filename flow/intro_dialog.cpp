#include "flow/intro_dialog.h"
#include "flow/texts.h"

// Each text is set right after it is loaded: the next load overwrites it.
static void SetItemText(HWND dialog, int item, TextId text)
{
    LoadText(text);
    SendDlgItemMessageA(dialog, item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(TextBuffer));
}

// Puts the chosen language into the template's controls.
static INT_PTR OnInitDialog(HWND dialog)
{
    SetItemText(dialog, IDC_INTRO_TEXT, IDS_INTRO);
    SetItemText(dialog, IDOK, IDS_BUTTON_OK);
    SetItemText(dialog, IDCANCEL, IDS_BUTTON_CANCEL);
    return FALSE;  // to the dialog manager: the focus was set here; none is, as designed
}

// Enter, Escape and the close box arrive here as IDOK, IDCANCEL and IDCANCEL.
static INT_PTR OnCommand(HWND dialog, WORD command)
{
    if (command != IDOK && command != IDCANCEL)
        return FALSE;
    EndDialog(dialog, command);
    return TRUE;
}

INT_PTR CALLBACK IntroDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}
