// The constant tables behind the settings dialog's font-size list and origin combo box.
#pragma once

#include <cstddef>
#include <cstdint>

// Font sizes in points; a position in the list is an index into this table.
constexpr size_t kFontSizeChoiceCount = 15;
inline constexpr uint8_t fontSizeChoices[kFontSizeChoiceCount] = {8,  9,  10, 11, 12, 14, 16, 18,
                                                                  20, 22, 24, 26, 28, 36, 48};
// The list opens on 18 when the stored size is not in the table.
constexpr int16_t kFallbackFontSizeIndex = 7;

// The origin choices in fixed 15-byte fields; the index is the value of rightMarginOrigin.
constexpr size_t kMarginOriginChoiceCount = 4;
constexpr size_t kMarginOriginFieldSize = 15;
inline constexpr char marginOriginChoices[kMarginOriginChoiceCount][kMarginOriginFieldSize] = {
    "Never", "Always", "On Odd Pages", "On Even Pages"};
