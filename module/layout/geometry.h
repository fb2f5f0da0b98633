// Read-only queries over the page, system and staff records.
#pragma once

#include <cstdint>

struct SystemRecord;

// Position of the first staff of the list that is not hidden; 0 when there is none.
int32_t firstVisibleStaffPosition(int16_t listNumber);
// Position of the last staff of the list that is not hidden, and its height in *height when given.
int32_t lastVisibleStaffPosition(int16_t listNumber, const SystemRecord *system,
                                 int16_t systemNumber, int16_t *height);
// Number of consecutive pages from page 1.
int16_t countPages();
// Unit code for the settings dialog's adjustments; 1 when the document has no options record.
int16_t documentMeasurementUnit();
