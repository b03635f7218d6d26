// Dialogs and message boxes: made from the program's own templates,
// recorded, and answered from the test's script.
#include "machine.h"

#include <stdexcept>

namespace {

using namespace standin;

const WORD RT_DIALOG = 5;
const DWORD DS_SETFONT = 0x40;
const HWND Desktop = reinterpret_cast<HWND>(0x10010);

// Reads the classic DLGTEMPLATE layout and its DLGITEMTEMPLATEs.
class TemplateReader {
public:
    explicit TemplateReader(const std::vector<BYTE> &data) : data(data) {}

    WORD Word()
    {
        at += 2;
        return static_cast<WORD>(data.at(at - 2) | data.at(at - 1) << 8);
    }
    DWORD Dword() { return Word() | static_cast<DWORD>(Word()) << 16; }
    short Short() { return static_cast<short>(Word()); }
    void Align() { at = (at + 3) & ~size_t(3); }

    std::u16string String()
    {
        std::u16string text;
        for (WORD c; (c = Word()) != 0;)
            text += static_cast<char16_t>(c);
        return text;
    }

    // A string, or 0xFFFF and an ordinal, or nothing.
    std::u16string StringOrOrdinal(WORD &ordinal)
    {
        ordinal = 0;
        WORD first = Word();
        if (first == 0xFFFF) {
            ordinal = Word();
            return u"";
        }
        if (first == 0)
            return u"";
        at -= 2;
        return String();
    }

private:
    const std::vector<BYTE> &data;
    size_t at = 0;
};

DialogRecord MakeDialog(const Resource &resource, HWND owner)
{
    TemplateReader reader(resource.data);
    DialogRecord dialog;
    dialog.owner = owner;
    dialog.templateId = resource.name;
    dialog.style = reader.Dword();
    dialog.exStyle = reader.Dword();
    WORD count = reader.Word(), ordinal;
    dialog.x = reader.Short(), dialog.y = reader.Short(), dialog.cx = reader.Short(), dialog.cy = reader.Short();
    reader.StringOrOrdinal(ordinal);  // menu
    reader.StringOrOrdinal(ordinal);  // class
    dialog.caption = ToAnsi(reader.String());
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = reader.Word();
        dialog.font = ToAnsi(reader.String());
    }
    for (WORD i = 0; i < count; ++i) {
        reader.Align();
        DialogControl control;
        control.style = reader.Dword();
        reader.Dword();  // extended style
        control.x = reader.Short(), control.y = reader.Short(), control.cx = reader.Short(), control.cy = reader.Short();
        control.id = reader.Word();
        reader.StringOrOrdinal(control.classOrdinal);
        control.text = ToAnsi(reader.StringOrOrdinal(control.iconOrdinal));
        for (WORD extra = reader.Word(); extra > 0; extra -= 1)
            reader.Word();
        dialog.controls.push_back(control);
    }
    return dialog;
}

// The simulated dialog's window handle is its index among the records, plus one.
DialogRecord *DialogOf(HWND window)
{
    size_t index = reinterpret_cast<UINT_PTR>(window);
    return index >= 1 && index <= machine.dialogs.size() ? &machine.dialogs[index - 1] : nullptr;
}

}  // namespace

using namespace standin;

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure, LPARAM param)
{
    const Resource *resource = FindResource(RT_DIALOG, static_cast<WORD>(reinterpret_cast<UINT_PTR>(templateName)));
    if (machine.dialogCreationFails || instance != ProgramModule || !resource)
        return -1;
    machine.dialogs.push_back(MakeDialog(*resource, owner));
    HWND window = reinterpret_cast<HWND>(machine.dialogs.size());
    // What WM_INITDIALOG returns tells the dialog manager whether to give
    // the focus to the first control that takes it (TRUE), or that the
    // procedure has set the focus itself (FALSE).
    INT_PTR initResult = procedure(window, WM_INITDIALOG, 0, param);
    DialogOf(window)->initResult = initResult;
    if (machine.dialogCommands.empty())
        machine.dialogCommands.push_back(IDOK);
    while (!DialogOf(window)->ended) {
        if (machine.dialogCommands.empty())
            throw std::logic_error("the dialog is still open when the test's script ran out");
        WPARAM command = machine.dialogCommands.front();
        machine.dialogCommands.pop_front();
        if (command == DialogCloseBox) {
            // The default for WM_CLOSE, done only where the procedure leaves it undone.
            INT_PTR handled = procedure(window, WM_CLOSE, 0, 0);
            DialogOf(window)->closeResults.push_back(handled);
            if (handled || DialogOf(window)->ended)
                continue;
            command = IDCANCEL;
        }
        INT_PTR handled = procedure(window, WM_COMMAND, command, 0);
        DialogOf(window)->commandResults.push_back(handled);
    }
    return DialogOf(window)->result;
}

HWND GetDesktopWindow()
{
    return Desktop;
}

LRESULT SendDlgItemMessageA(HWND window, int item, UINT message, WPARAM, LPARAM lParam)
{
    DialogRecord *dialog = DialogOf(window);
    if (!dialog || message != WM_SETTEXT)
        return 0;
    for (DialogControl &control : dialog->controls)
        if (control.id == static_cast<WORD>(item)) {
            control.text = reinterpret_cast<LPCSTR>(lParam);
            return TRUE;
        }
    return 0;
}

BOOL EndDialog(HWND window, INT_PTR result)
{
    DialogRecord *dialog = DialogOf(window);
    if (!dialog)
        return FALSE;
    dialog->ended = true;
    dialog->result = result;
    return TRUE;
}

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
