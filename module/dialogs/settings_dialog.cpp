#include "dialogs/settings_dialog.h"

#include "dialogs/settings_operations.h"
#include "host/host_services.h"
#include "resources/resource_ids.h"

DividerSettings *settingsRef = nullptr;
int16_t dialogUnit = 1;

int32_t runSettingsDialog(HWND owner, DividerSettings *settings) {
    if (settings == nullptr)
        return 0;
    settingsRef = settings;
    // A dialog that never opens counts as Cancel: only WM_INITDIALOG would clear a stale OK.
    settings->dialogAccepted = 0;
    OX_Dialog(IDD_DIVIDER_SETTINGS, settingsDialogProc, owner, 1, 0);
    return settings->dialogAccepted;
}

namespace {

void handleUpDown(HWND dialog, WPARAM id, const NMUPDOWN *notification) {
    if (notification == nullptr || notification->hdr.code != UDN_DELTAPOS)
        return;
    // The arrows propose the platform's delta; H and V step the other way round.
    const double step = -static_cast<double>(notification->iDelta);
    if (id == IDC_H_SPIN)
        stepUserValue(dialog, IDC_H_ADJUST, step, -1000.0, 1000.0, dialogUnit);
    else if (id == IDC_V_SPIN)
        stepUserValue(dialog, IDC_V_ADJUST, step, -1000.0, 1000.0, dialogUnit);
    else if (id == IDC_ORIGIN_SPIN)
        stepMarginOrigin(dialog, notification);
}

void handleCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
    case IDC_SETTINGS_OK:
        if (acceptSettings(dialog) == 1) {
            settingsRef->dialogAccepted = 1;
            OX_EndDialog(dialog);
        }
        break;
    case IDC_SETTINGS_CANCEL:
        OX_EndDialog(dialog);
        break;
    case IDC_FONT_SIZE_LIST:
        if (code == LBN_SELCHANGE &&
            OX_GetDlgItemVal(dialog, IDC_AUTO_ADJUST_V, kCheckBoxValue) != 0)
            applyAutoAdjustV(dialog);
        break;
    case IDC_ALL_PAGES:
        updateEnabledControls(dialog);
        break;
    case IDC_SELECTED_PAGES:
        updateEnabledControls(dialog);
        OX_SetDlgFocus(dialog, IDC_FIRST_PAGE);
        selectAllText(dialog, IDC_FIRST_PAGE);
        break;
    case IDC_AUTO_ADJUST_V:
        updateEnabledControls(dialog);
        if (OX_GetDlgItemVal(dialog, IDC_AUTO_ADJUST_V, kCheckBoxValue) != 0)
            applyAutoAdjustV(dialog);
        else
            OX_SetDlgFocus(dialog, IDC_V_ADJUST);
        break;
    case IDC_REMOVE:
        if (handleRemoveButton(dialog) != 0)
            OX_EndDialog(dialog);
        break;
    default:
        break;
    }
}

} // namespace

int32_t WINAPI settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                  int32_t) {
    // A procedure called outside runSettingsDialog has no record to work on.
    if (settingsRef == nullptr)
        return 0;
    switch (message) {
    case WM_INITDIALOG:
        settingsRef->dialogAccepted = 0;
        initSettingsDialog(dialog);
        return 1;
    case WM_NOTIFY:
        // No notification result is set, so the up-downs are never vetoed.
        handleUpDown(dialog, wParam, reinterpret_cast<const NMUPDOWN *>(lParam));
        return 1;
    case WM_COMMAND:
        handleCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return 0;
    default:
        return 0;
    }
}
