#include "layout/geometry.h"

#include "host/host_services.h"
#include "host/record_keys.h"
#include "layout/fixed_width.h"
#include "layout/layout_records.h"

namespace {

constexpr int32_t kHighestPageNumber = INT16_MAX;

bool loadListEntry(int16_t listNumber, int32_t index, StaffListEntry *entry) {
    RecordKey key = {listNumber, wrap16(index)};
    int32_t size = kStaffListEntrySize;
    *entry = {};
    return hostSucceeded(OX_LoadEData(kStaffListEntryTag, &key, entry, &size));
}

// A staff whose record does not load counts as hidden.
bool loadVisibleStaff(int16_t staffNumber, StaffRecord *staff) {
    RecordKey key = {staffNumber, 0};
    int32_t size = kStaffRecordSize;
    *staff = {};
    if (!hostSucceeded(OX_LoadEData(kStaffRecordTag, &key, staff, &size)))
        return false;
    return (staff->staffFlags & kStaffHidden) == 0;
}

int32_t staffHeight(const StaffRecord &staff) {
    return staff.lineMode == 0 ? mul32(staff.lineCount, kOrvuPerStaffLine) : kFixedStaffHeight;
}

} // namespace

int32_t firstVisibleStaffPosition(int16_t listNumber) {
    StaffListEntry entry;
    StaffRecord staff;
    // A list index is a 16-bit key word: a list cannot hold more entries than it has values.
    for (int32_t index = 0; index <= UINT16_MAX; ++index) {
        if (!loadListEntry(listNumber, index, &entry))
            return 0;
        if (loadVisibleStaff(entry.staffNumber, &staff))
            return entry.staffPosition;
    }
    return 0;
}

int32_t lastVisibleStaffPosition(int16_t listNumber, const SystemRecord *system,
                                 int16_t systemNumber, int16_t *height) {
    int32_t position = 0;
    int32_t lastHeight = 0;
    const bool stavesScaled = system != nullptr && (system->systemFlags & kSystemStavesScaled) != 0;
    StaffListEntry entry;
    StaffRecord staff;
    for (int32_t index = 0; index <= UINT16_MAX; ++index) {
        if (!loadListEntry(listNumber, index, &entry))
            break;
        if (!loadVisibleStaff(entry.staffNumber, &staff))
            continue;
        position = entry.staffPosition;
        lastHeight = staffHeight(staff);
        if (stavesScaled) {
            StaffScaleKey key = {systemNumber, entry.staffNumber, 0};
            StaffScaleRecord scale = {};
            int32_t size = kStaffScaleRecordSize;
            if (hostSucceeded(OX_LoadEData(kStaffScaleRecordTag, &key, &scale, &size)))
                lastHeight = scalePercent(lastHeight, scale.staffPercent);
        }
    }
    if (height != nullptr)
        *height = wrap16(lastHeight);
    return position;
}

int16_t countPages() {
    int32_t count = 0;
    // Page numbers are signed 16-bit: the count stops at the highest one rather than wrapping.
    while (count < kHighestPageNumber) {
        RecordKey key = {wrap16(count + 1), 0};
        int32_t size = kPageRecordSize;
        if (!hostSucceeded(OX_LoadEData(kPageRecordTag, &key, nullptr, &size)))
            break;
        ++count;
    }
    return wrap16(count);
}

int16_t documentMeasurementUnit() {
    RecordKey key = {0, 0};
    DocumentOptionsRecord options = {};
    int32_t size = kDocumentOptionsRecordSize;
    if (!hostSucceeded(OX_LoadEData(kDocumentOptionsRecordTag, &key, &options, &size)))
        return 1;
    return wrap16(options.measurementUnitWord);
}
