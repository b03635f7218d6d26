// Failed checks: one line each on standard output, counted for the exit status.
#pragma once
#include <string>

void Fail(const std::string &line);
int FailureCount();

// UTF-8 for printing, with quotes, so that blanks and empty texts show.
std::string Quoted(const std::wstring &text);
