// The manifest that WEXOR.exe carries, read from the file as Windows reads it.
#pragma once
#include <string>

// Its RT_MANIFEST resource 1 must ask for the highest rights the user has,
// without UI access, outside any comment. Failures reported.
void CheckManifest(const std::wstring &program);
