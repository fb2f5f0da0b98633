#include "dialogs/final_layout_warning.h"

#include "host/host_services.h"
#include "resources/resource_ids.h"
#include "settings/module_state.h"

namespace {

int32_t WINAPI finalLayoutWarningProc(HWND dialog, UINT message, WPARAM wParam, LPARAM,
                                      int32_t) noexcept {
    if (warningFlagRef == nullptr)
        return 0;
    if (message == WM_INITDIALOG) {
        OX_SetDlgItemVal(dialog, IDC_DONT_SHOW_AGAIN, kCheckBoxValue, *warningFlagRef == 0 ? 1 : 0);
        return 1;
    }
    if (message != WM_COMMAND)
        return 0;
    // The notification code in the high word is not looked at.
    switch (LOWORD(wParam)) {
    case IDC_WARNING_YES: {
        warningAnswer = true;
        const bool dontShow = OX_GetDlgItemVal(dialog, IDC_DONT_SHOW_AGAIN, kCheckBoxValue) != 0;
        *warningFlagRef = dontShow ? 0 : 1;
        OX_EndDialog(dialog);
        break;
    }
    case IDC_WARNING_NO:
        // The box is not read: the flag keeps its value.
        OX_EndDialog(dialog);
        break;
    default:
        break;
    }
    return 0;
}

} // namespace

bool runFinalLayoutWarning(HWND owner, int16_t *flag) {
    warningFlagRef = flag;
    if (flag == nullptr || *flag == 0)
        return true;
    // Stays false when the host cannot run the dialog, so the run ends as after "No".
    warningAnswer = false;
    OX_Dialog(IDD_FINAL_LAYOUT_WARNING, finalLayoutWarningProc, owner, 1, 0);
    return warningAnswer;
}
