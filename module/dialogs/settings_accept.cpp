#include <cmath>

#include "dialogs/dialog_messages.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/settings_operations.h"
#include "host/host_services.h"
#include "resources/resource_ids.h"
#include "shell/show_message.h"

namespace {

constexpr double kAdjustmentLimit = 1000.0;

void refuseAdjustment(HWND dialog, int32_t edit) {
    showRangeError(dialog);
    OX_SetDlgFocus(dialog, edit);
    selectAllText(dialog, edit);
}

} // namespace

double snappedToWholeOrvu(double orvu) {
    const double whole = std::round(orvu);
    return std::fabs(orvu - whole) <= kWholeOrvuTolerance ? whole : orvu;
}

bool adjustmentInRange(double value, int16_t *whole) {
    const double truncated = std::trunc(snappedToWholeOrvu(value));
    if (!(truncated >= -kAdjustmentLimit && truncated <= kAdjustmentLimit))
        return false;
    *whole = static_cast<int16_t>(truncated);
    return true;
}

void showRangeError(HWND dialog) {
    showMessage(dialog, kRangeErrorText, kRangeErrorCaption, kDialogErrorStyle);
}

int32_t acceptSettings(HWND dialog) {
    int16_t firstPage = 0;
    int16_t lastPage = 0;
    if (readPageRange(dialog, &firstPage, &lastPage) == 0)
        return 0;
    // Both are read before either is tested; they stay 0 if the host cannot read an edit.
    double h = 0.0;
    double v = 0.0;
    OX_GetDlgItemUser(dialog, IDC_H_ADJUST, dialogUnit, &h);
    OX_GetDlgItemUser(dialog, IDC_V_ADJUST, dialogUnit, &v);
    int16_t hAdjust = 0;
    int16_t vAdjust = 0;
    if (!adjustmentInRange(h, &hAdjust)) {
        refuseAdjustment(dialog, IDC_H_ADJUST);
        return 0;
    }
    if (!adjustmentInRange(v, &vAdjust)) {
        refuseAdjustment(dialog, IDC_V_ADJUST);
        return 0;
    }
    const int32_t originIndex = selectedOriginIndex(dialog);

    DividerSettings &settings = *settingsRef;
    settings.firstPage = firstPage;
    settings.lastPage = lastPage;
    settings.hAdjust = hAdjust;
    settings.vAdjust = vAdjust;
    settings.fontSize = selectedFontSize(dialog);
    settings.vPositionMode =
        OX_GetDlgItemVal(dialog, IDC_STAFF_LINES_MODE, kCheckBoxValue) == 0 ? 1 : 0;
    settings.selectedPagesOnly =
        OX_GetDlgItemVal(dialog, IDC_ALL_PAGES, kCheckBoxValue) == 0 ? 1 : 0;
    settings.autoAdjustV = OX_GetDlgItemVal(dialog, IDC_AUTO_ADJUST_V, kCheckBoxValue);
    settings.rightMarginOrigin = static_cast<int16_t>(originIndex);
    return 1;
}
