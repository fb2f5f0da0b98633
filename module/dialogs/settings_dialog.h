// The settings dialog that edits the divider settings in place.
#pragma once

#include <cstdint>
#include <windows.h>

#include "settings/divider_settings.h"

// The record's dialogAccepted: nonzero only after a valid OK.
int32_t runSettingsDialog(HWND owner, DividerSettings *settings);
// 1 with both pages written when the dialog's range is valid; 0 after the error box, with the
// focus moved and nothing written.
int16_t readPageRange(HWND dialog, int16_t *firstPage, int16_t *lastPage);
// The size in points of the font-size list's current entry.
int16_t selectedFontSize(HWND dialog);
