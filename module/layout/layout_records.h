// Byte layouts of the host's page, system and staff records.
// Little-endian images as the host returns them; bytes not named here are never interpreted.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

struct PageRecord {
    uint8_t reserved0[8];
    int16_t firstSystem; // -1: no systems on the page; 0: the layout was not recomputed
    uint8_t reserved10[12];
};

struct SystemRecord {
    int16_t spaceAbove; // from the previous system's lower boundary down to the top staff line
    uint8_t reserved2[4];
    int16_t spaceBelow; // from the last staff's position down to the lower boundary
    uint8_t reserved8[8];
    int16_t systemPercent;
    uint16_t systemFlags;
};

struct StaffListEntry {
    int16_t staffNumber;
    uint8_t reserved2[6];
    int32_t staffPosition; // relative to the system's top staff line
};

struct StaffRecord {
    uint8_t reserved0[14];
    uint16_t lineMode; // nonzero: the staff is 120 high whatever its line count
    int32_t lineCount;
    uint8_t reserved20[2];
    uint16_t staffFlags;
    uint8_t reserved24[12];
};

struct StaffScaleRecord {
    int32_t staffPercent;
    uint8_t reserved4[6];
};

struct DocumentOptionsRecord {
    uint8_t reserved0[30];
    int32_t measurementUnitWord; // the unit code is its low half
    uint8_t reserved34[27];
};

#pragma pack(pop)

static_assert(sizeof(PageRecord) == 22, "page record size");
static_assert(offsetof(PageRecord, firstSystem) == 8, "page record layout");

static_assert(sizeof(SystemRecord) == 20, "system record size");
static_assert(offsetof(SystemRecord, spaceAbove) == 0, "system record layout");
static_assert(offsetof(SystemRecord, spaceBelow) == 6, "system record layout");
static_assert(offsetof(SystemRecord, systemPercent) == 16, "system record layout");
static_assert(offsetof(SystemRecord, systemFlags) == 18, "system record layout");

static_assert(sizeof(StaffListEntry) == 12, "staff list entry size");
static_assert(offsetof(StaffListEntry, staffNumber) == 0, "staff list entry layout");
static_assert(offsetof(StaffListEntry, staffPosition) == 8, "staff list entry layout");

static_assert(sizeof(StaffRecord) == 36, "staff record size");
static_assert(offsetof(StaffRecord, lineMode) == 14, "staff record layout");
static_assert(offsetof(StaffRecord, lineCount) == 16, "staff record layout");
static_assert(offsetof(StaffRecord, staffFlags) == 22, "staff record layout");

static_assert(sizeof(StaffScaleRecord) == 10, "staff scale record size");
static_assert(offsetof(StaffScaleRecord, staffPercent) == 0, "staff scale record layout");

static_assert(sizeof(DocumentOptionsRecord) == 61, "document options record size");
static_assert(offsetof(DocumentOptionsRecord, measurementUnitWord) == 30,
              "document options layout");

constexpr int32_t kPageRecordSize = sizeof(PageRecord);
constexpr int32_t kSystemRecordSize = sizeof(SystemRecord);
constexpr int32_t kStaffListEntrySize = sizeof(StaffListEntry);
constexpr int32_t kStaffRecordSize = sizeof(StaffRecord);
constexpr int32_t kStaffScaleRecordSize = sizeof(StaffScaleRecord);
constexpr int32_t kDocumentOptionsRecordSize = sizeof(DocumentOptionsRecord);

constexpr int16_t kPageWithoutSystems = -1;
constexpr int16_t kLayoutNotUpToDate = 0;

constexpr uint16_t kSystemScaled = 0x0002;
constexpr uint16_t kSystemStavesScaled = 0x0400;
constexpr uint16_t kSystemOwnStaffList = 0x4000;
constexpr uint16_t kStaffHidden = 0x0004;

constexpr int16_t kDocumentStaffList = 0;
constexpr int32_t kOrvuPerStaffLine = 24;
constexpr int32_t kFixedStaffHeight = 120; // any nonzero lineMode
