#include "dialog_template.h"

namespace standin {

namespace {

constexpr uint32_t kSetFont = 0x40;   // DS_SETFONT
constexpr uint32_t kShellFont = 0x48; // DS_SHELLFONT: DS_SETFONT | DS_FIXEDSYS
constexpr uint16_t kOrdinalMark = 0xFFFF;

// Little-endian reads that refuse to run past the end of the bytes.
struct Reader {
    const std::vector<uint8_t> &bytes;
    size_t position = 0;
    bool failed = false;

    bool has(size_t count) {
        if (failed || position > bytes.size() || bytes.size() - position < count)
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
    // Templates align their items, and resource files their headers, to four bytes.
    void align() {
        position = (position + 3) / 4 * 4;
        failed = failed || position > bytes.size();
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

// The styles come first, in each form's order; the header puts its control count between them
// and the rectangle.
void readStyles(Reader &in, bool extended, TemplateWindow &box) {
    if (extended) {
        box.helpId = in.u32();
        box.exStyle = in.u32();
        box.style = in.u32();
    } else {
        box.style = in.u32();
        box.exStyle = in.u32();
    }
}

void readRectangle(Reader &in, TemplateWindow &box) {
    box.x = in.i16();
    box.y = in.i16();
    box.cx = in.i16();
    box.cy = in.i16();
}

bool readItem(Reader &in, bool extended, DialogItem &item) {
    in.align();
    readStyles(in, extended, item);
    readRectangle(in, item);
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
    Reader in{bytes};
    DialogTemplate dialog;
    dialog.extended =
        bytes.size() >= 4 && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    in.position = dialog.extended ? 4 : 0;
    readStyles(in, dialog.extended, dialog);
    const uint16_t itemCount = in.u16();
    readRectangle(in, dialog);
    dialog.menu = in.stringOrOrdinal();
    dialog.windowClass = in.stringOrOrdinal();
    dialog.caption = in.utf16String();
    if ((dialog.style & kSetFont) != 0 || (dialog.style & kShellFont) == kShellFont) {
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
        if (!readItem(in, dialog.extended, item)) {
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
    Reader in{file};
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
        in.align();
        if (in.failed)
            break;
    }
    fail(problem, "no resource of type " + std::to_string(type) + " and id " + std::to_string(id));
    return std::nullopt;
}

} // namespace standin
