// The settings dialog that edits the divider settings in place.
#pragma once

#include <cstdint>
#include <windows.h>

#include "settings/divider_settings.h"

// The record's dialogAccepted: nonzero only after a valid OK.
int32_t runSettingsDialog(HWND owner, DividerSettings *settings);
