#include "dialogs/settings_dialog.h"

#include <cmath>

#include <commctrl.h>

#include "dividers/removal.h"
#include "host/host_services.h"
#include "layout/geometry.h"
#include "resources/resource_ids.h"
#include "settings/module_state.h"
#include "shell/show_message.h"

namespace {

constexpr const char *kPageRangeErrorCaption = "Page Range Error";
constexpr const char *kPageRangeErrorText = "Page range is non-valid";
constexpr const char *kRangeErrorCaption = "Range Error";
constexpr const char *kRangeErrorText = "Adjustment values must be between -1000 and 1000 ORVUs.";

// The list opens on 18 when the stored size is not in it.
constexpr int16_t kFallbackFontSizeIndex = 7;
// The origin choices in fixed 15-byte fields, by MarginOrigin.
constexpr size_t kMarginOriginFieldSize = 15;
constexpr char marginOriginChoices[kMarginOriginCount][kMarginOriginFieldSize] = {
    "Never", "Always", "On Odd Pages", "On Even Pages"};
constexpr int64_t kLastOriginIndex = static_cast<int64_t>(MarginOrigin::onEvenPages);
static_assert(kLastOriginIndex == kMarginOriginCount - 1, "the last choice of the list");

constexpr int32_t kPageEditLimit = 3;
constexpr int32_t kAdjustmentEditLimit = 7;
constexpr double kAdjustmentLimit = 1000.0;
constexpr double kWholeOrvuTolerance = 1.0 / 16;

// Messages sent to the controls directly.

void setSpinRange(HWND dialog, int32_t id, int16_t lower, int16_t upper) {
    // The up-down takes its upper limit in the low word and its lower limit in the high word.
    SendDlgItemMessageA(dialog, id, UDM_SETRANGE, 0,
                        MAKELPARAM(static_cast<WORD>(upper), static_cast<WORD>(lower)));
}

void selectAllText(HWND dialog, int32_t id) {
    SendMessageA(GetDlgItem(dialog, id), EM_SETSEL, 0, -1);
}

void limitText(HWND dialog, int32_t id, int32_t count) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
}

// The font size and the automatic V.

int16_t selectedFontIndex(HWND dialog) {
    const LRESULT index = SendDlgItemMessageA(dialog, IDC_FONT_SIZE_LIST, LB_GETCURSEL, 0, 0);
    // Nothing selected reads as the first entry; so does anything the table does not reach.
    if (index == LB_ERR || index < 0 || index >= static_cast<LRESULT>(kFontSizeChoiceCount))
        return 0;
    return static_cast<int16_t>(index);
}

int16_t selectedFontSize(HWND dialog) { return fontSizeChoices[selectedFontIndex(dialog)]; }

// V in ORVU for a divider size: size * 4 / 2 * 26 / 10, each division truncating.
int32_t autoAdjustedV(int16_t fontSize) {
    const int32_t size = fontSize;
    return size * 4 / 2 * 26 / 10;
}

void applyAutoAdjustV(HWND dialog) {
    const int32_t v = autoAdjustedV(selectedFontSize(dialog));
    OX_SetDlgItemUser(dialog, IDC_V_ADJUST, dialogUnit, static_cast<double>(v));
}

// Stepping H, V and the origin.

double snappedToWholeOrvu(double orvu) {
    const double whole = std::round(orvu);
    return std::fabs(orvu - whole) <= kWholeOrvuTolerance ? whole : orvu;
}

void stepUserValue(HWND dialog, int32_t id, double step) {
    // Stays 0 if the host cannot read the edit.
    double value = 0.0;
    OX_GetDlgItemUser(dialog, id, dialogUnit, &value);
    value = snappedToWholeOrvu(value) + step;
    // The limits apply to the sum, so a typed 5000 comes back to 1000 at the first step.
    if (value > kAdjustmentLimit)
        value = kAdjustmentLimit;
    if (value < -kAdjustmentLimit)
        value = -kAdjustmentLimit;
    OX_SetDlgItemUser(dialog, id, dialogUnit, value);
}

// The combo box's item number less 1, in 32-bit arithmetic that wraps; -1 when none is chosen.
int32_t selectedOriginIndex(HWND dialog) {
    const uint32_t itemNumber =
        static_cast<uint32_t>(OX_GetDlgItemVal(dialog, IDC_MARGIN_ORIGIN, kDropDownListValue));
    return static_cast<int32_t>(itemNumber - 1u);
}

void stepMarginOrigin(HWND dialog, const NMUPDOWN *notification) {
    // The delta comes as the up-down proposes it: up moves toward "Never".
    int64_t index = static_cast<int64_t>(selectedOriginIndex(dialog)) + notification->iDelta;
    if (index > kLastOriginIndex)
        index = kLastOriginIndex;
    if (index < 0)
        index = 0;
    OX_SetDlgItemVal(dialog, IDC_MARGIN_ORIGIN, kDropDownListValue,
                     static_cast<int32_t>(index + 1));
}

// Enabling.

void enableAll(HWND dialog, const int32_t *ids, size_t count, bool enable) {
    for (size_t index = 0; index < count; ++index)
        OX_EnableDlgItem(dialog, ids[index], enable ? 1 : 0);
}

void updateEnabledControls(HWND dialog) {
    // The page controls serve only "Selected pages", the V controls only a manual V.
    static const int32_t kPageControls[] = {IDC_FIRST_PAGE, IDC_FIRST_PAGE_SPIN, IDC_PAGE_RANGE_TO,
                                            IDC_LAST_PAGE, IDC_LAST_PAGE_SPIN};
    static const int32_t kVControls[] = {IDC_V_LABEL, IDC_V_ADJUST, IDC_V_SPIN};
    const bool selectedPages = OX_GetDlgItemVal(dialog, IDC_ALL_PAGES, kRadioButtonValue) == 0;
    enableAll(dialog, kPageControls, sizeof kPageControls / sizeof kPageControls[0], selectedPages);
    const bool manualV = OX_GetDlgItemVal(dialog, IDC_AUTO_ADJUST_V, kCheckBoxValue) == 0;
    enableAll(dialog, kVControls, sizeof kVControls / sizeof kVControls[0], manualV);
}

// Opening.

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

void initSettingsDialog(HWND dialog) {
    DividerSettings &settings = *settingsRef;
    settings.pageCount = countPages();
    limitText(dialog, IDC_FIRST_PAGE, kPageEditLimit);
    limitText(dialog, IDC_LAST_PAGE, kPageEditLimit);
    limitText(dialog, IDC_H_ADJUST, kAdjustmentEditLimit);
    limitText(dialog, IDC_V_ADJUST, kAdjustmentEditLimit);
    setSpinRange(dialog, IDC_FIRST_PAGE_SPIN, 1, settings.pageCount);
    setSpinRange(dialog, IDC_LAST_PAGE_SPIN, 1, settings.pageCount);
    fillFontSizeList(dialog, settings.fontSize);

    const bool staffLines =
        settings.vPositionMode == static_cast<int16_t>(VerticalMode::staffLines);
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
    // Not range-tested: a stored origin outside the list leaves the combo box without a choice.
    OX_SetDlgItemVal(dialog, IDC_MARGIN_ORIGIN, kDropDownListValue,
                     static_cast<int32_t>(settings.rightMarginOrigin) + 1);

    updateEnabledControls(dialog);
    if (settings.autoAdjustV != 0)
        applyAutoAdjustV(dialog);
}

// Reading the page range, for OK and Remove.

void showPageRangeError(HWND dialog) {
    showMessage(dialog, kPageRangeErrorText, kPageRangeErrorCaption, kErrorBoxStyle);
}

// True with both pages written when the dialog's range is valid; false after the error box, with
// the focus moved and nothing written.
bool readPageRange(HWND dialog, int16_t *firstPage, int16_t *lastPage) {
    if (OX_GetDlgItemVal(dialog, IDC_SELECTED_PAGES, kRadioButtonValue) == 0) {
        *firstPage = 1;
        *lastPage = settingsRef->pageCount;
        return true;
    }
    // The edits' numbers are taken as signed 16-bit values.
    const int16_t first =
        static_cast<int16_t>(OX_GetDlgItemVal(dialog, IDC_FIRST_PAGE, kEditNumberValue));
    const int16_t last =
        static_cast<int16_t>(OX_GetDlgItemVal(dialog, IDC_LAST_PAGE, kEditNumberValue));
    if (last > settingsRef->pageCount) {
        showPageRangeError(dialog);
        OX_SetDlgFocus(dialog, IDC_LAST_PAGE);
        return false;
    }
    if (first < 1 || first > last) {
        showPageRangeError(dialog);
        OX_SetDlgFocus(dialog, IDC_FIRST_PAGE);
        selectAllText(dialog, IDC_FIRST_PAGE);
        return false;
    }
    *firstPage = first;
    *lastPage = last;
    return true;
}

// OK.

void refuseAdjustment(HWND dialog, int32_t edit) {
    showMessage(dialog, kRangeErrorText, kRangeErrorCaption, kErrorBoxStyle);
    OX_SetDlgFocus(dialog, edit);
    selectAllText(dialog, edit);
}

// True when the record was written; false after an error box, with the dialog left open.
bool acceptSettings(HWND dialog) {
    int16_t firstPage = 0;
    int16_t lastPage = 0;
    if (!readPageRange(dialog, &firstPage, &lastPage))
        return false;
    // Both are read before either is tested; they stay 0 if the host cannot read an edit.
    double h = 0.0;
    double v = 0.0;
    OX_GetDlgItemUser(dialog, IDC_H_ADJUST, dialogUnit, &h);
    OX_GetDlgItemUser(dialog, IDC_V_ADJUST, dialogUnit, &v);
    int16_t hAdjust = 0;
    int16_t vAdjust = 0;
    if (!adjustmentFromEdit(h, &hAdjust)) {
        refuseAdjustment(dialog, IDC_H_ADJUST);
        return false;
    }
    if (!adjustmentFromEdit(v, &vAdjust)) {
        refuseAdjustment(dialog, IDC_V_ADJUST);
        return false;
    }
    const int32_t originIndex = selectedOriginIndex(dialog);

    DividerSettings &settings = *settingsRef;
    settings.firstPage = firstPage;
    settings.lastPage = lastPage;
    settings.hAdjust = hAdjust;
    settings.vAdjust = vAdjust;
    settings.fontSize = selectedFontSize(dialog);
    settings.vPositionMode =
        static_cast<int16_t>(OX_GetDlgItemVal(dialog, IDC_STAFF_LINES_MODE, kCheckBoxValue) == 0
                                 ? VerticalMode::systemBoundaries
                                 : VerticalMode::staffLines);
    settings.selectedPagesOnly =
        OX_GetDlgItemVal(dialog, IDC_ALL_PAGES, kCheckBoxValue) == 0 ? 1 : 0;
    settings.autoAdjustV = OX_GetDlgItemVal(dialog, IDC_AUTO_ADJUST_V, kCheckBoxValue);
    settings.rightMarginOrigin = static_cast<int16_t>(originIndex);
    return true;
}

// Remove: true when dividers were erased and the dialog is to end.
bool handleRemoveButton(HWND dialog) {
    int16_t firstPage = 0;
    int16_t lastPage = 0;
    if (!readPageRange(dialog, &firstPage, &lastPage))
        return false;
    // The size shown in the list now, not the one last accepted.
    const int16_t fontSize = selectedFontSize(dialog);
    if (!confirmRemoval(dialog))
        return false;
    // The dialog stays open for another range or size unless something was erased.
    return reportRemoval(dialog, removeDividers(firstPage, lastPage, fontSize));
}

// The procedure.

void handleUpDown(HWND dialog, WPARAM id, const NMUPDOWN *notification) {
    if (notification == nullptr || notification->hdr.code != UDN_DELTAPOS)
        return;
    // The arrows propose the platform's delta; H and V step the other way round.
    const double step = -static_cast<double>(notification->iDelta);
    if (id == IDC_H_SPIN)
        stepUserValue(dialog, IDC_H_ADJUST, step);
    else if (id == IDC_V_SPIN)
        stepUserValue(dialog, IDC_V_ADJUST, step);
    else if (id == IDC_ORIGIN_SPIN)
        stepMarginOrigin(dialog, notification);
}

void handleCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
    case IDC_SETTINGS_OK:
        if (acceptSettings(dialog)) {
            settingsRef->dialogAccepted = 1;
            OX_EndDialog(dialog);
        }
        break;
    case IDC_SETTINGS_CANCEL:
        OX_EndDialog(dialog);
        break;
    case IDC_FONT_SIZE_LIST:
        if (code == LBN_SELCHANGE &&
            OX_GetDlgItemVal(dialog, IDC_AUTO_ADJUST_V, kCheckBoxValue) != 0)
            applyAutoAdjustV(dialog);
        break;
    case IDC_ALL_PAGES:
        updateEnabledControls(dialog);
        break;
    case IDC_SELECTED_PAGES:
        updateEnabledControls(dialog);
        OX_SetDlgFocus(dialog, IDC_FIRST_PAGE);
        selectAllText(dialog, IDC_FIRST_PAGE);
        break;
    case IDC_AUTO_ADJUST_V:
        updateEnabledControls(dialog);
        if (OX_GetDlgItemVal(dialog, IDC_AUTO_ADJUST_V, kCheckBoxValue) != 0)
            applyAutoAdjustV(dialog);
        else
            OX_SetDlgFocus(dialog, IDC_V_ADJUST);
        break;
    case IDC_REMOVE:
        if (handleRemoveButton(dialog))
            OX_EndDialog(dialog);
        break;
    default:
        break;
    }
}

int32_t WINAPI settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                  int32_t) noexcept {
    // A procedure called outside runSettingsDialog has no record to work on.
    if (settingsRef == nullptr)
        return 0;
    switch (message) {
    case WM_INITDIALOG:
        settingsRef->dialogAccepted = 0;
        initSettingsDialog(dialog);
        return 1;
    case WM_NOTIFY:
        // No notification result is set, so the up-downs are never vetoed.
        handleUpDown(dialog, wParam, reinterpret_cast<const NMUPDOWN *>(lParam));
        return 1;
    case WM_COMMAND:
        handleCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return 0;
    default:
        return 0;
    }
}

} // namespace

bool adjustmentFromEdit(double orvu, int16_t *whole) {
    // A value read back within a hair of a whole ORVU is that ORVU, unless that would push it out
    // of range: 1000.95 is cut to 1000 and accepted.
    const double snapped = snappedToWholeOrvu(orvu);
    const double taken = std::trunc(std::fabs(snapped) <= kAdjustmentLimit ? snapped : orvu);
    if (!(taken >= -kAdjustmentLimit && taken <= kAdjustmentLimit))
        return false;
    *whole = static_cast<int16_t>(taken);
    return true;
}

bool runSettingsDialog(HWND owner, DividerSettings *settings) {
    if (settings == nullptr)
        return false;
    settingsRef = settings;
    // A dialog that never opens counts as Cancel: only WM_INITDIALOG would clear a stale OK.
    settings->dialogAccepted = 0;
    OX_Dialog(IDD_DIVIDER_SETTINGS, settingsDialogProc, owner, 1, 0);
    return settings->dialogAccepted != 0;
}
