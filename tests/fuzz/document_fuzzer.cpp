// Documents of any page, system, staff list, staff, scale and text records, of any size, through
// the placement with any settings, the two queries of the settings dialog, and the removal. Besides
// the sanitizers, each run checks what the module may write, and the removal of small documents
// against the nested walks it replaces.
#include <algorithm>
#include <map>
#include <string>

#include "core/host_state.h"
#include "core/record_store.h"
#include "dividers/divider_templates.h"
#include "dividers/placement.h"
#include "dividers/removal.h"
#include "document_builder.h"
#include "fuzz_support.h"
#include "host/record_keys.h"
#include "layout/geometry.h"
#include "native/windows_api.h"
#include "nested_walk_removal.h"
#include "settings/module_state.h"

namespace {

using docbuild::store;
using fuzzing::require;
using fuzzing::signedWord;
using fuzzing::word;
using standin::Bytes;
using standin::KeyWords;

// Page records x system records x (longest staff list + 1) bounds the placement's work: every page
// with systems may walk every system, and every pair walks two lists.
constexpr int64_t kWorkBudget = 20000;
constexpr size_t kMaxSingleRecords = 1500;
constexpr size_t kMaxRun = 1024;
constexpr size_t kFullList = 0x10000; // every index a key word holds
// What the runs add together: one full list and a few runs besides.
constexpr size_t kMaxRunRecords = kFullList + 4 * kMaxRun;
constexpr size_t kMaxTextBytes = 0x40000;
// Text records up to which the removal is compared with the nested walks, whose work is their
// product.
constexpr size_t kNestedLimit = 48;

std::string dividerText(int16_t size, bool with8194) {
    return std::string(with8194 ? "^font(EngraverFontSet,8194)" : "^font(EngraverFontSet)") +
           "^size(" + std::to_string(size) + ")^efx(plain)\xBB";
}

class DocumentBuilder {
  public:
    DocumentBuilder(FuzzedDataProvider &input, int16_t fontSize, int16_t removalSize)
        : input_(input), fontSize_(fontSize), removalSize_(removalSize) {}

    void build() {
        while (input_.remaining_bytes() > 0 && singles_ < kMaxSingleRecords) {
            switch (input_.ConsumeIntegralInRange<int>(0, 15)) {
            case 15:
                // Every index there is; rare, as building it costs a hundred ordinary inputs.
                if (input_.ConsumeIntegral<uint8_t>() == 0xA5)
                    addListRun(kFullList);
                break;
            case 13:
            case 14:
                addScore();
                break;
            case 0:
                addPage();
                break;
            case 1:
                addPageRun();
                break;
            case 2:
                addSystem();
                break;
            case 3:
                addSystemRun();
                break;
            case 4:
                addListEntry();
                break;
            case 5:
                addListRun(input_.ConsumeIntegralInRange<size_t>(1, kMaxRun));
                break;
            case 6:
                addStaff();
                break;
            case 7:
                addStaffScale();
                break;
            case 8:
                addTextBlock();
                break;
            case 9:
                addDefinition();
                break;
            case 10:
                addAssignment();
                break;
            case 11:
                addDocumentRecords();
                break;
            default:
                addRawRecord();
                break;
            }
        }
    }

  private:
    bool affordable(size_t morePages, size_t moreSystems, size_t listLength) const {
        const int64_t pages = static_cast<int64_t>(store().count(kPageRecordTag) + morePages);
        const int64_t systems = static_cast<int64_t>(store().count(kSystemRecordTag) + moreSystems);
        const int64_t longest = static_cast<int64_t>(std::max(longestList_, listLength));
        return pages * systems * (longest + 1) <= kWorkBudget;
    }

    // A plausible score to start from: pages from 1 with a few systems each, some without, and
    // one list of staves, with lists of their own and staff scales where the systems ask for them.
    void addScore() {
        const int pages = input_.ConsumeIntegralInRange<int>(1, 12);
        const int staves = input_.ConsumeIntegralInRange<int>(1, 8);
        const uint16_t flags = systemFlags();
        const int16_t percent =
            input_.ConsumeBool() ? 100 : input_.ConsumeIntegralInRange<int16_t>(25, 200);
        std::vector<int> systemsOnPage;
        int systems = 0;
        for (int page = 0; page < pages; ++page) {
            systemsOnPage.push_back(input_.ConsumeIntegralInRange<int>(0, 4));
            systems += systemsOnPage.back();
        }
        if (!affordable(static_cast<size_t>(pages), static_cast<size_t>(systems),
                        static_cast<size_t>(staves)))
            return;
        int system = 1;
        for (int page = 0; page < pages; ++page) {
            const int count = systemsOnPage[static_cast<size_t>(page)];
            store().put(kPageRecordTag, {static_cast<uint16_t>(page + 1), 0},
                        docbuild::pageRecord(static_cast<int16_t>(count == 0 ? -1 : system)));
            for (int i = 0; i < count; ++i, ++system) {
                const int16_t above =
                    static_cast<int16_t>(-input_.ConsumeIntegralInRange<int>(0, 600));
                const int16_t below =
                    static_cast<int16_t>(-input_.ConsumeIntegralInRange<int>(0, 400));
                store().put(kSystemRecordTag, {static_cast<uint16_t>(system), 0},
                            docbuild::systemRecord({above, below, percent, flags}));
            }
        }
        for (int list = 0; list <= ((flags & 0x4000) != 0 ? systems : 0); ++list) {
            for (int staff = 1; staff <= staves; ++staff)
                store().put(kStaffListEntryTag,
                            {static_cast<uint16_t>(list), static_cast<uint16_t>(staff - 1)},
                            docbuild::staffListEntryRecord(
                                {static_cast<int16_t>(staff), -300 * (staff - 1)}));
            noteList(static_cast<uint16_t>(list), static_cast<size_t>(staves));
        }
        for (int staff = 1; staff <= staves; ++staff) {
            const bool hidden = input_.ConsumeIntegralInRange<int>(0, 3) == 0;
            store().put(
                kStaffRecordTag, {static_cast<uint16_t>(staff), 0},
                docbuild::staffRecord({5, 0, hidden ? docbuild::kHiddenStaff : uint16_t{0}}));
            if ((flags & 0x0400) != 0)
                for (int scaled = 1; scaled < system; ++scaled)
                    store().put(kStaffScaleRecordTag,
                                {static_cast<uint16_t>(scaled), static_cast<uint16_t>(staff), 0},
                                docbuild::staffScaleRecord(75));
        }
    }

    bool takeRun(size_t count) {
        if (runRecords_ + count > kMaxRunRecords)
            return false;
        runRecords_ += count;
        return true;
    }

    // Most records get their own size; some are cut short or run long, as a faulty host's might.
    void put(uint32_t tag, const KeyWords &key, Bytes bytes) {
        if (input_.ConsumeIntegralInRange<int>(0, 15) == 0)
            bytes.resize(input_.ConsumeIntegralInRange<size_t>(0, 2 * bytes.size() + 4),
                         input_.ConsumeIntegral<uint8_t>());
        store().put(tag, key, std::move(bytes));
    }

    void addPage() {
        const uint16_t page = word(input_);
        const int16_t firstSystem = signedWord(input_);
        if (!affordable(1, 0, 0))
            return;
        ++singles_;
        put(kPageRecordTag, {page, 0}, docbuild::pageRecord(firstSystem));
    }

    // Consecutive pages: all without systems, or starting systems at a steady step.
    void addPageRun() {
        const uint16_t first = word(input_);
        const size_t count = input_.ConsumeIntegralInRange<size_t>(1, kMaxRun);
        const bool withoutSystems = input_.ConsumeBool();
        int32_t firstSystem = signedWord(input_);
        const int32_t step = input_.ConsumeIntegralInRange<int32_t>(-3, 8);
        if (!affordable(count, 0, 0) || !takeRun(count))
            return;
        for (size_t i = 0; i < count; ++i) {
            const int16_t value = withoutSystems ? -1 : static_cast<int16_t>(firstSystem);
            store().put(kPageRecordTag, {static_cast<uint16_t>(first + i), 0},
                        docbuild::pageRecord(value));
            firstSystem += step;
        }
    }

    uint16_t systemFlags() {
        static const uint16_t kFlags[] = {0,      0x0002, 0x0400, 0x4000,
                                          0x0402, 0x4002, 0x4400, 0x4402};
        return input_.ConsumeBool() ? input_.PickValueInArray(kFlags) : word(input_);
    }

    void addSystem() {
        const uint16_t number = word(input_);
        const int16_t spaceAbove = signedWord(input_);
        const int16_t spaceBelow = signedWord(input_);
        const int16_t percent = signedWord(input_);
        const uint16_t flags = systemFlags();
        if (!affordable(0, 1, 0))
            return;
        ++singles_;
        put(kSystemRecordTag, {number, 0},
            docbuild::systemRecord({spaceAbove, spaceBelow, percent, flags}));
    }

    void addSystemRun() {
        const uint16_t first = word(input_);
        const size_t count = input_.ConsumeIntegralInRange<size_t>(1, kMaxRun);
        const int16_t spaceAbove = signedWord(input_);
        const int16_t spaceBelow = signedWord(input_);
        const int16_t percent = signedWord(input_);
        const uint16_t flags = systemFlags();
        if (!affordable(0, count, 0) || !takeRun(count))
            return;
        for (size_t i = 0; i < count; ++i)
            store().put(kSystemRecordTag, {static_cast<uint16_t>(first + i), 0},
                        docbuild::systemRecord({spaceAbove, spaceBelow, percent, flags}));
    }

    void noteList(uint16_t list, size_t entries) {
        size_t &length = listLengths_[list];
        length += entries;
        longestList_ = std::max(longestList_, length);
    }

    void addListEntry() {
        const uint16_t list = word(input_);
        const uint16_t index = word(input_);
        const uint16_t staff = word(input_);
        const int32_t position = input_.ConsumeIntegral<int32_t>();
        if (!affordable(0, 0, listLengths_[list] + 1))
            return;
        ++singles_;
        noteList(list, 1);
        put(kStaffListEntryTag, {list, index},
            docbuild::staffListEntryRecord({static_cast<int16_t>(staff), position}));
    }

    // A list from index 0, up to every index there is: one staff throughout or one per entry.
    void addListRun(size_t count) {
        const uint16_t list = word(input_);
        const uint16_t staff = word(input_);
        const bool sameStaff = input_.ConsumeBool();
        const int32_t step = input_.ConsumeIntegralInRange<int32_t>(-400, 0);
        if (!affordable(0, 0, std::max(listLengths_[list], count)) || !takeRun(count))
            return;
        listLengths_[list] = 0;
        noteList(list, count);
        for (size_t i = 0; i < count; ++i)
            store().put(kStaffListEntryTag, {list, static_cast<uint16_t>(i)},
                        docbuild::staffListEntryRecord(
                            {static_cast<int16_t>(sameStaff ? staff : staff + i),
                             static_cast<int32_t>(step * static_cast<int64_t>(i))}));
    }

    void addStaff() {
        ++singles_;
        const uint16_t number = word(input_);
        const uint16_t lineMode = input_.ConsumeBool() ? uint16_t{0} : word(input_);
        const uint16_t flags = input_.ConsumeBool() ? uint16_t{0x0004} : word(input_);
        const int32_t lineCount = input_.ConsumeBool()
                                      ? input_.ConsumeIntegralInRange<int32_t>(0, 6)
                                      : input_.ConsumeIntegral<int32_t>();
        put(kStaffRecordTag, {number, 0}, docbuild::staffRecord({lineCount, lineMode, flags}));
    }

    void addStaffScale() {
        ++singles_;
        const KeyWords key = {word(input_), word(input_),
                              input_.ConsumeBool() ? uint16_t{0} : word(input_)};
        const int32_t percent = input_.ConsumeBool()
                                    ? input_.ConsumeIntegralInRange<int32_t>(-10, 400)
                                    : input_.ConsumeIntegral<int32_t>();
        put(kStaffScaleRecordTag, key, docbuild::staffScaleRecord(percent));
    }

    // Divider texts of the sizes in play, near misses of them, and text of any bytes and length.
    void addTextBlock() {
        ++singles_;
        const uint16_t number = word(input_);
        std::string text;
        switch (input_.ConsumeIntegralInRange<int>(0, 4)) {
        case 0:
        case 1: {
            const int16_t size = input_.ConsumeBool() ? removalSize_ : fontSize_;
            text =
                dividerText(input_.ConsumeBool() ? size : signedWord(input_), input_.ConsumeBool());
            if (input_.ConsumeBool())
                text += '\0';
            if (input_.ConsumeBool())
                text += input_.ConsumeRandomLengthString(16);
            if (input_.ConsumeBool() && !text.empty())
                text[input_.ConsumeIntegralInRange<size_t>(0, text.size() - 1)] =
                    input_.ConsumeIntegral<char>();
            break;
        }
        case 2:
            text = input_.ConsumeRandomLengthString(300);
            break;
        default: {
            const size_t length = input_.ConsumeIntegralInRange<size_t>(0, 0xFFFF);
            if (textBytes_ + length > kMaxTextBytes)
                return;
            text.assign(length, input_.ConsumeIntegral<char>());
            break;
        }
        }
        textBytes_ += text.size();
        store().put(kTextBlockTag, {number, 0}, Bytes(text.begin(), text.end()));
    }

    void addDefinition() {
        ++singles_;
        const KeyWords key = {word(input_), input_.ConsumeBool() ? uint16_t{0} : word(input_)};
        put(kTextExpressionDefTag, key, docbuild::expressionDefRecord(signedWord(input_)));
    }

    void addAssignment() {
        ++singles_;
        const KeyWords key = {word(input_), word(input_)};
        const uint16_t expression = word(input_);
        const uint16_t origin = word(input_);
        put(kExpressionAssignmentTag, key,
            docbuild::assignmentRecord(static_cast<int16_t>(key[0]),
                                       static_cast<int16_t>(expression), 0, 0,
                                       static_cast<int16_t>(origin)));
    }

    void addDocumentRecords() {
        ++singles_;
        if (input_.ConsumeBool()) {
            // Any unit code, and any bytes beyond it in the wider field the host keeps.
            const int32_t unit = input_.ConsumeIntegral<int32_t>();
            Bytes options = docbuild::documentOptionsRecord(static_cast<int16_t>(unit));
            standin::writeInt(options, 32, 2, unit >> 16);
            put(kDocumentOptionsRecordTag, {0, 0}, std::move(options));
        } else {
            put(kPartMarkRecordTag, {0xFFFE, 0}, docbuild::partMarkRecord(signedWord(input_)));
        }
    }

    // Any bytes under any key of a record kind the module reads.
    void addRawRecord() {
        static const uint32_t kTags[] = {kPageRecordTag,           kSystemRecordTag,
                                         kStaffListEntryTag,       kStaffRecordTag,
                                         kStaffScaleRecordTag,     kDocumentOptionsRecordTag,
                                         kExpressionAssignmentTag, kTextBlockTag,
                                         kTextExpressionDefTag,    kPartMarkRecordTag};
        const uint32_t tag = input_.PickValueInArray(kTags);
        if ((tag == kPageRecordTag && !affordable(1, 0, 0)) ||
            (tag == kSystemRecordTag && !affordable(0, 1, 0)))
            return;
        ++singles_;
        KeyWords key = {word(input_), word(input_)};
        if (tag == kStaffScaleRecordTag)
            key.push_back(word(input_));
        if (tag == kTextBlockTag)
            key[1] = 0; // text blocks go by number alone
        if (tag == kStaffListEntryTag) {
            if (!affordable(0, 0, listLengths_[key[0]] + 1))
                return;
            noteList(key[0], 1);
        }
        store().put(tag, key, input_.ConsumeBytes<uint8_t>(input_.ConsumeIntegralInRange(0, 80)));
    }

    FuzzedDataProvider &input_;
    int16_t fontSize_;
    int16_t removalSize_;
    size_t singles_ = 0;
    size_t runRecords_ = 0;
    size_t textBytes_ = 0;
    std::map<uint16_t, size_t> listLengths_;
    size_t longestList_ = 0;
};

int16_t readInt16(const Bytes &bytes, size_t offset) {
    return static_cast<int16_t>(standin::readInt(bytes, offset, 2, true));
}

// The records a plug-in may create and delete; the host refuses to change any other kind.
using TextRecords = std::map<std::pair<uint32_t, KeyWords>, Bytes>;

TextRecords textRecords() {
    TextRecords records;
    for (uint32_t tag : {kTextBlockTag, kTextExpressionDefTag, kExpressionAssignmentTag})
        for (auto &[key, bytes] : store().records(tag))
            records.emplace(std::make_pair(tag, key), std::move(bytes));
    return records;
}

// Placement writes only whole dividers of the settings' font size, each part on its own, and never
// touches a record it did not make.
void checkPlacement(const TextRecords &before, int32_t result) {
    require(result == 0 || result == 1, "placement answers 0 or 1");
    const auto &messages = standin::host().currentInvocation().messages;
    require(result == 0 || messages.empty(), "a placement that succeeds shows no message");
    require(messages.size() <= 1, "placement shows at most its one message");
    for (const auto &[address, bytes] : before) {
        const Bytes *after = store().find(address.first, address.second);
        require(after != nullptr && *after == bytes, "placement keeps every record it found");
    }
    const std::string text = dividerText(dividerSettings.fontSize, false) + '\0';
    std::map<uint16_t, bool> newBlocks;
    std::map<uint16_t, bool> newDefinitions;
    const TextRecords after = textRecords();
    // Blocks first, then the definitions that use them, then the assignments that place those.
    for (uint32_t kind : {kTextBlockTag, kTextExpressionDefTag, kExpressionAssignmentTag})
        for (const auto &[address, bytes] : after) {
            const auto &[tag, key] = address;
            if (tag != kind || before.count(address) != 0)
                continue;
            if (tag == kTextBlockTag) {
                require(std::string(bytes.begin(), bytes.end()) == text,
                        "a new block holds the text");
                newBlocks[key[0]] = true;
            } else if (tag == kTextExpressionDefTag) {
                require(bytes == docbuild::expressionDefRecord(readInt16(bytes, 0)),
                        "a new definition is the divider's");
                require(newBlocks.count(static_cast<uint16_t>(readInt16(bytes, 0))) == 1,
                        "a new definition uses a new block");
                newDefinitions[key[0]] = true;
            } else {
                require(bytes.size() == 24, "an assignment is 24 bytes");
                const int16_t page = readInt16(bytes, 6);
                require(dividerSettings.firstPage <= page && page <= dividerSettings.lastPage,
                        "dividers go on pages of the range");
                require(readInt16(bytes, 8) == page, "an assignment names its page twice");
                // A creation key cannot name page -1: its word 0xFFFF asks the host for a number.
                // The settings dialog never lets a range reach it.
                require(page == -1 || key[0] == static_cast<uint16_t>(page),
                        "an assignment is keyed by its page");
                const int16_t origin = readInt16(bytes, 10);
                require(origin == 0 || origin == 0x14,
                        "the origin is the default or the right margin");
                const int16_t expectedH = origin == 0
                                              ? dividerSettings.hAdjust
                                              : static_cast<int16_t>(-dividerSettings.hAdjust);
                require(readInt16(bytes, 2) == expectedH,
                        "the horizontal position is the adjustment");
                require(newDefinitions.count(static_cast<uint16_t>(readInt16(bytes, 0))) == 1,
                        "a new assignment places a new definition");
                for (size_t i = 12; i < 24; ++i)
                    require(bytes[i] == 0, "an assignment's tail is zero");
            }
        }
}

void checkQueries() {
    int32_t pages = 0;
    while (pages < INT16_MAX &&
           store().find(kPageRecordTag, {static_cast<uint16_t>(pages + 1), 0}) != nullptr)
        ++pages;
    require(countPages() == pages, "the page count is the run of pages from page 1");
    const Bytes *options = store().find(kDocumentOptionsRecordTag, {0, 0});
    const int16_t unit =
        options == nullptr ? 1 : static_cast<int16_t>(standin::readInt(*options, 30, 2, false));
    require(documentMeasurementUnit() == unit, "the unit is the options record's");
}

bool smallTextRecords() {
    return store().count(kTextBlockTag) <= kNestedLimit &&
           store().count(kTextExpressionDefTag) <= kNestedLimit &&
           store().count(kExpressionAssignmentTag) <= kNestedLimit;
}

void checkRemoval(int16_t firstPage, int16_t lastPage, int16_t size) {
    const TextRecords before = textRecords();
    const RemovalResult result = removeDividers(firstPage, lastPage, size);
    const int32_t removed = result.erased;
    require(removed >= 0 && removed <= result.found, "the removal counts what it found and erased");
    const TextRecords after = textRecords();
    size_t gone = 0;
    for (const auto &[address, bytes] : before) {
        const auto kept = after.find(address);
        if (kept != after.end()) {
            require(kept->second == bytes, "the removal changes no record");
            continue;
        }
        require(address.first == kExpressionAssignmentTag, "the removal deletes only assignments");
        const uint16_t page = address.second[0];
        require(static_cast<uint16_t>(firstPage) <= page && page <= static_cast<uint16_t>(lastPage),
                "the removal keeps to the page range");
        ++gone;
    }
    require(static_cast<int64_t>(gone) == removed, "the count is the deletions made");
    require(after.size() + gone == before.size(), "the removal adds nothing");
    if (!smallTextRecords())
        return;
    // The nested walks on the document as it was.
    for (const auto &[address, bytes] : before)
        if (after.count(address) == 0)
            store().put(address.first, address.second, bytes);
    const int32_t nested = nestedwalk::removeDividers(firstPage, lastPage, size);
    require(nested == removed, "the removal counts what the nested walks count");
    require(textRecords() == after, "the removal deletes what the nested walks delete");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzedDataProvider input(data, size);
    resetModuleState();
    standin::resetHost();
    buildDividerTemplates();

    DividerSettings &settings = dividerSettings;
    // Most often a range over the first pages, where a plausible score has its systems.
    settings.firstPage =
        input.ConsumeBool() ? input.ConsumeIntegralInRange<int16_t>(-1, 3) : signedWord(input);
    settings.lastPage =
        input.ConsumeBool() ? input.ConsumeIntegralInRange<int16_t>(0, 16) : signedWord(input);
    settings.hAdjust = signedWord(input);
    settings.vAdjust = signedWord(input);
    settings.fontSize = input.ConsumeBool() ? 14 : signedWord(input);
    settings.vPositionMode = signedWord(input);
    settings.rightMarginOrigin = signedWord(input);
    const int16_t removalFirst =
        input.ConsumeBool() ? input.ConsumeIntegralInRange<int16_t>(0, 3) : signedWord(input);
    const int16_t removalLast =
        input.ConsumeBool() ? input.ConsumeIntegralInRange<int16_t>(0, 16) : signedWord(input);
    const int16_t removalSize = input.ConsumeBool() ? settings.fontSize : signedWord(input);

    DocumentBuilder(input, settings.fontSize, removalSize).build();

    standin::beginInvocation({});
    const TextRecords before = textRecords();
    checkPlacement(before, placeDividers(standin::hostMainWindow(), dividerSettings));
    checkQueries();
    checkRemoval(removalFirst, removalLast, removalSize);
    // Everything the run allocated goes with it, so that the fuzzer sees no leak to chase.
    standin::resetHost();
    return 0;
}
