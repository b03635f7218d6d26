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

// Converts one piece of text whole; false when the code page cannot hold it.
bool ConvertPiece(const char *to, const char *from, const std::string &piece, std::string &out)
{
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no converter from ") + from + " to " + to);
    std::string buffer(piece.size() * 4 + 4, '\0');
    char *inAt = const_cast<char *>(piece.data()), *outAt = buffer.data();
    size_t inLeft = piece.size(), outLeft = buffer.size();
    bool converted = iconv(converter, &inAt, &inLeft, &outAt, &outLeft) != size_t(-1);
    iconv_close(converter);
    if (converted)
        out.append(buffer.data(), outAt);
    return converted;
}

// What WideCharToMultiByte puts for a character the code page lacks.
char BestFit(char16_t c)
{
    UINT codePage = machine.ansiCodePage;
    if ((c == u'\uFF3C' || c == u'\u2216') && codePage != 932)
        return '\\';
    if (c == u'\u00A5' && codePage == 932)
        return '\\';
    if (c >= u'\uFF01' && c <= u'\uFF5E')
        return static_cast<char>(c - 0xFF01 + 0x21);
    return '?';
}

bool IsAscii(const std::string &text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

}  // namespace

bool IsLeadByte(BYTE byte)
{
    // Shift-JIS; the single-byte code pages have none.
    return machine.ansiCodePage == 932 && ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

std::string ToAnsi(const std::u16string &text)
{
    std::string converted;
    for (char16_t c : text) {
        std::string unit(reinterpret_cast<const char *>(&c), 2);
        if (c < 0x80)
            converted += static_cast<char>(c);
        else if (!ConvertPiece(CodePageName().c_str(), "UTF-16LE", unit, converted))
            converted += BestFit(c);
    }
    return converted;
}

std::string AnsiFromUtf8(const std::string &text)
{
    if (IsAscii(text))
        return text;
    // By way of UTF-16 (the names used stay in the BMP).
    std::string utf16;
    if (!ConvertPiece("UTF-16LE", "UTF-8", text, utf16))
        throw std::runtime_error("not UTF-8: " + text);
    return ToAnsi(std::u16string(reinterpret_cast<const char16_t *>(utf16.data()), utf16.size() / 2));
}

std::string Utf8FromAnsi(const std::string &text)
{
    if (IsAscii(text))
        return text;
    // A character at a time: one byte, or a lead byte and its trail byte.
    std::string converted;
    for (size_t at = 0; at < text.size();) {
        size_t length = IsLeadByte(static_cast<BYTE>(text[at])) && at + 1 < text.size() ? 2 : 1;
        if (!ConvertPiece("UTF-8", CodePageName().c_str(), text.substr(at, length), converted))
            converted += '?';
        at += length;
    }
    return converted;
}

}  // namespace standin

BOOL IsDBCSLeadByte(BYTE byte)
{
    return standin::IsLeadByte(byte);
}
