#include "settings/module_state.h"

DividerSettings dividerSettings = kLoadTimeSettings;
int16_t showWarning = 1;
DividerSettings *settingsRef = nullptr;
int16_t dialogUnit = 1;
int16_t *warningFlagRef = nullptr;
bool warningAnswer = false;

void resetModuleState() {
    dividerSettings = kLoadTimeSettings;
    showWarning = 1;
    settingsRef = nullptr;
    dialogUnit = 1;
    warningFlagRef = nullptr;
    warningAnswer = false;
}
