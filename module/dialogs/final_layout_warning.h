// The warning to apply the command only on the final layout.
#pragma once

#include <cstdint>
#include <windows.h>

// True to go on, false to stop. A flag of 0 skips the warning; "Don't show" clears it.
bool runFinalLayoutWarning(HWND owner, int16_t *flag);
