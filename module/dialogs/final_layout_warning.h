// The warning to apply the command only on the final layout.
#pragma once

#include <cstdint>
#include <windows.h>

// Nonzero to go on, 0 to stop.
int32_t runFinalLayoutWarning(HWND owner, int16_t *flag);
