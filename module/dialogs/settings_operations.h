// The operations of the settings dialog behind its procedure, and the state they share.
#pragma once

#include <cstdint>
#include <windows.h>

#include <commctrl.h>

#include "settings/divider_settings.h"

// The record being edited and the unit of the H and V edits; both outlive the dialog.
extern DividerSettings *settingsRef;
extern int16_t dialogUnit;

int32_t WINAPI settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                  int32_t reserved);

void initSettingsDialog(HWND dialog);
// 1 when the record was written; 0 after an error box, with the dialog left open.
int32_t acceptSettings(HWND dialog);
// 1 when dividers were deleted and the dialog is to end.
int16_t handleRemoveButton(HWND dialog);
void updateEnabledControls(HWND dialog);
void applyAutoAdjustV(HWND dialog);
// V in ORVU for a divider size: size * 4 / 2 * 26 / 10, each division truncating.
int32_t autoAdjustedV(int16_t fontSize);
void setPageSpinRanges(HWND dialog);
// An edit shows four decimals of the document's unit, so a whole ORVU can read back a little off
// (46 ORVU shows as 0.1597 inch, 45.99 ORVU): a value this close to a whole number is that number.
constexpr double kWholeOrvuTolerance = 1.0 / 16;
double snappedToWholeOrvu(double orvu);
// Snapped, then truncated toward zero; false for a value outside -1000..1000 or not a number.
bool adjustmentInRange(double value, int16_t *whole);
void stepUserValue(HWND dialog, int32_t id, double step, double minimum, double maximum,
                   int16_t unit);
void stepMarginOrigin(HWND dialog, const NMUPDOWN *notification);
int16_t selectedFontIndex(HWND dialog);
// The combo box's item number less 1, in 32-bit arithmetic that wraps; -1 when none is chosen.
int32_t selectedOriginIndex(HWND dialog);

// Messages sent to the controls directly.
void setSpinRange(HWND dialog, int32_t id, int16_t lower, int16_t upper);
void selectAllText(HWND dialog, int32_t id);
void limitText(HWND dialog, int32_t id, int32_t count);

void showPageRangeError(HWND dialog);
void showRangeError(HWND dialog);
