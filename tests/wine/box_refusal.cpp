#include "box_refusal.h"
#include "icon_probe_protocol.h"
#include "probe.h"
#include "report.h"
#include <string>

static HHOOK hook;
static HANDLE refused;

bool RefuseNextBox(HWND window)
{
    if (!refused)
        refused = CreateEventW(nullptr, TRUE, FALSE, BOX_REFUSED_EVENT);
    if (!refused) {
        Fail("cannot make the event " + Quoted(BOX_REFUSED_EVENT) + ": error " + std::to_string(GetLastError()));
        return false;
    }
    if (!hook)
        hook = HookProbe(WH_CBT, BOX_REFUSAL_HOOK, GetWindowThreadProcessId(window, nullptr));
    return hook != nullptr;
}

void ExpectBoxRefused()
{
    if (!hook || !refused) {
        Fail("no box refusal was armed");
    } else if (WaitForSingleObject(refused, 0) != WAIT_OBJECT_0) {
        Fail("the hook refused no box: the program created none after the dialog");
    }
    if (hook)
        UnhookWindowsHookEx(hook);
    hook = nullptr;
}
