#include "record_store.h"

#include <algorithm>

#include "host/record_keys.h"

namespace standin {

int keyWidth(uint32_t tag) { return tag == kStaffScaleRecordTag ? 3 : 2; }

const Bytes *RecordStore::find(uint32_t tag, const KeyWords &key) const {
    auto byTag = records_.find(tag);
    if (byTag == records_.end())
        return nullptr;
    auto record = byTag->second.find(key);
    return record == byTag->second.end() ? nullptr : &record->second;
}

std::optional<std::pair<KeyWords, const Bytes *>> RecordStore::next(uint32_t tag,
                                                                      const KeyWords &key) const {
    auto byTag = records_.find(tag);
    if (byTag == records_.end())
        return std::nullopt;
    auto record = byTag->second.upper_bound(key);
    if (record == byTag->second.end())
        return std::nullopt;
    return std::make_pair(record->first, &record->second);
}

std::optional<KeyWords> RecordStore::create(uint32_t tag, KeyWords key, Bytes data) {
    auto &byKey = records_[tag];
    if (!key.empty() && key[0] == kChosenByHost) {
        // Keys sort by their first word first, so the last key holds the highest number.
        const uint32_t highest = byKey.empty() ? 0 : byKey.rbegin()->first[0];
        // 0xFFFF itself stays reserved for "chosen by the host".
        if (highest + 1 >= kChosenByHost)
            return std::nullopt;
        key[0] = static_cast<uint16_t>(highest + 1);
    }
    for (size_t word = 1; word < key.size(); ++word) {
        if (key[word] != kChosenByHost)
            continue;
        // One above the highest in use under the words before it, 0 when none.
        KeyWords prefix(key.begin(), key.begin() + static_cast<long>(word));
        int32_t highest = -1;
        for (auto it = byKey.lower_bound(prefix); it != byKey.end(); ++it) {
            if (!std::equal(prefix.begin(), prefix.end(), it->first.begin()))
                break;
            highest = std::max<int32_t>(highest, it->first[word]);
        }
        if (highest + 1 >= kChosenByHost)
            return std::nullopt;
        key[word] = static_cast<uint16_t>(highest + 1);
    }
    if (byKey.count(key))
        return std::nullopt;
    byKey.emplace(key, std::move(data));
    return key;
}

bool RecordStore::remove(uint32_t tag, const KeyWords &key) {
    auto byTag = records_.find(tag);
    return byTag != records_.end() && byTag->second.erase(key) > 0;
}

void RecordStore::put(uint32_t tag, const KeyWords &key, Bytes data) {
    records_[tag][key] = std::move(data);
}

std::vector<std::pair<KeyWords, Bytes>> RecordStore::records(uint32_t tag) const {
    std::vector<std::pair<KeyWords, Bytes>> result;
    auto byTag = records_.find(tag);
    if (byTag != records_.end())
        result.assign(byTag->second.begin(), byTag->second.end());
    return result;
}

std::vector<uint32_t> RecordStore::tags() const {
    std::vector<uint32_t> result;
    for (const auto &entry : records_)
        if (!entry.second.empty())
            result.push_back(entry.first);
    return result;
}

size_t RecordStore::count(uint32_t tag) const {
    auto byTag = records_.find(tag);
    return byTag == records_.end() ? 0 : byTag->second.size();
}

int32_t readInt(const Bytes &bytes, size_t offset, size_t width, bool isSigned) {
    uint32_t value = 0;
    for (size_t i = 0; i < width && offset + i < bytes.size(); ++i)
        value |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
    if (isSigned && width == 2)
        return static_cast<int16_t>(value);
    if (!isSigned && width == 2)
        return static_cast<int32_t>(value & 0xFFFF);
    return static_cast<int32_t>(value);
}

void writeInt(Bytes &bytes, size_t offset, size_t width, int64_t value) {
    if (bytes.size() < offset + width)
        bytes.resize(offset + width, 0);
    for (size_t i = 0; i < width; ++i)
        bytes[offset + i] = static_cast<uint8_t>((static_cast<uint64_t>(value) >> (8 * i)) & 0xFF);
}

}  // namespace standin
