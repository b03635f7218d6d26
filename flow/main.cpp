// The whole run: one fixed sequence, no window of its own.
#include "win32.h"
#include "cleanup/cleanup.h"
#include "flow/exit_status.h"
#include "flow/intro_dialog.h"
#include "flow/rows_left_warning.h"
#include "flow/texts.h"
#include "gate/gate.h"

// Loads a text and shows it at once, in a box with no owner window.
static int ShowText(TextId text, UINT style)
{
    LoadText(text);
    return MessageBoxA(nullptr, TextBuffer, PROGRAM_CAPTION, style);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    SelectLanguage();

    INT_PTR answer = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_INTRO), GetDesktopWindow(), IntroDialogProc, 0);
    if (answer == -1)
        return ExitNoAnswer;
    if (answer == IDCANCEL)
        return ExitFinished;

    // Only now, after the user accepted, is the platform looked at.
    DetectPlatform();
    if (!MayProceed()) {
        ShowText(IDS_NEED_ADMIN, MB_ICONERROR | MB_OK);
        return ExitRefused;
    }

    int confirmation = ShowText(IDS_CONFIRM, MB_ICONQUESTION | MB_YESNO);
    if (confirmation == IDNO)
        return ExitFinished;
    // Only Yes consents. Anything else is no answer at all: 0 from a box
    // that could not be shown, or whatever a box ended by WM_QUIT gives.
    if (confirmation != IDYES)
        return ExitNoAnswer;

    RemoveProductFootprint();
    RowLeft left[ListedRowsLeft + 1];
    if (int count = FindRowsLeft(left, ListedRowsLeft + 1)) {
        ShowRowsLeftWarning(left, count);
        return ExitIncomplete;
    }

    ShowText(IDS_DONE, MB_ICONINFORMATION | MB_OK);
    return ExitFinished;
}
