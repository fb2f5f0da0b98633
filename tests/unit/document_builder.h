// Fills the stand-in host's document with layout and text records as byte images, the way the host
// holds them, and reads placed records back. The offsets are written out here on their own so that
// a wrong record layout in the module shows up as a failing test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/host_state.h"
#include "host/record_keys.h"

namespace docbuild {

constexpr uint16_t kScaledSystem = 0x0002;
constexpr uint16_t kScaledStaves = 0x0400;
constexpr uint16_t kOwnStaffList = 0x4000;
constexpr uint16_t kHiddenStaff = 0x0004;
constexpr int16_t kNoSystems = -1;

struct ListEntry {
    int16_t staff;
    int32_t position;
};

struct SystemSpec {
    int16_t spaceAbove = 0;
    int16_t spaceBelow = 0;
    int16_t systemPercent = 100;
    uint16_t systemFlags = 0;
};

struct StaffSpec {
    int32_t lineCount = 5;
    uint16_t lineMode = 0;
    uint16_t staffFlags = 0;
};

// One ExpressionAssignment as found in the store, with its key.
struct PlacedAssignment {
    int16_t page; // the key's number
    int16_t subIndex;
    int16_t expressionNumber;
    int16_t hPosition;
    int16_t vPosition;
    int16_t pageCopy1;
    int16_t pageCopy2;
    int16_t originFlags;
    standin::Bytes bytes;
};

inline standin::RecordStore &store() { return standin::host().store; }

inline standin::KeyWords key2(int32_t number, int32_t subIndex) {
    return {static_cast<uint16_t>(number), static_cast<uint16_t>(subIndex)};
}

// The records as byte images, for any store: the fuzz targets build into stores of their own.
// Each lists its size and its fields as (offset, width, value); the rest of it is zero.

struct Field {
    size_t offset;
    size_t width;
    int64_t value;
};

inline standin::Bytes record(size_t size, std::initializer_list<Field> fields) {
    standin::Bytes bytes(size, 0);
    for (const Field &field : fields)
        standin::writeInt(bytes, field.offset, field.width, field.value);
    return bytes;
}

inline standin::Bytes pageRecord(int16_t firstSystem) { return record(22, {{8, 2, firstSystem}}); }

inline standin::Bytes systemRecord(const SystemSpec &fields) {
    return record(20, {{0, 2, fields.spaceAbove},
                       {6, 2, fields.spaceBelow},
                       {16, 2, fields.systemPercent},
                       {18, 2, fields.systemFlags}});
}

inline standin::Bytes staffListEntryRecord(const ListEntry &entry) {
    return record(12, {{0, 2, entry.staff}, {8, 4, entry.position}});
}

inline standin::Bytes staffRecord(const StaffSpec &fields) {
    return record(
        36, {{14, 2, fields.lineMode}, {16, 4, fields.lineCount}, {22, 2, fields.staffFlags}});
}

inline standin::Bytes staffScaleRecord(int32_t staffPercent) {
    return record(10, {{0, 4, staffPercent}});
}

inline standin::Bytes documentOptionsRecord(int16_t measurementUnit) {
    return record(61, {{30, 2, measurementUnit}});
}

inline standin::Bytes partMarkRecord(int16_t mark) { return record(12, {{8, 2, mark}}); }

inline standin::Bytes expressionDefRecord(int16_t textBlock) {
    return record(48, {{0, 2, textBlock}, {8, 2, 100}, {14, 2, 0x1A08}});
}

inline standin::Bytes assignmentRecord(int16_t page, int16_t expressionNumber,
                                       int16_t hPosition = 0, int16_t vPosition = 0,
                                       int16_t originFlags = 0) {
    return record(24, {{0, 2, expressionNumber},
                       {2, 2, hPosition},
                       {4, 2, vPosition},
                       {6, 2, page},
                       {8, 2, page},
                       {10, 2, originFlags}});
}

// The same records put into the stand-in host's document.

inline void putPage(int16_t page, int16_t firstSystem) {
    store().put(kPageRecordTag, key2(page, 0), pageRecord(firstSystem));
}

inline void putSystem(int16_t system, const SystemSpec &fields) {
    store().put(kSystemRecordTag, key2(system, 0), systemRecord(fields));
}

inline void putSystem(int16_t system, int16_t spaceAbove, int16_t spaceBelow, int16_t percent = 100,
                      uint16_t flags = 0) {
    putSystem(system, SystemSpec{spaceAbove, spaceBelow, percent, flags});
}

// Entries go under (list, 0), (list, 1), ... in the order given, top staff first.
inline void putStaffList(int16_t list, const std::vector<ListEntry> &entries) {
    for (size_t index = 0; index < entries.size(); ++index)
        store().put(kStaffListEntryTag, key2(list, static_cast<int32_t>(index)),
                    staffListEntryRecord(entries[index]));
}

inline void putStaff(int16_t staff, const StaffSpec &fields = {}) {
    store().put(kStaffRecordTag, key2(staff, 0), staffRecord(fields));
}

inline void putStaffScale(int16_t system, int16_t staff, int32_t staffPercent) {
    store().put(kStaffScaleRecordTag,
                {static_cast<uint16_t>(system), static_cast<uint16_t>(staff), 0},
                staffScaleRecord(staffPercent));
}

// Staves 1..count, five lines each, in list 0 at 0, -distance, -2 * distance, ...
inline void putEvenStaves(int16_t count, int32_t distance) {
    std::vector<ListEntry> entries;
    for (int16_t staff = 1; staff <= count; ++staff) {
        putStaff(staff);
        entries.push_back({staff, -distance * (staff - 1)});
    }
    putStaffList(0, entries);
}

inline void putDocumentOptions(int16_t measurementUnit) {
    store().put(kDocumentOptionsRecordTag, key2(0, 0), documentOptionsRecord(measurementUnit));
}

// The part mark lives under the one key (0xFFFE, 0).
inline void putPartMark(int16_t mark) {
    store().put(kPartMarkRecordTag, {0xFFFE, 0}, partMarkRecord(mark));
}

// The text's bytes exactly as stored; give the NUL explicitly when the block is to carry one.
inline void putTextBlock(int16_t number, const std::string &text) {
    store().put(kTextBlockTag, key2(number, 0), standin::Bytes(text.begin(), text.end()));
}

inline void putExpressionDef(int16_t number, int16_t subIndex, int16_t textBlock) {
    store().put(kTextExpressionDefTag, key2(number, subIndex), expressionDefRecord(textBlock));
}

inline void putAssignment(int16_t page, int16_t subIndex, int16_t expressionNumber,
                          int16_t hPosition = 0, int16_t vPosition = 0, int16_t originFlags = 0) {
    store().put(kExpressionAssignmentTag, key2(page, subIndex),
                assignmentRecord(page, expressionNumber, hPosition, vPosition, originFlags));
}

// Every ExpressionAssignment in key order.
inline std::vector<PlacedAssignment> assignments() {
    std::vector<PlacedAssignment> result;
    for (const auto &[key, bytes] : store().records(kExpressionAssignmentTag)) {
        PlacedAssignment placed;
        placed.page = static_cast<int16_t>(key[0]);
        placed.subIndex = static_cast<int16_t>(key[1]);
        placed.expressionNumber = static_cast<int16_t>(standin::readInt(bytes, 0, 2, true));
        placed.hPosition = static_cast<int16_t>(standin::readInt(bytes, 2, 2, true));
        placed.vPosition = static_cast<int16_t>(standin::readInt(bytes, 4, 2, true));
        placed.pageCopy1 = static_cast<int16_t>(standin::readInt(bytes, 6, 2, true));
        placed.pageCopy2 = static_cast<int16_t>(standin::readInt(bytes, 8, 2, true));
        placed.originFlags = static_cast<int16_t>(standin::readInt(bytes, 10, 2, true));
        placed.bytes = bytes;
        result.push_back(placed);
    }
    return result;
}

// The vertical positions of the assignments on one page, in key order.
inline std::vector<int16_t> vPositionsOnPage(int16_t page) {
    std::vector<int16_t> result;
    for (const auto &placed : assignments())
        if (placed.page == page)
            result.push_back(placed.vPosition);
    return result;
}

// The stored bytes of a text block, empty when there is none.
inline std::string textBlock(int16_t number) {
    const standin::Bytes *bytes = store().find(kTextBlockTag, key2(number, 0));
    return bytes == nullptr ? std::string() : std::string(bytes->begin(), bytes->end());
}

// The text block number at offset 0 of a definition, -1 when there is none.
inline int32_t textBlockOfDefinition(int16_t number, int16_t subIndex = 0) {
    const standin::Bytes *bytes = store().find(kTextExpressionDefTag, key2(number, subIndex));
    return bytes == nullptr ? -1 : standin::readInt(*bytes, 0, 2, true);
}

// The divider text the module writes for a font size, NUL included.
inline std::string dividerText(int fontSize) {
    return "^font(EngraverFontSet)^size(" + std::to_string(fontSize) + ")^efx(plain)\xBB" +
           std::string(1, '\0');
}

} // namespace docbuild
