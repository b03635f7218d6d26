#include "flow/rows_left_warning.h"
#include "flow/texts.h"

char WarningText[WarningTextSize];

// Appends as much of `text` as fits, always leaving the terminator.
static void Append(int &used, LPCSTR text)
{
    while (*text && used < WarningTextSize - 1)
        WarningText[used++] = *text++;
    WarningText[used] = 0;
}

void ShowRowsLeftWarning(const RowLeft *left, int count)
{
    LoadText(IDS_INCOMPLETE);
    int used = 0;
    Append(used, TextBuffer);
    Append(used, "\n");
    for (int i = 0; i < count && i < ListedRowsLeft; ++i) {
        Append(used, "\n");
        Append(used, left[i].place);
        Append(used, "\\");
        Append(used, left[i].path);
        if (left[i].valueName) {
            Append(used, " \"");
            Append(used, left[i].valueName);
            Append(used, "\"");
        }
    }
    if (count > ListedRowsLeft)
        Append(used, "\n...");
    MessageBoxA(nullptr, WarningText, PROGRAM_CAPTION, MB_ICONWARNING | MB_OK);
}
