#include "dialogs/dialog_tables.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/settings_operations.h"
#include "host/host_services.h"
#include "resources/resource_ids.h"

int16_t selectedFontIndex(HWND dialog) {
    const LRESULT index = SendDlgItemMessageA(dialog, IDC_FONT_SIZE_LIST, LB_GETCURSEL, 0, 0);
    // Nothing selected reads as the first entry; so does anything the table does not reach.
    if (index == LB_ERR || index < 0 || index >= static_cast<LRESULT>(kFontSizeChoiceCount))
        return 0;
    return static_cast<int16_t>(index);
}

int16_t selectedFontSize(HWND dialog) { return fontSizeChoices[selectedFontIndex(dialog)]; }

int32_t autoAdjustedV(int16_t fontSize) {
    const int32_t size = fontSize;
    return size * 4 / 2 * 26 / 10;
}

void applyAutoAdjustV(HWND dialog) {
    const int32_t v = autoAdjustedV(selectedFontSize(dialog));
    OX_SetDlgItemUser(dialog, IDC_V_ADJUST, dialogUnit, static_cast<double>(v));
}
