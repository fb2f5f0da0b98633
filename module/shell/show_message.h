// The one routine through which every message box of the module is shown.
#pragma once

#include <cstdint>
#include <windows.h>

int32_t showMessage(HWND owner, const char *text, const char *caption, uint16_t style);

// The style of every error box of the module.
constexpr uint16_t kErrorBoxStyle = MB_OK | MB_ICONHAND;
static_assert(kErrorBoxStyle == 0x10, "error box with OK");
