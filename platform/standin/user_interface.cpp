// Message boxes: recorded, and answered from the test's script.
#include "machine.h"

using namespace standin;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    machine.messageBoxes.push_back({owner, text ? text : "", caption ? caption : "", type});
    if (!machine.messageBoxAnswers.empty()) {
        int answer = machine.messageBoxAnswers.front();
        machine.messageBoxAnswers.pop_front();
        return answer;
    }
    // Unscripted: Enter, which takes the first button.
    return (type & 0xF) == MB_YESNO ? IDYES : IDOK;
}
