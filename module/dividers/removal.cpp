#include "dividers/removal.h"

// Stand-ins until the removal lands.
int32_t removeDividers(int16_t, int16_t, int16_t) { return 0; }
int32_t confirmRemoval(HWND) { return 0; }
void reportDividersRemoved(HWND, int32_t) {}
void reportNoDividersFound(HWND) {}
