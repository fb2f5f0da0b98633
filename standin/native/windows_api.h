// Native stand-ins for the Windows functions the module calls: the host's side of them.
#pragma once

#include <windows.h>

#include "core/host_windows.h"

namespace standin {
// When a message box closes, the dialog that owns it gets the focus back.
void restoreFocusAfterBox(HWND owner);
} // namespace standin
