#include "dialogs/settings_operations.h"
#include "host/host_services.h"
#include "resources/resource_ids.h"

namespace {

void enableAll(HWND dialog, const int32_t *ids, size_t count, bool enable) {
    for (size_t index = 0; index < count; ++index)
        OX_EnableDlgItem(dialog, ids[index], enable ? 1 : 0);
}

} // namespace

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
