// The data of a resource in a PE image file (DLL or EXE), found through the image's resource
// directory: the tests read back the dialog templates that the built module carries.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace peimage {

struct CutShort {};

// A little-endian number of 2 or 4 bytes at a file offset; CutShort past the end of the file.
inline uint32_t numberAt(const std::vector<uint8_t> &file, size_t offset, size_t width) {
    if (offset > file.size() || file.size() - offset < width)
        throw CutShort{};
    uint32_t value = 0;
    for (size_t byte = 0; byte < width; ++byte)
        value |= static_cast<uint32_t>(file[offset + byte]) << (8 * byte);
    return value;
}

// The file offset of a relative virtual address range of the image, when a section holds it.
inline std::optional<size_t> fileOffsetOf(const std::vector<uint8_t> &file, size_t sectionTable,
                                          size_t sectionCount, uint32_t rva, uint32_t size) {
    for (size_t section = 0; section < sectionCount; ++section) {
        const size_t header = sectionTable + 40 * section;
        const uint32_t virtualSize = numberAt(file, header + 8, 4);
        const uint32_t virtualAddress = numberAt(file, header + 12, 4);
        const uint32_t rawSize = numberAt(file, header + 16, 4);
        const uint32_t rawOffset = numberAt(file, header + 20, 4);
        const uint32_t extent = std::max(virtualSize, rawSize);
        if (rva >= virtualAddress && rva - virtualAddress < extent && size <= rawSize &&
            rva - virtualAddress <= rawSize - size)
            return size_t{rawOffset} + (rva - virtualAddress);
    }
    return std::nullopt;
}

// The offset field of a resource directory's entry with a numeric id, or of its first entry.
inline std::optional<uint32_t> directoryEntry(const std::vector<uint8_t> &file, size_t directory,
                                              std::optional<uint16_t> id) {
    const uint32_t entries = numberAt(file, directory + 12, 2) + numberAt(file, directory + 14, 2);
    for (uint32_t entry = 0; entry < entries; ++entry) {
        const uint32_t name = numberAt(file, directory + 16 + 8 * entry, 4);
        if (!id || name == *id) // a named entry has its high bit set and matches no id
            return numberAt(file, directory + 20 + 8 * entry, 4);
    }
    return std::nullopt;
}

} // namespace peimage

// The data of the resource of a numeric type and id (any language); nothing when the image has
// none, with the reason in `problem`.
inline std::optional<std::vector<uint8_t>> findResourceInPeFile(const std::vector<uint8_t> &file,
                                                                uint16_t type, uint16_t id,
                                                                std::string *problem = nullptr) {
    using peimage::numberAt;
    auto fail = [&](const std::string &why) -> std::optional<std::vector<uint8_t>> {
        if (problem != nullptr)
            *problem = why;
        return std::nullopt;
    };
    try {
        const size_t header = numberAt(file, 0x3C, 4);
        if (numberAt(file, header, 4) != 0x00004550)
            return fail("not a PE image");
        const size_t sectionCount = numberAt(file, header + 6, 2);
        const size_t optionalHeader = header + 24;
        const size_t sectionTable = optionalHeader + numberAt(file, header + 20, 2);
        // The data directories follow 96 bytes of the PE32 optional header, 112 of PE32+.
        const size_t directories =
            optionalHeader + (numberAt(file, optionalHeader, 2) == 0x20B ? 112 : 96);
        if (numberAt(file, directories - 4, 4) < 3)
            return fail("the image has no resource directory");
        const uint32_t resourceRva = numberAt(file, directories + 2 * 8, 4);
        const auto root = peimage::fileOffsetOf(file, sectionTable, sectionCount, resourceRva, 16);
        if (resourceRva == 0 || !root)
            return fail("the image has no resource directory within its sections");
        // Three levels: type, name, language; the first two lead to subdirectories.
        size_t directory = *root;
        const std::optional<uint16_t> wanted[3] = {type, id, std::nullopt};
        for (int level = 0; level < 3; ++level) {
            const auto entry = peimage::directoryEntry(file, directory, wanted[level]);
            const bool isDirectory = entry && (*entry & 0x80000000u) != 0;
            if (!entry || isDirectory != (level < 2))
                return fail("no resource of type " + std::to_string(type) + " and id " +
                            std::to_string(id));
            directory = *root + (*entry & 0x7FFFFFFFu);
        }
        const uint32_t size = numberAt(file, directory + 4, 4);
        const auto start = peimage::fileOffsetOf(file, sectionTable, sectionCount,
                                                 numberAt(file, directory, 4), size);
        if (!start || *start > file.size() || file.size() - *start < size)
            return fail("the resource's data lies outside the image's sections");
        return std::vector<uint8_t>(file.begin() + *start, file.begin() + *start + size);
    } catch (const peimage::CutShort &) {
        return fail("the image is cut short");
    }
}
