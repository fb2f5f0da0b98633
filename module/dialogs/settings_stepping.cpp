#include "dialogs/settings_operations.h"
#include "host/host_services.h"
#include "resources/resource_ids.h"

namespace {
constexpr int64_t kLastOriginIndex = 3;
}

void stepUserValue(HWND dialog, int32_t id, double step, double minimum, double maximum,
                   int16_t unit) {
    // Stays 0 if the host cannot read the edit.
    double value = 0.0;
    OX_GetDlgItemUser(dialog, id, unit, &value);
    value = snappedToWholeOrvu(value) + step;
    // The limits apply to the sum, so a typed 5000 comes back to 1000 at the first step.
    if (value > maximum)
        value = maximum;
    if (value < minimum)
        value = minimum;
    OX_SetDlgItemUser(dialog, id, unit, value);
}

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
