// The warning to apply the command only on the final layout.
#pragma once

#include <cstdint>
#include <windows.h>

// Nonzero to go on, 0 to stop.
int32_t runFinalLayoutWarning(HWND owner, int16_t *flag);

// The flag the open warning edits and the answer it gives; both outlive the dialog.
extern int16_t *warningFlagRef;
extern int16_t warningResult;

int32_t WINAPI finalLayoutWarningProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                      int32_t reserved);
