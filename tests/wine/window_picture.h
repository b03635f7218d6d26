// A picture of a shown window as it is on the screen, frame and caption
// included, for the README.
#pragma once
#include <windows.h>
#include <string>

// Saves the window and a small margin around it as a 24-bit BMP file.
// False, with the failure reported, if it could not.
bool SaveWindowPicture(HWND window, const std::wstring &file);
