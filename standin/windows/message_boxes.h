// Real message boxes of the module, recorded for the report and answered by the scripted user.
#pragma once

#include <functional>
#include <string>
#include <windows.h>

namespace standin {
// Routes the module's calls of MessageBoxA through the host; false when the module imports none.
bool recordMessageBoxes(HMODULE module);
// Names the owner of a message box that is not the main window: the id of the dialog it belongs to.
extern std::function<std::string(HWND)> dialogOwnerName;
} // namespace standin
