// Compiled dialog templates read back from a resource file (.res), in both the short
// (DLGTEMPLATE) and the extended (DLGTEMPLATEEX) form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace standin {

// What the dialog and each of its controls have as windows: styles and a rectangle in dialog units.
struct TemplateWindow {
    uint32_t helpId = 0; // the extended form only
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
};

// One control of a template. Predefined classes given as atoms come back by name ("BUTTON").
struct DialogItem : TemplateWindow {
    uint32_t id = 0; // 16 bits in the short form
    std::string className;
    bool classIsAtom = false;
    std::string text; // empty when the text is an ordinal
    bool textIsOrdinal = false;
    uint16_t textOrdinal = 0;
    std::vector<uint8_t> creationData;
};

struct DialogTemplate : TemplateWindow {
    bool extended = false;
    std::string menu;        // empty: none; "#N" for an ordinal
    std::string windowClass; // empty: the dialog class; "#N" for an ordinal
    std::string caption;
    uint16_t pointSize = 0; // the font's fields are read when DS_SETFONT (or DS_SHELLFONT) is set
    uint16_t weight = 0;
    uint8_t italic = 0;
    uint8_t charset = 0;
    std::string typeface;
    std::vector<DialogItem> items;
};

// Reads one template; nothing when the bytes are short or malformed, with the reason in `problem`.
// Texts are UTF-16 in the template; characters up to U+00FF come back as one byte each.
std::optional<DialogTemplate> parseDialogTemplate(const std::vector<uint8_t> &bytes,
                                                  std::string *problem = nullptr);

// The data of the resource of a numeric type and id (any language) in a .res file.
std::optional<std::vector<uint8_t>> findResourceInResFile(const std::vector<uint8_t> &file,
                                                          uint16_t type, uint16_t id,
                                                          std::string *problem = nullptr);

constexpr uint16_t kDialogResourceType = 5; // RT_DIALOG

} // namespace standin
