// Real message boxes of the module, recorded for the report and answered by the scripted user.
#pragma once

#include <windows.h>

namespace standin {
// Routes the module's calls of MessageBoxA through the host; false when the module imports none.
bool recordMessageBoxes(HMODULE module);
} // namespace standin
