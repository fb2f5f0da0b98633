#include "svg_picture.h"

#include <algorithm>
#include <map>
#include <optional>
#include <regex>
#include <vector>

#include "dividers/expression_records.h"
#include "host/record_keys.h"
#include "layout/layout_records.h"

namespace standin {
namespace {

constexpr int64_t kPageGap = 288;
constexpr int64_t kLabelBand = 260;
constexpr int64_t kPixelsPerOrvuDivisor = 6; // the picture's width and height attributes
constexpr int32_t kFixedStaffLines = kFixedStaffHeight / kOrvuPerStaffLine;
constexpr int32_t kMaxDrawnLines = 100;
constexpr int64_t kMarkerRadius = 16;
constexpr int32_t kHighestSystem = 32767;

constexpr const char *kStaffColour = "#000";
constexpr const char *kMarginColour = "#bbb";
constexpr const char *kDividerColour = "#d00";
constexpr const char *kGuideColour = "#f77";
constexpr const char *kMarkerColour = "#07c";
constexpr const char *kLabelColour = "#555";

// Whole tenths of an ORVU as text, without locale or float formatting.
std::string tenths(int64_t value) {
    std::string sign = value < 0 ? "-" : "";
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : value;
    std::string text = sign + std::to_string(magnitude / 10);
    if (magnitude % 10 != 0)
        text += "." + std::to_string(magnitude % 10);
    return text;
}

int16_t field16(const Bytes &bytes, size_t offset) {
    return static_cast<int16_t>(readInt(bytes, offset, 2, true));
}
int32_t field32(const Bytes &bytes, size_t offset) { return readInt(bytes, offset, 4, true); }

// 32-bit products and quotients as the host computes them, without overflow in the picture.
int32_t wrap32(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }
int32_t scaled(int32_t value, int32_t percent) {
    return wrap32(static_cast<int64_t>(wrap32(static_cast<int64_t>(value) * percent)) / 100);
}

struct ListEntry {
    uint16_t staff;
    int32_t position;
};

// The document's records, indexed once.
struct Layout {
    std::vector<std::pair<int16_t, int16_t>> pages; // page number, firstSystem, in key order
    std::map<uint16_t, Bytes> systems;
    std::map<uint16_t, Bytes> staves;
    std::map<uint16_t, std::vector<ListEntry>> lists; // entries 0, 1, ... up to the first gap
    std::map<std::pair<uint16_t, uint16_t>, int32_t> staffPercents;
    std::map<uint16_t, Bytes> textBlocks;
    std::map<uint16_t, uint16_t> definitionTextBlocks; // first definition under each number

    explicit Layout(const RecordStore &store) {
        for (const auto &[key, bytes] : store.records(kPageRecordTag))
            if (key[1] == 0)
                pages.emplace_back(static_cast<int16_t>(key[0]), field16(bytes, 8));
        for (const auto &[key, bytes] : store.records(kSystemRecordTag))
            if (key[1] == 0)
                systems[key[0]] = bytes;
        for (const auto &[key, bytes] : store.records(kStaffRecordTag))
            if (key[1] == 0)
                staves[key[0]] = bytes;
        for (const auto &[key, bytes] : store.records(kStaffListEntryTag)) {
            auto &entries = lists[key[0]];
            if (entries.size() == key[1])
                entries.push_back({static_cast<uint16_t>(field16(bytes, 0)), field32(bytes, 8)});
        }
        for (const auto &[key, bytes] : store.records(kStaffScaleRecordTag))
            if (key[2] == 0)
                staffPercents[{key[0], key[1]}] = field32(bytes, 0);
        for (const auto &[key, bytes] : store.records(kTextBlockTag))
            textBlocks[key[0]] = bytes;
        for (const auto &[key, bytes] : store.records(kTextExpressionDefTag))
            definitionTextBlocks.emplace(key[0], static_cast<uint16_t>(field16(bytes, 0)));
    }
};

// The font size of a divider text, with or without ",8194" after the font name.
std::optional<int> dividerFontSize(const Bytes &stored) {
    static const std::regex kDividerText(
        R"(\^font\(EngraverFontSet(,8194)?\)\^size\((-?[0-9]{1,6})\)\^efx\(plain\))"
        "\xBB");
    const std::string text(stored.begin(), std::find(stored.begin(), stored.end(), '\0'));
    std::smatch match;
    if (!std::regex_match(text, match, kDividerText))
        return std::nullopt;
    return std::stoi(match[2].str());
}

class Picture {
  public:
    void line(int64_t x1, int64_t y1, int64_t x2, int64_t y2, const char *colour, int64_t width) {
        out_ += "<line x1=\"" + tenths(x1) + "\" y1=\"" + tenths(y1) + "\" x2=\"" + tenths(x2) +
                "\" y2=\"" + tenths(y2) + "\" stroke=\"" + colour + "\" stroke-width=\"" +
                tenths(width) + "\"/>\n";
    }
    void rect(int64_t x, int64_t y, int64_t w, int64_t h, const std::string &style) {
        out_ += "<rect x=\"" + tenths(x) + "\" y=\"" + tenths(y) + "\" width=\"" + tenths(w) +
                "\" height=\"" + tenths(h) + "\" " + style + "/>\n";
    }
    void circle(int64_t x, int64_t y, int64_t r, const char *colour) {
        out_ += "<circle cx=\"" + tenths(x) + "\" cy=\"" + tenths(y) + "\" r=\"" + tenths(r) +
                "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"8\"/>\n";
    }
    void text(int64_t x, int64_t y, int64_t size, const std::string &content, const char *anchor) {
        out_ += "<text x=\"" + tenths(x) + "\" y=\"" + tenths(y) + "\" font-size=\"" +
                tenths(size) + "\" text-anchor=\"" + anchor +
                "\" font-family=\"sans-serif\" fill=\"" + kLabelColour + "\">" + content +
                "</text>\n";
    }
    std::string &out() { return out_; }

  private:
    std::string out_;
};

// Where a page sits in the picture, in tenths: its top-left corner.
struct PageFrame {
    int64_t left;
    int64_t top;

    int64_t marginLeft() const { return left + kPictureMargin * 10; }
    int64_t marginRight() const { return left + (kPicturePageWidth - kPictureMargin) * 10; }
    // The host's vertical value v (ORVU, upward from the top margin) on the picture.
    int64_t y(int64_t vTenths) const { return top + kPictureMargin * 10 - vTenths; }
};

int64_t staffHeight(const Layout &layout, int32_t lines, uint16_t staffNumber, int32_t systemNumber,
                    uint16_t systemFlags) {
    int32_t height = wrap32(int64_t{lines} * kOrvuPerStaffLine);
    if ((systemFlags & kSystemStavesScaled) != 0) {
        auto percent =
            layout.staffPercents.find({static_cast<uint16_t>(systemNumber), staffNumber});
        if (percent != layout.staffPercents.end())
            height = scaled(height, percent->second);
    }
    return static_cast<int16_t>(height);
}

// Draws one system whose top staff line lies spaceAbove below runningY; returns its lower boundary.
int32_t drawSystem(Picture &picture, const Layout &layout, const PageFrame &frame,
                   int32_t systemNumber, const Bytes &system, int32_t runningY) {
    const int32_t top = wrap32(int64_t{runningY} + field16(system, 0));
    const int32_t spaceBelow = field16(system, 6);
    const uint16_t flags = static_cast<uint16_t>(readInt(system, 18, 2, false));
    const bool isScaled = (flags & kSystemScaled) != 0;
    const int32_t percent = isScaled ? field16(system, 16) : 100;
    const uint16_t listNumber = (flags & kSystemOwnStaffList) != 0 ? systemNumber : 0;
    auto list = layout.lists.find(listNumber);

    int32_t lastPos = 0;
    std::optional<int64_t> firstLine;
    int64_t lastBottom = 0;
    if (list != layout.lists.end()) {
        for (const ListEntry &entry : list->second) {
            auto staff = layout.staves.find(entry.staff);
            if (staff == layout.staves.end() ||
                (readInt(staff->second, 22, 2, false) & kStaffHidden))
                continue;
            lastPos = entry.position;
            const uint16_t lineMode = static_cast<uint16_t>(readInt(staff->second, 14, 2, false));
            const int32_t lines = lineMode != 0 ? kFixedStaffLines : field32(staff->second, 16);
            const int64_t height = staffHeight(layout, lines, entry.staff, systemNumber, flags);
            const int64_t staffTop =
                int64_t{top} * 10 + int64_t{entry.position} * 10 * percent / 100;
            const int64_t drawnHeight = height * 10 * percent / 100;
            for (int32_t k = 0; k < std::min(lines, kMaxDrawnLines); ++k) {
                const int64_t y = frame.y(staffTop - drawnHeight * k / lines);
                picture.line(frame.marginLeft(), y, frame.marginRight(), y, kStaffColour, 30);
            }
            if (!firstLine)
                firstLine = frame.y(staffTop);
            lastBottom = frame.y(staffTop - (lines > 0 ? drawnHeight * (lines - 1) / lines : 0));
        }
    }
    if (firstLine) {
        picture.line(frame.marginLeft(), *firstLine, frame.marginLeft(), lastBottom, kStaffColour,
                     60);
        picture.text(frame.marginLeft() - 200, *firstLine + 300, 700,
                     "S" + std::to_string(systemNumber), "end");
    }
    const int32_t below = wrap32(int64_t{spaceBelow} + lastPos);
    return wrap32(int64_t{top} + (isScaled ? scaled(below, percent) : below));
}

// The systems of one page: from its first system up to the first system of the next page that has
// systems, or while systems exist when no later page has any.
void drawPageSystems(Picture &picture, const Layout &layout, const PageFrame &frame,
                     size_t pageIndex) {
    const int16_t firstSystem = layout.pages[pageIndex].second;
    if (firstSystem <= 0)
        return;
    int32_t endSystem = kHighestSystem;
    for (size_t later = pageIndex + 1; later < layout.pages.size(); ++later) {
        const int16_t laterFirst = layout.pages[later].second;
        if (laterFirst == kPageWithoutSystems)
            continue;
        if (laterFirst > 0)
            endSystem = laterFirst - 1;
        break;
    }
    int32_t runningY = 0;
    for (int32_t number = firstSystem; number <= endSystem; ++number) {
        const auto system = layout.systems.find(static_cast<uint16_t>(number));
        if (system == layout.systems.end())
            break;
        runningY = drawSystem(picture, layout, frame, number, system->second, runningY);
    }
}

void drawAssignment(Picture &picture, const Layout &layout, const PageFrame &frame,
                    const Bytes &assignment) {
    const int64_t h = field16(assignment, 2);
    const int64_t v = field16(assignment, 4);
    const bool fromRight = field16(assignment, 10) == kRightMarginOriginFlags;
    const int64_t x = (fromRight ? frame.marginRight() : frame.marginLeft()) + h * 10;
    const int64_t y = frame.y(v * 10);

    std::optional<int> fontSize;
    auto definition =
        layout.definitionTextBlocks.find(static_cast<uint16_t>(field16(assignment, 0)));
    if (definition != layout.definitionTextBlocks.end()) {
        auto text = layout.textBlocks.find(definition->second);
        if (text != layout.textBlocks.end())
            fontSize = dividerFontSize(text->second);
    }
    if (!fontSize) {
        picture.circle(x, y, kMarkerRadius * 10, kMarkerColour);
        return;
    }
    // A faint guide across the page shows at a glance which gap the divider sits in.
    picture.line(frame.marginLeft(), y, frame.marginRight(), y, kGuideColour, 20);
    const int64_t em = std::clamp<int64_t>(*fontSize, 1, 400) * 4 * 10;
    for (int stroke = 0; stroke < 2; ++stroke) {
        const int64_t left = x + stroke * em / 3;
        picture.line(left, y + em / 2, left + em / 2, y - em / 2, kDividerColour, em / 9);
    }
}

} // namespace

std::string renderPagesSvg(const RecordStore &store) {
    const Layout layout(store);
    const int64_t pageCount = static_cast<int64_t>(layout.pages.size());
    const int64_t columns = std::max<int64_t>(1, std::min<int64_t>(kPictureColumns, pageCount));
    const int64_t rows = std::max<int64_t>(1, (pageCount + columns - 1) / columns);
    const int64_t cellWidth = kPicturePageWidth + kPageGap;
    const int64_t cellHeight = kLabelBand + kPicturePageHeight + kPageGap;
    const int64_t width = kPageGap + columns * cellWidth;
    const int64_t height = kPageGap + rows * cellHeight;

    Picture picture;
    picture.out() = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    std::to_string(width / kPixelsPerOrvuDivisor) + "\" height=\"" +
                    std::to_string(height / kPixelsPerOrvuDivisor) + "\" viewBox=\"0 0 " +
                    std::to_string(width) + " " + std::to_string(height) + "\">\n";
    picture.rect(0, 0, width * 10, height * 10, "fill=\"#eee\"");

    std::map<int16_t, PageFrame> frames;
    for (int64_t index = 0; index < pageCount; ++index) {
        const auto [page, firstSystem] = layout.pages[static_cast<size_t>(index)];
        const PageFrame frame{(kPageGap + (index % columns) * cellWidth) * 10,
                              (kPageGap + (index / columns) * cellHeight + kLabelBand) * 10};
        frames.emplace(page, frame);
        std::string label = "Page " + std::to_string(page);
        if (firstSystem == kPageWithoutSystems)
            label += " (no systems)";
        else if (firstSystem == kLayoutNotUpToDate)
            label += " (layout not up to date)";
        picture.text(frame.left, frame.top - 600, 1600, label, "start");
        picture.rect(frame.left, frame.top, kPicturePageWidth * 10, kPicturePageHeight * 10,
                     "fill=\"#fff\" stroke=\"#000\" stroke-width=\"12\"");
        picture.rect(frame.marginLeft(), frame.y(0), (kPicturePageWidth - 2 * kPictureMargin) * 10,
                     (kPicturePageHeight - 2 * kPictureMargin) * 10,
                     std::string("fill=\"none\" stroke=\"") + kMarginColour +
                         "\" stroke-width=\"6\" stroke-dasharray=\"30 20\"");
        drawPageSystems(picture, layout, frame, static_cast<size_t>(index));
    }
    for (const auto &[key, bytes] : store.records(kExpressionAssignmentTag)) {
        auto frame = frames.find(static_cast<int16_t>(key[0]));
        if (frame != frames.end())
            drawAssignment(picture, layout, frame->second, bytes);
    }
    picture.out() += "</svg>\n";
    return picture.out();
}

} // namespace standin
