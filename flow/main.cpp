// The whole run: one fixed sequence, no window of its own.
#include "win32.h"
#include "cleanup/cleanup.h"
#include "flow/exit_status.h"
#include "flow/intro_dialog.h"
#include "flow/texts.h"
#include "gate/gate.h"

// Shows the text just loaded, with no owner window.
static int ShowLoadedText(UINT style)
{
    return MessageBoxA(nullptr, TextBuffer, PROGRAM_CAPTION, style);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    SelectLanguage();

    INT_PTR answer = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_INTRO), GetDesktopWindow(), IntroDialogProc, 0);
    if (answer == -1)
        return ExitNoDialog;
    if (answer == IDCANCEL)
        return ExitFinished;

    // Only now, after the user accepted, is the platform looked at.
    DetectPlatform();
    if (!MayProceed()) {
        LoadText(IDS_NEED_ADMIN);
        ShowLoadedText(MB_ICONERROR | MB_OK);
        return ExitRefused;
    }

    LoadText(IDS_CONFIRM);
    if (ShowLoadedText(MB_ICONQUESTION | MB_YESNO) == IDNO)
        return ExitFinished;

    RemoveProductFootprint();
    if (!IsFootprintGone()) {
        LoadText(IDS_INCOMPLETE);
        ShowLoadedText(MB_ICONWARNING | MB_OK);
        return ExitIncomplete;
    }

    LoadText(IDS_DONE);
    ShowLoadedText(MB_ICONINFORMATION | MB_OK);
    return ExitFinished;
}
