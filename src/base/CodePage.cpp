#include "base/CodePage.h"

#include <array>
#include <cstdint>

namespace velmora {

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, so that a
// file read and written again keeps every byte.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Byte of a code point in Windows-1252, or -1 when the code page has no such character.
int toCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<int>(0x80 + i);
    return -1;
}

// Decodes one UTF-8 sequence at `i`. Returns the code point and advances `i`; on a malformed
// sequence (bad lead byte, missing continuation, overlong form, surrogate, beyond U+10FFFF)
// returns -1 and advances past the lead byte and any continuation bytes that belonged to it.
long decodeUtf8(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
        minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
        minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
        minimum = 0x10000;
    } else {
        ++i;
        return -1;
    }
    size_t j = i + 1;
    for (int k = 1; k < len; ++k, ++j) {
        if (j >= s.size() || (static_cast<unsigned char>(s[j]) & 0xC0) != 0x80) {
            i = j;
            return -1;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(s[j]) & 0x3F);
    }
    i = j;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return -1;
    return static_cast<long>(cp);
}

// Length of the run of ASCII bytes from `i`: they are the same in both encodings and are
// copied as one block (files are almost all ASCII).
size_t asciiRun(std::string_view s, size_t i) {
    size_t j = i;
    while (j < s.size() && static_cast<unsigned char>(s[j]) < 0x80)
        ++j;
    return j - i;
}

} // namespace

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        const size_t run = asciiRun(bytes, i);
        out.append(bytes.substr(i, run));
        i += run;
        if (i == bytes.size())
            break;
        const auto b = static_cast<unsigned char>(bytes[i++]);
        appendUtf8(out, b <= 0x9F ? kHigh[b - 0x80] : b);
    }
    return out;
}

std::string utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendAsCp1252(out, text);
    return out;
}

void appendAsCp1252(std::string& out, std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const size_t run = asciiRun(text, i);
        out.append(text.substr(i, run));
        i += run;
        if (i == text.size())
            break;
        const long cp = decodeUtf8(text, i);
        const int b = cp < 0 ? -1 : toCp1252(static_cast<char32_t>(cp));
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t nl = text.find('\n', start);
        if (nl == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        size_t end = nl;
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.emplace_back(text.substr(start, end - start));
        start = nl + 1;
    }
    return lines;
}

} // namespace velmora
