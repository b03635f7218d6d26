// The machine's ANSI code page, as the A functions convert to and from it.
#include "machine.h"

#include <iconv.h>
#include <stdexcept>

namespace standin {

namespace {

std::string CodePageName()
{
    return "CP" + std::to_string(machine.ansiCodePage);
}

// Converts one character at a time, so that one that cannot be held becomes '?'.
std::string Convert(const char *to, const char *from, const std::string &text, size_t unit)
{
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no converter from ") + from + " to " + to);
    std::string converted;
    for (size_t at = 0; at < text.size(); at += unit) {
        std::string out(unit * 4, '\0');
        char *inAt = const_cast<char *>(text.data() + at), *outAt = out.data();
        size_t inLeft = unit, outLeft = out.size();
        if (iconv(converter, &inAt, &inLeft, &outAt, &outLeft) == size_t(-1))
            converted += '?';
        else
            converted.append(out.data(), outAt);
    }
    iconv_close(converter);
    return converted;
}

// Plain ASCII reads the same in every code page the stand-in offers.
bool IsAscii(const std::string &text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

}  // namespace

std::string ToAnsi(const std::u16string &text)
{
    std::string bytes(reinterpret_cast<const char *>(text.data()), text.size() * 2);
    return Convert(CodePageName().c_str(), "UTF-16LE", bytes, 2);
}

std::string AnsiFromUtf8(const std::string &text)
{
    if (IsAscii(text))
        return text;
    // By way of UTF-16, one character to a unit (the names used stay in the BMP).
    std::string utf16 = Convert("UTF-16LE", "UTF-8", text, text.size());
    return ToAnsi(std::u16string(reinterpret_cast<const char16_t *>(utf16.data()), utf16.size() / 2));
}

std::string Utf8FromAnsi(const std::string &text)
{
    if (IsAscii(text))
        return text;
    return Convert("UTF-8", CodePageName().c_str(), text, 1);
}

}  // namespace standin
