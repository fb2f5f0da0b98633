// Finds the dividers of one font size on a page range by their text, and removes their placements.
#pragma once

#include <cstdint>
#include <windows.h>

// Deletes the placements of every divider text of the font size on the page range (compared as
// unsigned 16-bit numbers) and returns how many deletions it made, in full 32 bits; 0 also when
// its working lists cannot be allocated. Text blocks and definitions stay.
int32_t removeDividers(int16_t firstPage, int16_t lastPage, int16_t fontSize);
// 1 only when the user answers Yes.
int32_t confirmRemoval(HWND owner);
void reportDividersRemoved(HWND owner, int32_t count);
void reportNoDividersFound(HWND owner);
