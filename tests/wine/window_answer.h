// Answers a shown window as a person would, then waits for it to go.
#pragma once
#include "expectations.h"
#include "window_reader.h"
#include <string>

// False, with the failure reported, if the answer could not be given or the
// window stayed.
bool AnswerWindow(const std::string &label, const ShownWindow &shown, const Answer &answer);
