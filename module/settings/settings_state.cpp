#include "settings/divider_settings.h"

DividerSettings dividerSettings = kLoadTimeSettings;
int16_t showWarning = 1;
