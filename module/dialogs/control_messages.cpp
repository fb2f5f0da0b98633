#include "dialogs/settings_operations.h"

void setSpinRange(HWND dialog, int32_t id, int16_t lower, int16_t upper) {
    // The up-down takes its upper limit in the low word and its lower limit in the high word.
    SendDlgItemMessageA(dialog, id, UDM_SETRANGE, 0,
                        MAKELPARAM(static_cast<WORD>(upper), static_cast<WORD>(lower)));
}

void selectAllText(HWND dialog, int32_t id) {
    SendMessageA(GetDlgItem(dialog, id), EM_SETSEL, 0, -1);
}

void limitText(HWND dialog, int32_t id, int32_t count) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
}
