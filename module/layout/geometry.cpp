#include "layout/geometry.h"

// Stand-ins until the layout queries land.
int32_t firstVisibleStaffPosition(int16_t) { return 0; }
int32_t lastVisibleStaffPosition(int16_t, const SystemRecord *, int16_t, int16_t *height) {
    if (height != nullptr)
        *height = 0;
    return 0;
}
int16_t countPages() { return 0; }
int16_t documentMeasurementUnit() { return 1; }
