#include "dividers/removal.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <limits>
#include <vector>

#include "dividers/divider_templates.h"
#include "dividers/expression_records.h"
#include "dividers/removal_messages.h"
#include "host/host_services.h"
#include "host/record_keys.h"
#include "layout/layout_records.h"
#include "shell/show_message.h"

// A removal must give the result of walking every definition for each divider text block and every
// assignment for each such definition, but without that product of walks: each record kind is
// walked once, and the index built on the way replays the nested order exactly.

namespace {

constexpr RecordKey kFirstAssignmentKey = {1, 0};
constexpr size_t kKeyWordValues = 0x10000;

struct ComparisonTexts {
    char plain[kDividerTextCapacity];
    char with8194[kDividerTextCapacity];
};

struct DefinitionLink {
    uint16_t block;
    uint16_t definition;
};

struct AssignmentLink {
    uint16_t definition;
    RecordKey key;
};

// What the three walks gather. Each list keeps walk order among equal owners (stable sorts), so
// that for a block its definitions come in key order, and for a definition its assignments.
struct RemovalIndex {
    // A block number met twice (under two sub-indices) is listed twice, as the nested walks visit
    // its definitions twice.
    std::vector<uint16_t> dividerBlocks;
    std::vector<bool> isDividerBlock;
    std::vector<bool> isWantedDefinition;
    std::vector<DefinitionLink> definitions; // sorted by block
    std::vector<AssignmentLink> assignments; // sorted by definition, in range only
};

struct PageRange {
    uint16_t first;
    uint16_t last;
    bool holds(uint16_t page) const { return first <= page && page <= last; }
};

bool isDividerText(const char *text, const ComparisonTexts &texts) {
    return std::strcmp(text, texts.plain) == 0 || std::strcmp(text, texts.with8194) == 0;
}

// Loads a block's text, ended by a NUL after its bytes; false when the buffer or the text cannot
// be had, which skips the block.
bool loadBlockText(RecordKey key, int32_t length, std::vector<char> &text) {
    if (length < 0)
        return false;
    try {
        text.assign(static_cast<size_t>(length) + 1, '\0');
    } catch (const std::exception &) {
        return false;
    }
    int32_t size = length;
    if (!hostSucceeded(OX_LoadEData(kTextBlockTag, &key, text.data(), &size)))
        return false;
    text[static_cast<size_t>(length)] = '\0';
    return true;
}

void findDividerBlocks(const ComparisonTexts &texts, RemovalIndex &index) {
    RecordKey key = {0, 0};
    std::vector<char> text;
    while (hostSucceeded(OX_NextEData(kTextBlockTag, &key, nullptr, 0))) {
        int32_t length = 0;
        // Without a length the walk cannot go on; what was found so far still counts.
        if (!hostSucceeded(OX_LoadEData(kTextBlockTag, &key, nullptr, &length)))
            return;
        if (!loadBlockText(key, length, text))
            continue;
        if (isDividerText(text.data(), texts))
            index.dividerBlocks.push_back(static_cast<uint16_t>(key.number));
    }
}

void findDefinitions(RemovalIndex &index) {
    index.isDividerBlock.assign(kKeyWordValues, false);
    index.isWantedDefinition.assign(kKeyWordValues, false);
    for (uint16_t block : index.dividerBlocks)
        index.isDividerBlock[block] = true;
    RecordKey key = {0, 0};
    TextExpressionDef definition = {};
    while (hostSucceeded(
        OX_NextEData(kTextExpressionDefTag, &key, &definition, kTextExpressionDefSize))) {
        const auto block = static_cast<uint16_t>(definition.textBlockNumber);
        if (index.isDividerBlock[block]) {
            index.definitions.push_back({block, static_cast<uint16_t>(key.number)});
            index.isWantedDefinition[static_cast<uint16_t>(key.number)] = true;
        }
        // A short record must not inherit the previous one's bytes.
        definition = TextExpressionDef{};
    }
    std::stable_sort(
        index.definitions.begin(), index.definitions.end(),
        [](const DefinitionLink &a, const DefinitionLink &b) { return a.block < b.block; });
}

// Page 0 lies before the first key visited and is never seen.
void findAssignments(PageRange range, RemovalIndex &index) {
    if (index.definitions.empty())
        return;
    RecordKey key = kFirstAssignmentKey;
    ExpressionAssignment assignment = {};
    int32_t size = kExpressionAssignmentSize;
    bool found = hostSucceeded(OX_LoadEData(kExpressionAssignmentTag, &key, &assignment, &size));
    if (!found)
        found = hostSucceeded(
            OX_NextEData(kExpressionAssignmentTag, &key, &assignment, kExpressionAssignmentSize));
    while (found) {
        const auto definition = static_cast<uint16_t>(assignment.expressionNumber);
        if (range.holds(static_cast<uint16_t>(key.number)) && index.isWantedDefinition[definition])
            index.assignments.push_back({definition, key});
        assignment = ExpressionAssignment{};
        found = hostSucceeded(
            OX_NextEData(kExpressionAssignmentTag, &key, &assignment, kExpressionAssignmentSize));
    }
    std::stable_sort(index.assignments.begin(), index.assignments.end(),
                     [](const AssignmentLink &a, const AssignmentLink &b) {
                         return a.definition < b.definition;
                     });
}

// Replays the collection backwards: the last collected key goes first. Keys collected twice are
// deleted twice and counted twice, as the nested walks would.
int64_t deleteCollected(const RemovalIndex &index) {
    int64_t count = 0;
    for (auto block = index.dividerBlocks.rbegin(); block != index.dividerBlocks.rend(); ++block) {
        const auto definitions = std::equal_range(
            index.definitions.begin(), index.definitions.end(), DefinitionLink{*block, 0},
            [](const DefinitionLink &a, const DefinitionLink &b) { return a.block < b.block; });
        for (auto definition = definitions.second; definition != definitions.first;) {
            --definition;
            const auto keys =
                std::equal_range(index.assignments.begin(), index.assignments.end(),
                                 AssignmentLink{definition->definition, {0, 0}},
                                 [](const AssignmentLink &a, const AssignmentLink &b) {
                                     return a.definition < b.definition;
                                 });
            for (auto key = keys.second; key != keys.first;) {
                --key;
                RecordKey doomed = key->key;
                OX_DeleteEData(kExpressionAssignmentTag, &doomed);
                ++count;
            }
        }
    }
    return count;
}

} // namespace

int32_t removeDividers(int16_t firstPage, int16_t lastPage, int16_t fontSize) {
    ComparisonTexts texts;
    formatDividerText(texts.plain, dividerTemplate, fontSize);
    formatDividerText(texts.with8194, dividerTemplate8194, fontSize);
    const PageRange range = {static_cast<uint16_t>(firstPage), static_cast<uint16_t>(lastPage)};

    RemovalIndex index;
    try {
        findDividerBlocks(texts, index);
        if (index.dividerBlocks.empty())
            return 0;
        findDefinitions(index);
        findAssignments(range, index);
    } catch (const std::exception &) {
        // The index could not be held: nothing is deleted.
        return 0;
    }
    const int64_t count = deleteCollected(index);
    return count > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                       : static_cast<int32_t>(count);
}

int32_t confirmRemoval(HWND owner) {
    const int32_t button =
        showMessage(owner, kConfirmRemovalText, kConfirmRemovalCaption, kConfirmRemovalStyle);
    return button == IDYES ? 1 : 0;
}

void reportDividersRemoved(HWND owner, int32_t count) {
    char text[kDividersRemovedTextCapacity];
    wsprintfA(text, kDividersRemovedFormat, static_cast<int>(count));
    showMessage(owner, text, kDividersRemovedCaption, kDividersRemovedStyle);
}

void reportNoDividersFound(HWND owner) {
    showMessage(owner, kNoDividersFoundText, kNoDividersFoundCaption, kNoDividersFoundStyle);
}
