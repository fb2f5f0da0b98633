// Placeholder dialog services of the Windows build until the real dialogs land: no dialog opens.
#include "core/host_state.h"
#include "host/host_services.h"

using standin::host;

extern "C" int32_t WINAPI OX_Dialog(int32_t, OXDialogProc, HWND, int32_t, int32_t) {
    host().countCallAndCheckFailure("OX_Dialog");
    return 0;
}
extern "C" int32_t WINAPI OX_EndDialog(HWND) {
    host().countCallAndCheckFailure("OX_EndDialog");
    return 1;
}
extern "C" int32_t WINAPI OX_GetDlgItemVal(HWND, int32_t, int32_t) {
    host().countCallAndCheckFailure("OX_GetDlgItemVal");
    return 0;
}
extern "C" int32_t WINAPI OX_SetDlgItemVal(HWND, int32_t, int32_t, int32_t) {
    host().countCallAndCheckFailure("OX_SetDlgItemVal");
    return 1;
}
extern "C" int32_t WINAPI OX_GetDlgItemUser(HWND, int32_t, int32_t, double *orvu) {
    host().countCallAndCheckFailure("OX_GetDlgItemUser");
    if (orvu != nullptr)
        *orvu = 0;
    return 1;
}
extern "C" int32_t WINAPI OX_SetDlgItemUser(HWND, int32_t, int32_t, double) {
    host().countCallAndCheckFailure("OX_SetDlgItemUser");
    return 1;
}
extern "C" int32_t WINAPI OX_EnableDlgItem(HWND, int32_t, int32_t) {
    host().countCallAndCheckFailure("OX_EnableDlgItem");
    return 1;
}
extern "C" int32_t WINAPI OX_SetDlgFocus(HWND, int32_t) {
    host().countCallAndCheckFailure("OX_SetDlgFocus");
    return 1;
}
