#include "dialogs/dialog_tables.h"
#include "dialogs/settings_operations.h"
#include "host/host_services.h"
#include "layout/geometry.h"
#include "resources/resource_ids.h"

namespace {

constexpr int32_t kPageEditLimit = 3;
constexpr int32_t kAdjustmentEditLimit = 7;

void fillFontSizeList(HWND dialog, int16_t fontSize) {
    int16_t selected = -1;
    for (size_t index = 0; index < kFontSizeChoiceCount; ++index) {
        char text[8];
        wsprintfA(text, "%d", static_cast<int>(fontSizeChoices[index]));
        SendDlgItemMessageA(dialog, IDC_FONT_SIZE_LIST, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(text));
        if (selected < 0 && fontSizeChoices[index] == fontSize)
            selected = static_cast<int16_t>(index);
    }
    if (selected < 0)
        selected = kFallbackFontSizeIndex;
    SendDlgItemMessageA(dialog, IDC_FONT_SIZE_LIST, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

} // namespace

void setPageSpinRanges(HWND dialog) {
    setSpinRange(dialog, IDC_FIRST_PAGE_SPIN, 1, settingsRef->pageCount);
    setSpinRange(dialog, IDC_LAST_PAGE_SPIN, 1, settingsRef->pageCount);
}

void initSettingsDialog(HWND dialog) {
    DividerSettings &settings = *settingsRef;
    settings.pageCount = countPages();
    limitText(dialog, IDC_FIRST_PAGE, kPageEditLimit);
    limitText(dialog, IDC_LAST_PAGE, kPageEditLimit);
    limitText(dialog, IDC_H_ADJUST, kAdjustmentEditLimit);
    limitText(dialog, IDC_V_ADJUST, kAdjustmentEditLimit);
    setPageSpinRanges(dialog);
    fillFontSizeList(dialog, settings.fontSize);

    const bool staffLines = settings.vPositionMode == 0;
    OX_SetDlgItemVal(dialog, IDC_STAFF_LINES_MODE, kRadioButtonValue, staffLines ? 1 : 0);
    OX_SetDlgItemVal(dialog, IDC_SYSTEM_BOUNDARIES_MODE, kRadioButtonValue, staffLines ? 0 : 1);
    const bool allPages = settings.selectedPagesOnly == 0;
    OX_SetDlgItemVal(dialog, IDC_ALL_PAGES, kRadioButtonValue, allPages ? 1 : 0);
    OX_SetDlgItemVal(dialog, IDC_SELECTED_PAGES, kRadioButtonValue, allPages ? 0 : 1);

    // The stored range is not shown: the dialog always offers the whole document.
    OX_SetDlgItemVal(dialog, IDC_FIRST_PAGE, kEditNumberValue, 1);
    OX_SetDlgItemVal(dialog, IDC_LAST_PAGE, kEditNumberValue, settings.pageCount);

    dialogUnit = documentMeasurementUnit();
    OX_SetDlgItemUser(dialog, IDC_H_ADJUST, dialogUnit, static_cast<double>(settings.hAdjust));
    OX_SetDlgItemUser(dialog, IDC_V_ADJUST, dialogUnit, static_cast<double>(settings.vAdjust));
    OX_SetDlgItemVal(dialog, IDC_AUTO_ADJUST_V, kCheckBoxValue, settings.autoAdjustV);

    for (const auto &choice : marginOriginChoices)
        SendDlgItemMessageA(dialog, IDC_MARGIN_ORIGIN, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(choice));
    // Not range-tested: a stored origin outside 0 to 3 leaves the combo box without a choice.
    OX_SetDlgItemVal(dialog, IDC_MARGIN_ORIGIN, kDropDownListValue,
                     static_cast<int32_t>(settings.rightMarginOrigin) + 1);

    updateEnabledControls(dialog);
    if (settings.autoAdjustV != 0)
        applyAutoAdjustV(dialog);
}
