// The user-visible texts: one string table, English ids with the Czech text
// 1000 above, loaded one at a time into a shared buffer.
#pragma once
#include "win32.h"
#include "resource.h"

typedef UINT TextId;  // always the English id, IDS_*

const UINT EnglishOffset = 0;
const UINT CzechOffset = 1000;
const LCID CzechLocale = 0x0405;

// A loaded text keeps at most 254 characters and the terminating zero.
const int TextBufferSize = 255;

extern UINT LanguageOffset;
extern char TextBuffer[TextBufferSize];
extern HINSTANCE ModuleInstance;  // null until the platform is detected: the executable either way

void SelectLanguage();
// Leaves the text in TextBuffer; ends the process if the text is missing.
void LoadText(TextId id);
