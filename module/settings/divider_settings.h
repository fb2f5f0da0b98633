// The user's choices for the divider command, kept whole in the registry value UserDialog.
#pragma once

#include <cstddef>
#include <cstdint>

// How a divider's vertical position is found (vPositionMode): midway between the staff lines of the
// two systems, or half the lower system's space above below the upper system's boundary.
enum class VerticalMode : int16_t { staffLines = 0, systemBoundaries = 1 };

// Which pages measure H from the right margin (rightMarginOrigin), in the order of the dialog's
// list.
enum class MarginOrigin : int16_t { never = 0, always = 1, onOddPages = 2, onEvenPages = 3 };
constexpr int16_t kMarginOriginCount = 4;

#pragma pack(push, 1)
struct DividerSettings {
    int16_t firstPage;
    int16_t lastPage;
    int16_t hAdjust;
    int16_t vAdjust;
    int16_t fontSize;
    int16_t vPositionMode;
    int16_t selectedPagesOnly;
    int32_t autoAdjustV;
    int16_t rightMarginOrigin;
    int32_t dialogAccepted;
    int32_t settingsUsed;
    int16_t pageCount;
};
#pragma pack(pop)

static_assert(sizeof(DividerSettings) == 30, "the stored record is 30 bytes");
static_assert(offsetof(DividerSettings, firstPage) == 0, "layout of the stored record");
static_assert(offsetof(DividerSettings, lastPage) == 2, "layout of the stored record");
static_assert(offsetof(DividerSettings, hAdjust) == 4, "layout of the stored record");
static_assert(offsetof(DividerSettings, vAdjust) == 6, "layout of the stored record");
static_assert(offsetof(DividerSettings, fontSize) == 8, "layout of the stored record");
static_assert(offsetof(DividerSettings, vPositionMode) == 10, "layout of the stored record");
static_assert(offsetof(DividerSettings, selectedPagesOnly) == 12, "layout of the stored record");
static_assert(offsetof(DividerSettings, autoAdjustV) == 14, "layout of the stored record");
static_assert(offsetof(DividerSettings, rightMarginOrigin) == 18, "layout of the stored record");
static_assert(offsetof(DividerSettings, dialogAccepted) == 20, "layout of the stored record");
static_assert(offsetof(DividerSettings, settingsUsed) == 24, "layout of the stored record");
static_assert(offsetof(DividerSettings, pageCount) == 28, "layout of the stored record");

// The values the record holds when the module is loaded.
constexpr DividerSettings kLoadTimeSettings = {1, 1, 0, 0, 14, 0, 0, 1, 0, 0, 0, 1};
