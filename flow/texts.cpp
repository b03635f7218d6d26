#include "flow/texts.h"
#include "flow/exit_status.h"

UINT LanguageOffset;
char TextBuffer[TextBufferSize];
HINSTANCE ModuleInstance;

void SelectLanguage()
{
    LanguageOffset = EnglishOffset;
    // The whole locale id: Slovak and every other Czech-like locale stay English.
    if (GetUserDefaultLCID() == CzechLocale)
        LanguageOffset = CzechOffset;
}

void LoadText(TextId id)
{
    if (LoadStringA(ModuleInstance, id + LanguageOffset, TextBuffer, TextBufferSize) != 0)
        return;
    // Fixed English: the table that would hold a translation is what failed.
    MessageBoxA(nullptr, "Resource not found.", "Error", MB_ICONERROR);
    ExitProcess(ExitRefused);
}
