#include "dialogs/dialog_messages.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/settings_operations.h"
#include "host/host_services.h"
#include "resources/resource_ids.h"
#include "shell/show_message.h"

void showPageRangeError(HWND dialog) {
    showMessage(dialog, kPageRangeErrorText, kPageRangeErrorCaption, kDialogErrorStyle);
}

int16_t readPageRange(HWND dialog, int16_t *firstPage, int16_t *lastPage) {
    if (OX_GetDlgItemVal(dialog, IDC_SELECTED_PAGES, kRadioButtonValue) == 0) {
        *firstPage = 1;
        *lastPage = settingsRef->pageCount;
        return 1;
    }
    // The edits' numbers are taken as signed 16-bit values.
    const int16_t first =
        static_cast<int16_t>(OX_GetDlgItemVal(dialog, IDC_FIRST_PAGE, kEditNumberValue));
    const int16_t last =
        static_cast<int16_t>(OX_GetDlgItemVal(dialog, IDC_LAST_PAGE, kEditNumberValue));
    if (last > settingsRef->pageCount) {
        showPageRangeError(dialog);
        OX_SetDlgFocus(dialog, IDC_LAST_PAGE);
        return 0;
    }
    if (first < 1 || first > last) {
        showPageRangeError(dialog);
        OX_SetDlgFocus(dialog, IDC_FIRST_PAGE);
        selectAllText(dialog, IDC_FIRST_PAGE);
        return 0;
    }
    *firstPage = first;
    *lastPage = last;
    return 1;
}
