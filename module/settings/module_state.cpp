#include "settings/module_state.h"

namespace {
// What the host's loading of the module leaves, besides kLoadTimeSettings.
constexpr int16_t kLoadTimeShowWarning = 1;
constexpr int16_t kLoadTimeDialogUnit = 1;
} // namespace

DividerSettings dividerSettings = kLoadTimeSettings;
int16_t showWarning = kLoadTimeShowWarning;
DividerSettings *settingsRef = nullptr;
int16_t dialogUnit = kLoadTimeDialogUnit;
int16_t *warningFlagRef = nullptr;
bool warningAnswer = false;

void resetModuleState() {
    dividerSettings = kLoadTimeSettings;
    showWarning = kLoadTimeShowWarning;
    settingsRef = nullptr;
    dialogUnit = kLoadTimeDialogUnit;
    warningFlagRef = nullptr;
    warningAnswer = false;
}
