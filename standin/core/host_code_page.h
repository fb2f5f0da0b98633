// The host's ANSI code page, Windows-1252: the module's texts and the texts of the dialogs'
// controls are bytes of it. Both builds take their command line as UTF-8 and turn the scripted
// user's texts into these bytes the same way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace standin {

// The next code point of well-formed UTF-8 (no overlong forms, no surrogates), `at` moved past
// it; false otherwise. The command line and the input files are read with it.
bool nextCodePoint(const std::string &text, size_t &at, uint32_t &codePoint);
// "U+00E9".
std::string codePointName(uint32_t codePoint);

// The UTF-8 text as Windows-1252 bytes; nothing when it is not UTF-8 or holds a character the
// code page lacks, with the reason in `problem`.
std::optional<std::string> windows1252FromUtf8(const std::string &utf8,
                                               std::string *problem = nullptr);

} // namespace standin
