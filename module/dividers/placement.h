// Puts a divider between every two consecutive systems on each page of the settings' range.
#pragma once

#include <windows.h>

#include "settings/divider_settings.h"

// True when the walk finished (also when nothing was placed), false on failure after its error
// box.
bool placeDividers(HWND owner, const DividerSettings &settings);
