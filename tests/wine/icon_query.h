// Which standard icon a window of the program shows, asked through
// icon_probe.dll (see icon_probe_protocol.h for why from inside).
#pragma once
#include "expectations.h"

// Unchecked, with the failure reported, if the probe gave no answer.
Icon QueryIcon(HWND window);
const char *IconName(Icon icon);
