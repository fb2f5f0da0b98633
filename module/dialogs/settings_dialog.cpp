#include "dialogs/settings_dialog.h"

// Stand-in until the dialog lands: the dialog answers "cancelled".
int32_t runSettingsDialog(HWND, DividerSettings *settings) {
    settings->dialogAccepted = 0;
    return settings->dialogAccepted;
}
