// The Win32 subset the program uses, from the platform's own headers.
#pragma once
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
