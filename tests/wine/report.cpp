#include "report.h"
#include <windows.h>
#include <cstdio>

static int failures;

void Fail(const std::string &line)
{
    ++failures;
    std::printf("FAIL: %s\n", line.c_str());
    std::fflush(stdout);
}

int FailureCount() { return failures; }

std::string Quoted(const std::wstring &text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string utf8(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), utf8.data(), size, nullptr, nullptr);
    return "\"" + utf8 + "\"";
}
