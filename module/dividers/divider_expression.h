// Makes the text block and the text expression definition of one divider.
#pragma once

#include <cstdint>

#include "settings/divider_settings.h"

// The new definition's number, or 0 when either record could not be created. The text is
// dividerTemplate at the settings' font size; every call makes records of its own.
int16_t createDividerExpression(const DividerSettings &settings);
