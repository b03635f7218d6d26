// The whole run: one fixed sequence, no window of its own.
#include "win32.h"
#include "cleanup/cleanup.h"
#include "flow/exit_status.h"
#include "flow/texts.h"
#include "gate/gate.h"

// Shows the text just loaded, with no owner window.
static int ShowLoadedText(UINT style)
{
    return MessageBoxA(nullptr, TextBuffer, PROGRAM_CAPTION, style);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    SelectLanguage();

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

    LoadText(IDS_DONE);
    ShowLoadedText(MB_ICONINFORMATION | MB_OK);
    return ExitFinished;
}
