#include "record_store.h"

#include <algorithm>
#include <iterator>

#include "host/record_keys.h"

namespace standin {

int keyWidth(uint32_t tag) { return tag == kStaffScaleRecordTag ? 3 : 2; }

RecordStore::PackedKey RecordStore::pack(const KeyWords &key) {
    PackedKey packed = 0;
    for (size_t word = 0; word < 3; ++word)
        packed = (packed << 16) | (word < key.size() ? key[word] : 0);
    return packed;
}

KeyWords RecordStore::unpack(PackedKey key, size_t width) {
    KeyWords words(width);
    for (size_t word = 0; word < width; ++word)
        words[word] = static_cast<uint16_t>(key >> (16 * (2 - word)));
    return words;
}

const Bytes *RecordStore::find(uint32_t tag, const KeyWords &key) const {
    auto byTag = records_.find(tag);
    if (byTag == records_.end())
        return nullptr;
    auto record = byTag->second.byKey.find(pack(key));
    return record == byTag->second.byKey.end() ? nullptr : &record->second;
}

std::optional<std::pair<KeyWords, const Bytes *>> RecordStore::next(uint32_t tag,
                                                                    const KeyWords &key) const {
    auto byTag = records_.find(tag);
    if (byTag == records_.end())
        return std::nullopt;
    auto record = byTag->second.byKey.upper_bound(pack(key));
    if (record == byTag->second.byKey.end())
        return std::nullopt;
    return std::make_pair(unpack(record->first, byTag->second.width), &record->second);
}

std::optional<KeyWords> RecordStore::create(uint32_t tag, KeyWords key, Bytes data) {
    auto &tagRecords = records_[tag];
    if (tagRecords.byKey.empty())
        tagRecords.width = key.size();
    auto &byKey = tagRecords.byKey;
    if (!key.empty() && key[0] == kChosenByHost) {
        // The last key holds the highest number; 0xFFFF itself stays reserved for "chosen by the
        // host".
        const uint32_t highest = byKey.empty() ? 0 : unpack(byKey.rbegin()->first, 1)[0];
        if (highest + 1 >= kChosenByHost)
            return std::nullopt;
        key[0] = static_cast<uint16_t>(highest + 1);
    }
    for (size_t word = 1; word < key.size(); ++word) {
        if (key[word] != kChosenByHost)
            continue;
        // One above the highest in use under the words before it, 0 when none: the last key
        // below the next prefix.
        KeyWords prefix(key.begin(), key.begin() + static_cast<long>(word));
        const PackedKey prefixBits = pack(prefix);
        const PackedKey span = PackedKey{1} << (16 * (3 - word));
        int32_t highest = -1;
        auto after = byKey.lower_bound(prefixBits + span);
        if (after != byKey.begin()) {
            const PackedKey last = std::prev(after)->first;
            if (last >= prefixBits)
                highest = unpack(last, word + 1)[word];
        }
        if (highest + 1 >= kChosenByHost)
            return std::nullopt;
        key[word] = static_cast<uint16_t>(highest + 1);
    }
    const PackedKey packed = pack(key);
    if (byKey.count(packed))
        return std::nullopt;
    byKey.emplace(packed, std::move(data));
    return key;
}

bool RecordStore::remove(uint32_t tag, const KeyWords &key) {
    claims_.erase({tag, pack(key)});
    auto byTag = records_.find(tag);
    return byTag != records_.end() && byTag->second.byKey.erase(pack(key)) > 0;
}

void RecordStore::put(uint32_t tag, const KeyWords &key, Bytes data) {
    auto &tagRecords = records_[tag];
    if (tagRecords.byKey.empty())
        tagRecords.width = key.size();
    tagRecords.byKey[pack(key)] = std::move(data);
    claims_.erase({tag, pack(key)});
}

void RecordStore::claimSize(uint32_t tag, const KeyWords &key, int32_t size) {
    if (find(tag, key) != nullptr)
        claims_[{tag, pack(key)}] = size;
}

std::optional<int32_t> RecordStore::claimedSize(uint32_t tag, const KeyWords &key) const {
    auto claim = claims_.find({tag, pack(key)});
    return claim == claims_.end() ? std::nullopt : std::optional<int32_t>(claim->second);
}

std::vector<std::pair<KeyWords, Bytes>> RecordStore::records(uint32_t tag) const {
    std::vector<std::pair<KeyWords, Bytes>> result;
    auto byTag = records_.find(tag);
    if (byTag != records_.end())
        for (const auto &entry : byTag->second.byKey)
            result.emplace_back(unpack(entry.first, byTag->second.width), entry.second);
    return result;
}

std::vector<uint32_t> RecordStore::tags() const {
    std::vector<uint32_t> result;
    for (const auto &entry : records_)
        if (!entry.second.byKey.empty())
            result.push_back(entry.first);
    return result;
}

bool RecordStore::operator==(const RecordStore &other) const {
    if (tags() != other.tags() || claims_ != other.claims_)
        return false;
    for (uint32_t tag : tags())
        if (records_.at(tag).byKey != other.records_.at(tag).byKey)
            return false;
    return true;
}

size_t RecordStore::count(uint32_t tag) const {
    auto byTag = records_.find(tag);
    return byTag == records_.end() ? 0 : byTag->second.byKey.size();
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
