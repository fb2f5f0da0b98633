// The host's record services, exported to the module in both builds.
#include <algorithm>
#include <cstring>

#include "document_records.h"
#include "host/host_services.h"
#include "host_state.h"

using standin::Bytes;
using standin::host;
using standin::KeyWords;

namespace {

KeyWords readKey(uint32_t tag, const void *key) {
    const auto *words = static_cast<const uint8_t *>(key);
    KeyWords result(static_cast<size_t>(standin::keyWidth(tag)));
    for (size_t i = 0; i < result.size(); ++i)
        result[i] = static_cast<uint16_t>(words[2 * i] | (words[2 * i + 1] << 8));
    return result;
}

void writeKey(const KeyWords &words, void *key) {
    auto *bytes = static_cast<uint8_t *>(key);
    for (size_t i = 0; i < words.size(); ++i) {
        bytes[2 * i] = static_cast<uint8_t>(words[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
    }
}

// A real host leaves in the high half of a result whatever its registers held, and success is any
// nonzero low half: here both halves change from call to call, the high half is never 0 and a
// failure's low half is 0, so that a module judging more than the low half fails here.
int32_t recordResult(bool succeeded) {
    const uint64_t serial = ++host().recordResults;
    const uint64_t high = 1 + serial * 0x9E37u % 0xFFFFu;
    const uint64_t low = succeeded ? 1 + serial * 0x7F4Bu % 0xFFFFu : 0;
    return static_cast<int32_t>(static_cast<uint32_t>(high << 16 | low));
}

void copyOut(const Bytes &record, void *buffer, int32_t capacity) {
    if (buffer == nullptr || capacity <= 0 || record.empty())
        return;
    std::memcpy(buffer, record.data(),
                std::min<size_t>(record.size(), static_cast<size_t>(capacity)));
}

} // namespace

extern "C" int32_t WINAPI OX_LoadEData(uint32_t tag, void *key, void *buffer, int32_t *size) {
    if (host().countCallAndCheckFailure("OX_LoadEData") || key == nullptr || size == nullptr)
        return recordResult(false);
    const KeyWords words = readKey(tag, key);
    const Bytes *record = host().store.find(tag, words);
    if (record == nullptr)
        return recordResult(false);
    if (buffer != nullptr) {
        copyOut(*record, buffer, *size);
        return recordResult(true);
    }
    *size = host().store.claimedSize(tag, words).value_or(static_cast<int32_t>(record->size()));
    return recordResult(true);
}

extern "C" int32_t WINAPI OX_NextEData(uint32_t tag, void *key, void *buffer, int32_t size) {
    if (host().countCallAndCheckFailure("OX_NextEData") || key == nullptr)
        return recordResult(false);
    auto next = host().store.next(tag, readKey(tag, key));
    if (!next)
        return recordResult(false);
    writeKey(next->first, key);
    copyOut(*next->second, buffer, size);
    return recordResult(true);
}

extern "C" int32_t WINAPI OX_CreateEData(uint32_t tag, void *key, const void *buffer,
                                         int32_t size) {
    if (host().countCallAndCheckFailure("OX_CreateEData") || key == nullptr || buffer == nullptr ||
        size < 0)
        return recordResult(false);
    if (!standin::pluginMayChange(tag))
        return recordResult(false);
    const auto *bytes = static_cast<const uint8_t *>(buffer);
    auto created = host().store.create(tag, readKey(tag, key), Bytes(bytes, bytes + size));
    if (!created)
        return recordResult(false);
    // Only what the document file can carry is kept, so every run's document can be written.
    if (!standin::pluginRecordFits(tag, *created, static_cast<size_t>(size))) {
        host().store.remove(tag, *created);
        return recordResult(false);
    }
    writeKey(*created, key);
    return recordResult(true);
}

extern "C" int32_t WINAPI OX_DeleteEData(uint32_t tag, void *key) {
    if (host().countCallAndCheckFailure("OX_DeleteEData") || key == nullptr ||
        !standin::pluginMayChange(tag))
        return recordResult(false);
    return recordResult(host().store.remove(tag, readKey(tag, key)));
}

extern "C" int32_t WINAPI OX_UpdateLayout(int32_t first, int32_t second) {
    if (host().countCallAndCheckFailure("OX_UpdateLayout"))
        return 0;
    host().currentInvocation().layoutUpdates.emplace_back(first, second);
    // The host lays the score out anew once; later updates find the layout as it is.
    if (host().pendingLayout) {
        host().pendingLayout->applyTo(host().store);
        host().pendingLayout.reset();
    }
    return 1;
}
