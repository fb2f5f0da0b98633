#include "settings/persistence.h"

#include <cstring>
#include <windows.h>

namespace {

void setDefaultSettings(DividerSettings *settings) {
    settings->firstPage = 1;
    settings->lastPage = 1;
    settings->hAdjust = 0;
    settings->vAdjust = 0;
    settings->fontSize = 14;
    settings->vPositionMode = 0;
    settings->selectedPagesOnly = 0;
    settings->autoAdjustV = 1;
    settings->rightMarginOrigin = 0;
}

void writeValue(const char *name, const void *data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE *>(data), size);
    RegCloseKey(key);
}

} // namespace

void loadSettings(DividerSettings *settings) {
    setDefaultSettings(settings);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    // The buffer starts as the record itself: a stored value shorter than the record (never
    // written by the module) then replaces only its first bytes, and the rest keep their values.
    BYTE buffer[sizeof(DividerSettings)];
    std::memcpy(buffer, settings, sizeof buffer);
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, kUserDialogValue, nullptr, nullptr, buffer, &size) == ERROR_SUCCESS)
        std::memcpy(settings, buffer, sizeof buffer);
    RegCloseKey(key);
}

void loadShowWarning(int16_t *flag) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD size = sizeof *flag;
    if (RegQueryValueExA(key, kShowWarningValue, nullptr, nullptr, reinterpret_cast<BYTE *>(flag),
                         &size) != ERROR_SUCCESS)
        *flag = 1;
    RegCloseKey(key);
}

void saveSettings(const DividerSettings *settings) {
    writeValue(kUserDialogValue, settings, sizeof *settings);
}

void saveShowWarning(int16_t flag) { writeValue(kShowWarningValue, &flag, sizeof flag); }
