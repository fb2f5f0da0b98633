// The stand-in host's document: every record kept as its byte image under its tag and key.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace standin {

using Bytes = std::vector<uint8_t>;
// Key words compared in turn as unsigned 16-bit numbers give the walk order of one tag.
using KeyWords = std::vector<uint16_t>;

constexpr uint16_t kChosenByHost = 0xFFFF;

// Staff scaling records carry three key words, every other record two.
int keyWidth(uint32_t tag);

class RecordStore {
  public:
    const Bytes *find(uint32_t tag, const KeyWords &key) const;
    // The first record of the tag whose key is greater than the given one.
    std::optional<std::pair<KeyWords, const Bytes *>> next(uint32_t tag, const KeyWords &key) const;
    // Words of 0xFFFF are chosen: a number one above the highest in use (1 when none), a sub-index
    // one above the highest under that number (0 when none). Fails when the key is taken or no
    // number is left; the chosen key is returned.
    std::optional<KeyWords> create(uint32_t tag, KeyWords key, Bytes data);
    bool remove(uint32_t tag, const KeyWords &key);
    // Puts a record under an exact key, replacing what was there.
    void put(uint32_t tag, const KeyWords &key, Bytes data);
    // The size the host reports for a record instead of its own, as a damaged document makes it
    // claim; the claim goes with the record.
    void claimSize(uint32_t tag, const KeyWords &key, int32_t size);
    std::optional<int32_t> claimedSize(uint32_t tag, const KeyWords &key) const;

    std::vector<std::pair<KeyWords, Bytes>> records(uint32_t tag) const;
    std::vector<uint32_t> tags() const;
    size_t count(uint32_t tag) const;
    void clear() {
        records_.clear();
        claims_.clear();
    }
    // Stores are equal when they hold the same records and claims; tags left empty do not count.
    bool operator==(const RecordStore &other) const;

  private:
    // Up to three words packed most significant first, so that integer order is key order.
    using PackedKey = uint64_t;
    struct TagRecords {
        size_t width = 2;
        std::map<PackedKey, Bytes> byKey;
        bool operator==(const TagRecords &other) const {
            return width == other.width && byKey == other.byKey;
        }
    };
    static PackedKey pack(const KeyWords &key);
    static KeyWords unpack(PackedKey key, size_t width);
    std::map<uint32_t, TagRecords> records_;
    std::map<std::pair<uint32_t, PackedKey>, int32_t> claims_;
};

// Little-endian field access on byte images.
int32_t readInt(const Bytes &bytes, size_t offset, size_t width, bool isSigned);
void writeInt(Bytes &bytes, size_t offset, size_t width, int64_t value);

} // namespace standin
