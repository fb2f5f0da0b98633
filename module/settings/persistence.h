// Registry persistence of the settings record and the warning flag. Failures are silent.
#pragma once

#include <cstdint>

#include "settings/divider_settings.h"

constexpr const char *kSettingsKeyPath = "Software\\ZOZaduzev\\DIVazivir";
constexpr const char *kUserDialogValue = "UserDialog";
constexpr const char *kShowWarningValue = "ShowWarning";

void loadSettings(DividerSettings *settings);
void saveSettings(const DividerSettings *settings);
void loadShowWarning(int16_t *flag);
void saveShowWarning(int16_t flag);
