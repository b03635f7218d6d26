// The introductory dialog: what the program is about to do, OK or Cancel.
#pragma once
#include "win32.h"

INT_PTR CALLBACK IntroDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
