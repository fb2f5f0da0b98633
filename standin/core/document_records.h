// The byte sizes of the document's records, and which of them a plug-in may change.
#pragma once

#include <cstddef>
#include <cstdint>

#include "record_store.h"

namespace standin {

constexpr size_t kPageRecordSize = 22;
constexpr size_t kSystemRecordSize = 20;
constexpr size_t kStaffListEntrySize = 12;
constexpr size_t kStaffRecordSize = 36;
constexpr size_t kStaffScaleRecordSize = 10;
constexpr size_t kDocumentOptionsRecordSize = 61;
constexpr size_t kPartMarkRecordSize = 12;
constexpr size_t kTextExpressionDefSize = 48;
constexpr size_t kExpressionAssignmentSize = 24;

constexpr uint16_t kPartMarkKeyNumber = 0xFFFE; // -2

// The layout belongs to the host; a plug-in creates and deletes only text expressions: text
// blocks, their definitions and their assignments to pages.
bool pluginMayChange(uint32_t tag);
// A record a plug-in made must have the size and a key that the document file can carry.
bool pluginRecordFits(uint32_t tag, const KeyWords &key, size_t size);

} // namespace standin
