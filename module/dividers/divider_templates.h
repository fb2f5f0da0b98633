// The two divider text templates, each keeping a %d placeholder for the font size.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kDividerTextCapacity = 100;
constexpr const char *kDividerFontName = "EngraverFontSet";
// The glyph byte 0xBB stays a single byte of the ANSI code page.
constexpr const char *kDividerTemplateFormat = "^font(%s)^size(%%d)^efx(plain)\xBB";
constexpr const char *kDividerTemplate8194Format = "^font(%s,8194)^size(%%d)^efx(plain)\xBB";

extern char dividerTemplate[kDividerTextCapacity];
// Only used to recognise dividers whose font name carries ",8194"; never written to a document.
extern char dividerTemplate8194[kDividerTextCapacity];

void buildDividerTemplates();

// Formats a template with a font size into a buffer of kDividerTextCapacity bytes; returns the
// length.
int formatDividerText(char *buffer, const char *dividerTemplateText, int16_t fontSize);
