#include "shell/run_sequence.h"

#include "dialogs/final_layout_warning.h"
#include "dialogs/settings_dialog.h"
#include "dividers/divider_templates.h"
#include "dividers/placement.h"
#include "host/host_services.h"
#include "host/record_keys.h"
#include "settings/module_state.h"
#include "shell/shell_messages.h"
#include "shell/show_message.h"

namespace {
constexpr int16_t kPartMarkKeyNumber = -2;
constexpr int32_t kPartMarkRecordSize = 12;
constexpr size_t kPartMarkOffset = 8;
constexpr int16_t kExtractedPartMark = -8;
constexpr int kKeyDownBit = 0x80;

bool isExtractedPart() {
    RecordKey key = {kPartMarkKeyNumber, 0};
    unsigned char buffer[kPartMarkRecordSize] = {};
    int32_t size = kPartMarkRecordSize;
    if (!hostSucceeded(OX_LoadEData(kPartMarkRecordTag, &key, buffer, &size)))
        return false;
    const int16_t partMark =
        static_cast<int16_t>(buffer[kPartMarkOffset] | (buffer[kPartMarkOffset + 1] << 8));
    return partMark == kExtractedPartMark;
}

bool warningKeysHeld() {
    if ((GetKeyState(VK_CONTROL) & kKeyDownBit) == 0)
        return false;
    return (GetKeyState(VK_SHIFT) & kKeyDownBit) != 0;
}

void reportExtractedPart(HWND owner) {
    showMessage(owner, kExtractedPartText, kExtractedPartCaption, kErrorBoxStyle);
}

} // namespace

int32_t runDividerCommand(HWND owner) {
    buildDividerTemplates();
    if (isExtractedPart()) {
        reportExtractedPart(owner);
        return 0;
    }
    if (warningKeysHeld())
        showWarning = 1;
    if (!runFinalLayoutWarning(owner, &showWarning))
        return 1;
    if (!runSettingsDialog(owner, &dividerSettings))
        return 1;
    OX_UpdateLayout(1, 0);
    dividerSettings.settingsUsed = 1;
    if (placeDividers(owner, dividerSettings))
        return 1;
    showMessage(owner, kPlacementErrorText, kPlacementErrorCaption, kErrorBoxStyle);
    return 0;
}
