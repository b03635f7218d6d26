// Compares a shown window with what the scenario expects of it.
#pragma once
#include "expectations.h"
#include "window_reader.h"
#include <string>

// label names the window in failure lines, e.g. "window 2".
void CheckWindow(const std::string &label, const ExpectedWindow &expected, const ShownWindow &shown);

// Whether a window glimpsed for an instant is the expected one: its class,
// caption and only text, which can be read while it lasts.
bool LooksLike(const ExpectedWindow &expected, const ShownWindow &shown);

// One line about a window nobody expected, to say what it was.
std::string Describe(const ShownWindow &shown);
