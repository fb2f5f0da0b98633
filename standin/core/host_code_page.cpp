#include "host_code_page.h"

#include <cstdint>
#include <cstdio>

namespace standin {

namespace {

// Code points of the bytes 0x80 to 0x9F; 0 where the code page has no character.
constexpr uint16_t kHighControlRow[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte of a code point; -1 when the code page has none.
int byteOf(uint32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (int index = 0; index < 32; ++index)
        if (kHighControlRow[index] != 0 && kHighControlRow[index] == codePoint)
            return 0x80 + index;
    return -1;
}

} // namespace

bool nextCodePoint(const std::string &text, size_t &at, uint32_t &codePoint) {
    const auto byte = [&](size_t index) { return static_cast<uint8_t>(text[index]); };
    const uint8_t lead = byte(at);
    size_t length = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        ++at;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07;
    } else {
        return false;
    }
    if (at + length > text.size())
        return false;
    for (size_t index = at + 1; index < at + length; ++index) {
        if ((byte(index) & 0xC0) != 0x80)
            return false;
        codePoint = (codePoint << 6) | (byte(index) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return false;
    at += length;
    return true;
}

std::string codePointName(uint32_t codePoint) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
    return name;
}

std::optional<std::string> windows1252FromUtf8(const std::string &utf8, std::string *problem) {
    std::string bytes;
    for (size_t at = 0; at < utf8.size();) {
        uint32_t codePoint = 0;
        if (!nextCodePoint(utf8, at, codePoint)) {
            if (problem != nullptr)
                *problem = "the text is not UTF-8";
            return std::nullopt;
        }
        const int byte = byteOf(codePoint);
        if (byte < 0) {
            if (problem != nullptr)
                *problem = "the character " + codePointName(codePoint) +
                           " is not in the host's code page (Windows-1252)";
            return std::nullopt;
        }
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

} // namespace standin
