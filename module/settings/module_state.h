// Everything the module keeps between the host's calls, in static storage: the settings record and
// the warning flag, and what an open dialog works on. One place, so that a fresh load is one call.
#pragma once

#include <cstdint>

#include "settings/divider_settings.h"

extern DividerSettings dividerSettings;
extern int16_t showWarning;

// The record the settings dialog edits and the unit of its H and V edits; both outlive the dialog.
extern DividerSettings *settingsRef;
extern int16_t dialogUnit;
// The flag the warning edits and the answer it gives; both outlive the dialog.
extern int16_t *warningFlagRef;
extern bool warningAnswer;

// Puts every value back to what the host's loading of the module leaves.
void resetModuleState();
