// Finds the dividers of one font size on a page range by their text, and removes their placements.
#pragma once

#include <cstdint>
#include <windows.h>

// The number of assignments deleted; 0 also when nothing could be collected.
int32_t removeDividers(int16_t firstPage, int16_t lastPage, int16_t fontSize);
// 1 only when the user answers Yes.
int32_t confirmRemoval(HWND owner);
void reportDividersRemoved(HWND owner, int32_t count);
void reportNoDividersFound(HWND owner);
