// Native stand-ins for the Windows functions the module calls: the host's side of them.
#pragma once

#include <functional>
#include <string>
#include <windows.h>

namespace standin {
// The host's main window, owner of every invocation.
HWND hostMainWindow();
// Names the owner of a message box: "host", or the dialog id the dialog model reports.
extern std::function<std::string(HWND)> dialogOwnerName;
} // namespace standin
