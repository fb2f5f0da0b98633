#include "dialog_template.h"

#include <algorithm>

namespace standin {

namespace {

constexpr uint32_t kSetFont = 0x40;   // DS_SETFONT
constexpr uint32_t kShellFont = 0x48; // DS_SHELLFONT: DS_SETFONT | DS_FIXEDSYS
constexpr uint16_t kOrdinalMark = 0xFFFF;

// Little-endian reads over a byte range that refuse to run past its end.
struct Reader {
    const std::vector<uint8_t> &bytes;
    size_t position = 0;
    size_t end = 0;
    bool failed = false;

    bool has(size_t count) {
        if (failed || position > end || end - position < count)
            failed = true;
        return !failed;
    }
    uint8_t u8() { return has(1) ? bytes[position++] : 0; }
    uint16_t u16() {
        if (!has(2))
            return 0;
        const uint16_t value = static_cast<uint16_t>(bytes[position] | bytes[position + 1] << 8);
        position += 2;
        return value;
    }
    uint32_t u32() {
        const uint32_t low = u16();
        return low | static_cast<uint32_t>(u16()) << 16;
    }
    int16_t i16() { return static_cast<int16_t>(u16()); }
    // Templates align their items, and resource files their headers, to four bytes from the
    // start of the data.
    void alignFrom(size_t base) {
        const size_t misalignment = (position - base) % 4;
        if (misalignment != 0)
            position += 4 - misalignment;
        if (position > end)
            failed = true;
    }
    std::string utf16String() {
        std::string text;
        for (;;) {
            const uint16_t unit = u16();
            if (failed || unit == 0)
                return text;
            text += unit <= 0xFF ? static_cast<char>(unit) : '?';
        }
    }
    // A text, or 0xFFFF followed by an ordinal; a single 0 means none.
    std::string stringOrOrdinal(bool *isOrdinal = nullptr, uint16_t *ordinal = nullptr) {
        if (!has(2))
            return {};
        const uint16_t first = static_cast<uint16_t>(bytes[position] | bytes[position + 1] << 8);
        if (first == kOrdinalMark) {
            position += 2;
            const uint16_t value = u16();
            if (isOrdinal != nullptr)
                *isOrdinal = true;
            if (ordinal != nullptr)
                *ordinal = value;
            return "#" + std::to_string(value);
        }
        return utf16String();
    }
};

bool fail(std::string *problem, const std::string &why) {
    if (problem != nullptr)
        *problem = why;
    return false;
}

// The name of a predefined control class atom (0x80 BUTTON ... 0x85 COMBOBOX); "#N" otherwise.
std::string predefinedClassName(uint16_t atom) {
    static const char *const kNames[] = {"BUTTON",  "EDIT",      "STATIC",
                                         "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    if (atom >= 0x80 && atom <= 0x85)
        return kNames[atom - 0x80];
    return "#" + std::to_string(atom);
}

bool readItem(Reader &in, bool extended, size_t base, DialogItem &item) {
    in.alignFrom(base);
    if (extended) {
        item.helpId = in.u32();
        item.exStyle = in.u32();
        item.style = in.u32();
    } else {
        item.style = in.u32();
        item.exStyle = in.u32();
    }
    item.x = in.i16();
    item.y = in.i16();
    item.cx = in.i16();
    item.cy = in.i16();
    item.id = extended ? in.u32() : in.u16();
    uint16_t atom = 0;
    item.className = in.stringOrOrdinal(&item.classIsAtom, &atom);
    if (item.classIsAtom)
        item.className = predefinedClassName(atom);
    item.text = in.stringOrOrdinal(&item.textIsOrdinal, &item.textOrdinal);
    if (item.textIsOrdinal)
        item.text.clear();
    const uint16_t extraBytes = in.u16();
    if (in.has(extraBytes)) {
        // In the short form the count includes its own two bytes.
        const size_t dataBytes = !extended && extraBytes >= 2 ? extraBytes - 2u : extraBytes;
        if (in.has(dataBytes)) {
            item.creationData.assign(in.bytes.begin() + in.position,
                                     in.bytes.begin() + in.position + dataBytes);
            in.position += dataBytes;
        }
    }
    return !in.failed;
}

} // namespace

std::optional<DialogTemplate> parseDialogTemplate(const std::vector<uint8_t> &bytes,
                                                  std::string *problem) {
    Reader in{bytes, 0, bytes.size()};
    DialogTemplate dialog;
    uint16_t itemCount = 0;
    if (bytes.size() >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF &&
        bytes[3] == 0xFF) {
        dialog.extended = true;
        in.position = 4;
        dialog.helpId = in.u32();
        dialog.exStyle = in.u32();
        dialog.style = in.u32();
    } else {
        dialog.style = in.u32();
        dialog.exStyle = in.u32();
    }
    itemCount = in.u16();
    dialog.x = in.i16();
    dialog.y = in.i16();
    dialog.cx = in.i16();
    dialog.cy = in.i16();
    dialog.menu = in.stringOrOrdinal();
    dialog.windowClass = in.stringOrOrdinal();
    dialog.caption = in.utf16String();
    dialog.hasFont = (dialog.style & kSetFont) != 0 || (dialog.style & kShellFont) == kShellFont;
    if (dialog.hasFont) {
        dialog.pointSize = in.u16();
        if (dialog.extended) {
            dialog.weight = in.u16();
            dialog.italic = in.u8();
            dialog.charset = in.u8();
        }
        dialog.typeface = in.utf16String();
    }
    if (in.failed) {
        fail(problem, "the dialog header runs past the end of the template");
        return std::nullopt;
    }
    for (uint16_t index = 0; index < itemCount; ++index) {
        DialogItem item;
        if (!readItem(in, dialog.extended, 0, item)) {
            fail(problem, "control " + std::to_string(index + 1) + " of " +
                              std::to_string(itemCount) + " runs past the end of the template");
            return std::nullopt;
        }
        dialog.items.push_back(std::move(item));
    }
    return dialog;
}

std::optional<std::vector<uint8_t>> findResourceInResFile(const std::vector<uint8_t> &file,
                                                          uint16_t type, uint16_t id,
                                                          std::string *problem) {
    Reader in{file, 0, file.size()};
    while (in.position < file.size()) {
        const size_t headerStart = in.position;
        const uint32_t dataSize = in.u32();
        const uint32_t headerSize = in.u32();
        bool typeIsOrdinal = false, nameIsOrdinal = false;
        uint16_t typeOrdinal = 0, nameOrdinal = 0;
        in.stringOrOrdinal(&typeIsOrdinal, &typeOrdinal);
        in.stringOrOrdinal(&nameIsOrdinal, &nameOrdinal);
        if (in.failed || headerSize < 8 || headerSize > file.size() - headerStart) {
            fail(problem,
                 "a resource header at byte " + std::to_string(headerStart) + " is malformed");
            return std::nullopt;
        }
        const size_t dataStart = headerStart + headerSize;
        if (dataSize > file.size() - dataStart) {
            fail(problem, "the resource at byte " + std::to_string(headerStart) +
                              " runs past the end of the file");
            return std::nullopt;
        }
        if (typeIsOrdinal && nameIsOrdinal && typeOrdinal == type && nameOrdinal == id)
            return std::vector<uint8_t>(file.begin() + dataStart,
                                        file.begin() + dataStart + dataSize);
        in.position = dataStart + dataSize;
        in.alignFrom(0);
        if (in.failed)
            break;
    }
    fail(problem, "no resource of type " + std::to_string(type) + " and id " + std::to_string(id));
    return std::nullopt;
}

namespace {

struct Section {
    uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

// The file offset of a relative virtual address of the image, when a section holds it.
std::optional<size_t> fileOffsetOf(const std::vector<Section> &sections, uint32_t rva,
                                   uint32_t size) {
    for (const auto &section : sections) {
        const uint32_t extent = std::max(section.virtualSize, section.rawSize);
        if (rva >= section.virtualAddress && rva - section.virtualAddress < extent &&
            size <= section.rawSize && rva - section.virtualAddress <= section.rawSize - size)
            return static_cast<size_t>(section.rawOffset) + (rva - section.virtualAddress);
    }
    return std::nullopt;
}

// The entry of a resource directory with a numeric id, or the first entry when `anyId`.
std::optional<uint32_t> directoryEntry(const std::vector<uint8_t> &file, size_t directory,
                                       uint16_t id, bool anyId) {
    Reader in{file, directory + 12, file.size()};
    const uint16_t named = in.u16();
    const uint16_t numbered = in.u16();
    for (uint32_t index = 0; index < uint32_t(named) + numbered && !in.failed; ++index) {
        const uint32_t name = in.u32();
        const uint32_t offset = in.u32();
        const bool isId = (name & 0x80000000u) == 0;
        if (!in.failed && (anyId || (isId && name == id)))
            return offset;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::vector<uint8_t>> findResourceInPeFile(const std::vector<uint8_t> &file,
                                                         uint16_t type, uint16_t id,
                                                         std::string *problem) {
    Reader in{file, 0x3C, file.size()};
    const uint32_t peOffset = in.u32();
    in.position = peOffset;
    if (in.failed || in.u32() != 0x00004550) {
        fail(problem, "not a PE image");
        return std::nullopt;
    }
    in.u16(); // machine
    const uint16_t sectionCount = in.u16();
    in.position += 12;
    const uint16_t optionalSize = in.u16();
    in.u16(); // characteristics
    const size_t optionalStart = in.position;
    const uint16_t magic = in.u16();
    // The data directories follow 96 bytes of the PE32 optional header, 112 of PE32+.
    const size_t directories = optionalStart + (magic == 0x20B ? 112 : 96);
    in.position = directories - 4;
    const uint32_t directoryCount = in.u32();
    if (directoryCount < 3) {
        fail(problem, "the image has no resource directory");
        return std::nullopt;
    }
    in.position = directories + 2 * 8;
    const uint32_t resourceRva = in.u32();
    in.u32();
    in.position = optionalStart + optionalSize;
    std::vector<Section> sections;
    for (uint16_t index = 0; index < sectionCount && !in.failed; ++index) {
        in.position += 8; // name
        Section section{};
        section.virtualSize = in.u32();
        section.virtualAddress = in.u32();
        section.rawSize = in.u32();
        section.rawOffset = in.u32();
        in.position += 16;
        sections.push_back(section);
    }
    if (in.failed || resourceRva == 0) {
        fail(problem, "the image's section table or resource directory is missing");
        return std::nullopt;
    }
    const auto root = fileOffsetOf(sections, resourceRva, 16);
    if (!root) {
        fail(problem, "the resource directory lies outside the image's sections");
        return std::nullopt;
    }
    // Three levels: type, name, language; the first two point to subdirectories.
    size_t directory = *root;
    const uint16_t wanted[2] = {type, id};
    for (uint16_t level = 0; level < 3; ++level) {
        const auto entry =
            directoryEntry(file, directory, level < 2 ? wanted[level] : 0, level == 2);
        const bool isDirectory = entry && (*entry & 0x80000000u) != 0;
        if (!entry || isDirectory != (level < 2) || (*entry & 0x7FFFFFFFu) > file.size() - *root) {
            fail(problem,
                 "no resource of type " + std::to_string(type) + " and id " + std::to_string(id));
            return std::nullopt;
        }
        directory = *root + (*entry & 0x7FFFFFFFu);
    }
    Reader data{file, directory, file.size()};
    const uint32_t dataRva = data.u32();
    const uint32_t dataSize = data.u32();
    const auto start = fileOffsetOf(sections, dataRva, dataSize);
    if (data.failed || !start) {
        fail(problem, "the resource's data lies outside the image's sections");
        return std::nullopt;
    }
    return std::vector<uint8_t>(file.begin() + *start, file.begin() + *start + dataSize);
}

} // namespace standin
