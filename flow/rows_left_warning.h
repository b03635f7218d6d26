// The warning after a cleanup that left rows behind: the text, then which rows.
#pragma once
#include "win32.h"
#include "cleanup/cleanup.h"

// Rows listed by name; past these the list ends with "...", so that the box
// still fits a 640x480 screen.
const int ListedRowsLeft = 8;

// The text and its list, apart from TextBuffer, which holds one text only.
const int WarningTextSize = 2048;
extern char WarningText[WarningTextSize];

// Shows the warning for `count` rows left, of which the first (up to
// ListedRowsLeft + 1) are in `left`.
void ShowRowsLeftWarning(const RowLeft *left, int count);
