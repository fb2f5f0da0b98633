#include "dialogs/settings_dialog.h"
#include "dialogs/settings_operations.h"
#include "dividers/removal.h"

int16_t handleRemoveButton(HWND dialog) {
    int16_t firstPage = 0;
    int16_t lastPage = 0;
    if (readPageRange(dialog, &firstPage, &lastPage) == 0)
        return 0;
    // The size shown in the list now, not the one last accepted.
    const int16_t fontSize = selectedFontSize(dialog);
    if (confirmRemoval(dialog) == 0)
        return 0;
    // The dialog stays open for another range or size unless something was erased.
    return reportRemoval(dialog, removeDividers(firstPage, lastPage, fontSize)) ? 1 : 0;
}
