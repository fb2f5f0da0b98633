// The removal written straight from its description: for every divider text block a fresh walk over
// all definitions, for every definition of the block a fresh walk over all assignments from page 1.
// Its cost grows with the product of the record counts; it serves as the yardstick that the
// module's removal must match key for key and in the same deletion order. Like the module, it keeps
// every key (no fixed bound), deletes a key collected twice only once, counts only the deletions
// the host confirms, and counts in 32 bits.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "dividers/divider_templates.h"
#include "host/host_services.h"
#include "host/record_keys.h"

namespace nestedwalk {

inline int16_t readInt16(const uint8_t *record, size_t offset) {
    return static_cast<int16_t>(record[offset] | (record[offset + 1] << 8));
}

// Every key the nested walks collect, in their order; a key reached twice is listed twice.
inline std::vector<RecordKey> collectKeys(int16_t firstPage, int16_t lastPage, int16_t fontSize) {
    std::vector<RecordKey> removalKeyList;
    char plain[kDividerTextCapacity];
    char with8194[kDividerTextCapacity];
    formatDividerText(plain, dividerTemplate, fontSize);
    formatDividerText(with8194, dividerTemplate8194, fontSize);
    const auto first = static_cast<uint16_t>(firstPage);
    const auto last = static_cast<uint16_t>(lastPage);

    RecordKey block = {0, 0};
    while (hostSucceeded(OX_NextEData(kTextBlockTag, &block, nullptr, 0))) {
        int32_t length = 0;
        if (!hostSucceeded(OX_LoadEData(kTextBlockTag, &block, nullptr, &length)))
            break;
        if (length < 0)
            continue;
        std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
        int32_t size = length;
        if (!hostSucceeded(OX_LoadEData(kTextBlockTag, &block, text.data(), &size)))
            continue;
        text[static_cast<size_t>(length)] = '\0';
        if (std::strcmp(text.data(), plain) != 0 && std::strcmp(text.data(), with8194) != 0)
            continue;

        RecordKey definition = {0, 0};
        uint8_t definitionData[48] = {};
        while (
            hostSucceeded(OX_NextEData(kTextExpressionDefTag, &definition, definitionData, 48))) {
            const int16_t blockOfDefinition = readInt16(definitionData, 0);
            std::memset(definitionData, 0, sizeof definitionData);
            if (blockOfDefinition != block.number)
                continue;

            RecordKey assignment = {1, 0};
            uint8_t assignmentData[24] = {};
            int32_t assignmentSize = 24;
            bool found = hostSucceeded(OX_LoadEData(kExpressionAssignmentTag, &assignment,
                                                    assignmentData, &assignmentSize));
            if (!found)
                found = hostSucceeded(
                    OX_NextEData(kExpressionAssignmentTag, &assignment, assignmentData, 24));
            while (found) {
                const auto page = static_cast<uint16_t>(assignment.number);
                if (readInt16(assignmentData, 0) == definition.number && first <= page &&
                    page <= last)
                    removalKeyList.push_back(assignment);
                std::memset(assignmentData, 0, sizeof assignmentData);
                found = hostSucceeded(
                    OX_NextEData(kExpressionAssignmentTag, &assignment, assignmentData, 24));
            }
        }
    }

    return removalKeyList;
}

inline bool sameKey(RecordKey a, RecordKey b) {
    return a.number == b.number && a.subIndex == b.subIndex;
}

// The last collected key goes first.
inline int32_t removeDividers(int16_t firstPage, int16_t lastPage, int16_t fontSize) {
    const std::vector<RecordKey> keys = collectKeys(firstPage, lastPage, fontSize);
    std::vector<RecordKey> deleted;
    int32_t erased = 0;
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        if (std::any_of(deleted.begin(), deleted.end(),
                        [&](RecordKey done) { return sameKey(done, *key); }))
            continue;
        deleted.push_back(*key);
        RecordKey doomed = *key;
        if (hostSucceeded(OX_DeleteEData(kExpressionAssignmentTag, &doomed)))
            ++erased;
    }
    return erased;
}

} // namespace nestedwalk
