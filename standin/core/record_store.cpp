#include "record_store.h"

#include <algorithm>
#include <iterator>

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
        // The last key holds the highest number; 0xFFFF itself stays reserved for "chosen by the
        // host".
        const uint32_t highest = byKey.empty() ? 0 : byKey.rbegin()->first.at(0);
        if (highest + 1 >= kChosenByHost)
            return std::nullopt;
        key[0] = static_cast<uint16_t>(highest + 1);
    }
    for (size_t word = 1; word < key.size(); ++word) {
        if (key[word] != kChosenByHost)
            continue;
        // One above the highest in use under the words before it, 0 when none: the last key
        // up to the greatest that starts with them.
        KeyWords greatest(key.begin(), key.begin() + static_cast<long>(word));
        greatest.resize(key.size(), 0xFFFF);
        int32_t highest = -1;
        auto after = byKey.upper_bound(greatest);
        if (after != byKey.begin()) {
            const KeyWords &last = std::prev(after)->first;
            if (last.size() > word && std::equal(key.begin(), key.begin() + word, last.begin()))
                highest = last[word];
        }
        if (highest + 1 >= kChosenByHost)
            return std::nullopt;
        key[word] = static_cast<uint16_t>(highest + 1);
    }
    if (!byKey.emplace(key, std::move(data)).second)
        return std::nullopt;
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
    auto byTag = records_.find(tag);
    if (byTag == records_.end())
        return {};
    return {byTag->second.begin(), byTag->second.end()};
}

std::vector<uint32_t> RecordStore::tags() const {
    std::vector<uint32_t> result;
    for (const auto &entry : records_)
        if (!entry.second.empty())
            result.push_back(entry.first);
    return result;
}

bool RecordStore::operator==(const RecordStore &other) const {
    if (tags() != other.tags())
        return false;
    for (uint32_t tag : tags())
        if (records_.at(tag) != other.records_.at(tag))
            return false;
    return true;
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

} // namespace standin
