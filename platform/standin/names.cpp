// Key and value names as NT compares them: each UTF-16 code unit upper-cased
// by the system's table, then compared as unsigned 16-bit numbers.
#include "machine.h"

#include <stdexcept>

namespace standin {

namespace {

// Whether c is the lower half of a pair [upper, upper + 1] in a range where
// the upper-case letter comes first (`upperEven`: upper at even code points).
bool IsPairedLower(char16_t c, char16_t first, char16_t last, bool upperEven)
{
    return c >= first && c <= last && (c % 2 == 1) == upperEven;
}

}  // namespace

char16_t UpcaseChar(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return c - 0x20;
    if (c < 0x80)
        return c;
    // Latin-1: à..þ but ÷; ÿ goes to Latin Extended-A. ß and µ have no upper case of their own here.
    if (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7)
        return c - 0x20;
    if (c == 0x00FF)
        return 0x0178;
    // Latin Extended-A, in pairs. ı and ſ, whose upper case would be ASCII I and S, stay.
    if (IsPairedLower(c, 0x0100, 0x012F, true) || IsPairedLower(c, 0x0132, 0x0137, true) ||
        IsPairedLower(c, 0x0139, 0x0148, false) || IsPairedLower(c, 0x014A, 0x0177, true) ||
        IsPairedLower(c, 0x0179, 0x017E, false))
        return c - 1;
    // Greek.
    switch (c) {
    case 0x03AC: return 0x0386;
    case 0x03AD: return 0x0388;
    case 0x03AE: return 0x0389;
    case 0x03AF: return 0x038A;
    case 0x03C2: return 0x03A3;  // final sigma
    case 0x03CC: return 0x038C;
    case 0x03CD: return 0x038E;
    case 0x03CE: return 0x038F;
    }
    if ((c >= 0x03B1 && c <= 0x03C1) || (c >= 0x03C3 && c <= 0x03CB))
        return c - 0x20;
    // Cyrillic and its supplement.
    if (c >= 0x0430 && c <= 0x044F)
        return c - 0x20;
    if (c >= 0x0450 && c <= 0x045F)
        return c - 0x50;
    if (c == 0x04CF)
        return 0x04C0;
    if (IsPairedLower(c, 0x0460, 0x0481, true) || IsPairedLower(c, 0x048A, 0x04BF, true) ||
        IsPairedLower(c, 0x04C1, 0x04CE, false) || IsPairedLower(c, 0x04D0, 0x052F, true))
        return c - 1;
    // Fullwidth Latin letters.
    if (c >= 0xFF41 && c <= 0xFF5A)
        return c - 0x20;
    return c;
}

std::u16string Utf16FromUtf8(const std::string &text)
{
    std::u16string converted;
    for (size_t at = 0; at < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[at]);
        int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || at + length > text.size())
            throw std::runtime_error("not UTF-8: " + text);
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (int i = 1; i < length; ++i)
            point = point << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
        if (point >= 0x10000) {
            point -= 0x10000;
            converted += static_cast<char16_t>(0xD800 + (point >> 10));
            converted += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
        } else {
            converted += static_cast<char16_t>(point);
        }
        at += length;
    }
    return converted;
}

std::string Utf8FromUtf16(const std::u16string &text)
{
    std::string converted;
    for (size_t at = 0; at < text.size(); ++at) {
        char32_t point = text[at];
        if (point >= 0xD800 && point < 0xDC00 && at + 1 < text.size())
            point = 0x10000 + ((point - 0xD800) << 10) + (text[++at] - 0xDC00);
        if (point < 0x80) {
            converted += static_cast<char>(point);
        } else if (point < 0x800) {
            converted += static_cast<char>(0xC0 | point >> 6);
            converted += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            converted += static_cast<char>(0xE0 | point >> 12);
            converted += static_cast<char>(0x80 | (point >> 6 & 0x3F));
            converted += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            converted += static_cast<char>(0xF0 | point >> 18);
            converted += static_cast<char>(0x80 | (point >> 12 & 0x3F));
            converted += static_cast<char>(0x80 | (point >> 6 & 0x3F));
            converted += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return converted;
}

std::u16string UpcaseName(const std::string &name)
{
    std::u16string upcased = Utf16FromUtf8(name);
    for (char16_t &c : upcased)
        c = UpcaseChar(c);
    return upcased;
}

int CompareNames(const std::string &a, const std::string &b)
{
    std::u16string upperA = UpcaseName(a), upperB = UpcaseName(b);
    return upperA < upperB ? -1 : upperA == upperB ? 0 : 1;
}

}  // namespace standin
