// The host's main window: the owner of every invocation, never shown.
#pragma once

#include <windows.h>

namespace standin {
// Creates the window on first use; null when the platform refuses it.
HWND hostMainWindow();
} // namespace standin
