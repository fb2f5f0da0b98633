// Finds the dividers of one font size on a page range by their text, and removes their placements.
#pragma once

#include <cstdint>
#include <windows.h>

struct RemovalResult {
    int32_t found = 0;        // placements of the dividers on the range, each key once
    int32_t erased = 0;       // deletions the host confirmed
    bool outOfMemory = false; // the working lists could not be had: nothing was deleted
};

// Deletes the placements of every divider text of the font size on the page range (compared as
// unsigned 16-bit numbers); counts in full 32 bits. Text blocks and definitions stay.
RemovalResult removeDividers(int16_t firstPage, int16_t lastPage, int16_t fontSize);
// True only when the user answers Yes.
bool confirmRemoval(HWND owner);
// The box that tells the user what came of a removal; true when something was erased, so that
// the dialog ends.
bool reportRemoval(HWND owner, const RemovalResult &result);
