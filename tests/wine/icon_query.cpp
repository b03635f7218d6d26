#include "icon_query.h"
#include "icon_probe_protocol.h"
#include "probe.h"
#include "report.h"
#include <string>

static const DWORD PollMs = 50;

Icon QueryIcon(HWND window)
{
    const DWORD timeoutMs = 10000;
    HHOOK installed = HookProbe(WH_GETMESSAGE, ICON_PROBE_HOOK, GetWindowThreadProcessId(window, nullptr));
    if (!installed)
        return Icon::Unchecked;
    PostMessageW(window, RegisterWindowMessageW(ICON_PROBE_NAME), 0, 0);
    INT_PTR answer = 0;
    for (DWORD waited = 0; !answer && waited < timeoutMs && IsWindow(window); waited += PollMs) {
        answer = reinterpret_cast<INT_PTR>(GetPropW(window, ICON_PROBE_NAME));
        if (!answer)
            Sleep(PollMs);
    }
    UnhookWindowsHookEx(installed);
    switch (answer) {
    case ProbeNoIcon: return Icon::None;
    case ProbeQuestion: return Icon::Question;
    case ProbeError: return Icon::Error;
    case ProbeInformation: return Icon::Information;
    case ProbeWarning: return Icon::Warning;
    case ProbeOtherIcon: return Icon::Other;
    }
    Fail("icon_probe.dll gave no answer about the icon");
    return Icon::Unchecked;
}

const char *IconName(Icon icon)
{
    switch (icon) {
    case Icon::None: return "no icon";
    case Icon::Question: return "the question icon";
    case Icon::Error: return "the error icon";
    case Icon::Information: return "the information icon";
    case Icon::Warning: return "the warning icon";
    case Icon::Other: return "an icon of its own";
    case Icon::Unchecked: break;
    }
    return "an unchecked icon";
}
