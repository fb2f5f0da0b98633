#include "dialogs/final_layout_warning.h"

// Stand-in until the dialog lands: a shown warning answers as if the user chose No.
int32_t runFinalLayoutWarning(HWND, int16_t *flag) { return *flag == 0 ? 1 : 0; }
