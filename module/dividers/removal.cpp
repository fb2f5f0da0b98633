#include "dividers/removal.h"

#include <cstring>
#include <exception>
#include <limits>
#include <unordered_map>
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

struct ComparisonTexts {
    char plain[kDividerTextCapacity];
    char with8194[kDividerTextCapacity];
};

// What the three walks gather, all in the order the nested walks would meet it.
struct RemovalIndex {
    // Divider text block numbers in walk order; a number met twice (under two sub-indices) twice.
    std::vector<uint16_t> dividerBlocks;
    // For each divider block number, the numbers of the definitions referring to it, in key order.
    std::unordered_map<uint16_t, std::vector<uint16_t>> definitionsOfBlock;
    // For each of those definition numbers, the keys of its assignments in range, in key order.
    std::unordered_map<uint16_t, std::vector<RecordKey>> assignmentsOfDefinition;
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
    for (uint16_t block : index.dividerBlocks)
        index.definitionsOfBlock[block];
    RecordKey key = {0, 0};
    TextExpressionDef definition = {};
    while (hostSucceeded(
        OX_NextEData(kTextExpressionDefTag, &key, &definition, kTextExpressionDefSize))) {
        auto found =
            index.definitionsOfBlock.find(static_cast<uint16_t>(definition.textBlockNumber));
        if (found != index.definitionsOfBlock.end())
            found->second.push_back(static_cast<uint16_t>(key.number));
        // A short record must not inherit the previous one's bytes.
        definition = TextExpressionDef{};
    }
}

// Page 0 lies before the first key visited and is never seen.
void findAssignments(PageRange range, RemovalIndex &index) {
    for (const auto &entry : index.definitionsOfBlock)
        for (uint16_t definition : entry.second)
            index.assignmentsOfDefinition[definition];
    if (index.assignmentsOfDefinition.empty())
        return;
    RecordKey key = kFirstAssignmentKey;
    ExpressionAssignment assignment = {};
    int32_t size = kExpressionAssignmentSize;
    bool found = hostSucceeded(OX_LoadEData(kExpressionAssignmentTag, &key, &assignment, &size));
    if (!found)
        found = hostSucceeded(
            OX_NextEData(kExpressionAssignmentTag, &key, &assignment, kExpressionAssignmentSize));
    while (found) {
        if (range.holds(static_cast<uint16_t>(key.number))) {
            auto keys = index.assignmentsOfDefinition.find(
                static_cast<uint16_t>(assignment.expressionNumber));
            if (keys != index.assignmentsOfDefinition.end())
                keys->second.push_back(key);
        }
        assignment = ExpressionAssignment{};
        found = hostSucceeded(
            OX_NextEData(kExpressionAssignmentTag, &key, &assignment, kExpressionAssignmentSize));
    }
}

// Replays the collection backwards: the last collected key goes first. Keys collected twice are
// deleted twice and counted twice, as the nested walks would.
int64_t deleteCollected(const RemovalIndex &index) {
    int64_t count = 0;
    for (auto block = index.dividerBlocks.rbegin(); block != index.dividerBlocks.rend(); ++block) {
        const auto definitions = index.definitionsOfBlock.find(*block);
        if (definitions == index.definitionsOfBlock.end())
            continue;
        for (auto definition = definitions->second.rbegin();
             definition != definitions->second.rend(); ++definition) {
            const auto keys = index.assignmentsOfDefinition.find(*definition);
            if (keys == index.assignmentsOfDefinition.end())
                continue;
            for (auto key = keys->second.rbegin(); key != keys->second.rend(); ++key) {
                RecordKey doomed = *key;
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
