// Puts a divider between every two consecutive systems on each page of the settings' range.
#pragma once

#include <cstdint>
#include <windows.h>

// 1 when the walk finished (also when nothing was placed), 0 on failure.
int32_t placeDividers(HWND owner);
