// The run of the one command, from the document check to the placement.
#pragma once

#include <cstdint>
#include <windows.h>

// The command's answer to the host: 0 after an error box, 1 otherwise.
int32_t runDividerCommand(HWND owner);
