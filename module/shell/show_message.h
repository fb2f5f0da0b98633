// The one routine through which every message box of the module is shown.
#pragma once

#include <cstdint>
#include <windows.h>

int32_t showMessage(HWND owner, const char *text, const char *caption, uint16_t style);
