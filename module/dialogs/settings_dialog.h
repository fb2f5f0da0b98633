// The settings dialog that edits the divider settings in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <windows.h>

#include "settings/divider_settings.h"

// True only after an OK the dialog accepted; a dialog that cannot open counts as Cancel.
bool runSettingsDialog(HWND owner, DividerSettings *settings);

// The sizes in points of the dialog's font-size list, in its order.
constexpr size_t kFontSizeChoiceCount = 15;
inline constexpr uint8_t fontSizeChoices[kFontSizeChoiceCount] = {8,  9,  10, 11, 12, 14, 16, 18,
                                                                  20, 22, 24, 26, 28, 36, 48};

// An H or V value read from its edit, in ORVU, as OK stores it: within 1/16 ORVU of a whole number
// it is that number (four decimals of a unit cannot always hold a whole ORVU), otherwise it is cut
// toward zero. False for a value outside -1000..1000 or not a number.
bool adjustmentFromEdit(double orvu, int16_t *whole);
