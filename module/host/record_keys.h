// Keys and tags of the host's document records.
#pragma once

#include <cstddef>
#include <cstdint>

// Most records are addressed by two 16-bit words; a word of -1 in a creation key is chosen by the
// host.
struct RecordKey {
    int16_t number;
    int16_t subIndex;
};
static_assert(sizeof(RecordKey) == 4, "RecordKey is two 16-bit words");
static_assert(offsetof(RecordKey, subIndex) == 2, "subIndex follows number");

// The staff scaling of one staff in one system is keyed by three words.
struct StaffScaleKey {
    int16_t system;
    int16_t staff;
    int16_t subIndex;
};
static_assert(sizeof(StaffScaleKey) == 6, "StaffScaleKey is three 16-bit words");

// Tags read as four characters from the most significant byte.
constexpr uint32_t kPageRecordTag = 0x534F5053;            // 'SOPS'
constexpr uint32_t kSystemRecordTag = 0x534F5353;          // 'SOSS'
constexpr uint32_t kStaffListEntryTag = 0x6F744955;        // 'otIU'
constexpr uint32_t kStaffRecordTag = 0x534F4953;           // 'SOIS'
constexpr uint32_t kStaffScaleRecordTag = 0x64744C50;      // 'dtLP'
constexpr uint32_t kDocumentOptionsRecordTag = 0x70666770; // 'pfgp'
constexpr uint32_t kExpressionAssignmentTag = 0x4F027054;  // 'O', 0x02, 'p', 'T'
constexpr uint32_t kTextBlockTag = 0x7478626C;             // 'txbl'
constexpr uint32_t kTextExpressionDefTag = 0x534F5458;     // 'SOTX'
constexpr uint32_t kPartMarkRecordTag = 0x6F743233;        // 'ot23'

constexpr int16_t kHostChosenKeyWord = -1;

// Host record services report success in the low 16 bits of their result.
inline bool hostSucceeded(int32_t result) { return static_cast<uint16_t>(result) != 0; }
