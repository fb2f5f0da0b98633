#include "dividers/removal.h"

#include <cstring>
#include <exception>
#include <limits>
#include <map>
#include <vector>

#include "dividers/divider_templates.h"
#include "dividers/expression_records.h"
#include "dividers/removal_messages.h"
#include "host/host_services.h"
#include "host/record_keys.h"
#include "shell/show_message.h"

// A removal must give the result of walking every definition for each divider text block and every
// assignment for each such definition, but without that product of walks: each record kind is
// walked once, and the index built on the way replays the nested order exactly. Its memory grows
// with the records it keeps, not with the range of key numbers.

namespace {

constexpr RecordKey kFirstAssignmentKey = {1, 0};
// Head of a number's list while nothing is linked to it yet.
constexpr int32_t kNoLink = -1;

struct ComparisonTexts {
    char plain[kDividerTextCapacity];
    char with8194[kDividerTextCapacity];
};

struct DefinitionLink {
    uint16_t definition;
    int32_t next;
};

struct AssignmentLink {
    RecordKey key;
    int32_t next;
    bool deleted; // a key reached twice (two definitions share a number) is deleted once
};

// What the three walks gather. Every link goes in front of its number's list, so that a list read
// from its head gives the walk order backwards: the order in which the deletions go.
struct RemovalIndex {
    // A block number met twice (under two sub-indices) is listed twice, as the nested walks visit
    // its definitions twice.
    std::vector<uint16_t> dividerBlocks;
    std::map<uint16_t, int32_t> definitionsOfBlock;      // list heads of the wanted blocks only
    std::map<uint16_t, int32_t> assignmentsOfDefinition; // and of their definitions
    std::vector<DefinitionLink> definitions;
    std::vector<AssignmentLink> assignments; // in range only
};

struct PageRange {
    uint16_t first;
    uint16_t last;
    bool holds(uint16_t page) const { return first <= page && page <= last; }
};

bool isDividerText(const char *text, const ComparisonTexts &texts) {
    return std::strcmp(text, texts.plain) == 0 || std::strcmp(text, texts.with8194) == 0;
}

// Loads a block's text, ended by a NUL after its bytes; false when the host cannot give it, which
// skips the block. A buffer that cannot be had ends the removal as out of memory.
bool loadBlockText(RecordKey key, int32_t length, std::vector<char> &text) {
    if (length < 0)
        return false;
    text.assign(static_cast<size_t>(length) + 1, '\0');
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
        index.definitionsOfBlock.emplace(block, kNoLink);
    RecordKey key = {0, 0};
    TextExpressionDef definition = {};
    while (hostSucceeded(
        OX_NextEData(kTextExpressionDefTag, &key, &definition, kTextExpressionDefSize))) {
        const auto wanted =
            index.definitionsOfBlock.find(static_cast<uint16_t>(definition.textBlockNumber));
        if (wanted != index.definitionsOfBlock.end()) {
            const auto number = static_cast<uint16_t>(key.number);
            index.definitions.push_back({number, wanted->second});
            wanted->second = static_cast<int32_t>(index.definitions.size() - 1);
            index.assignmentsOfDefinition.emplace(number, kNoLink);
        }
        // A short record must not inherit the previous one's bytes.
        definition = TextExpressionDef{};
    }
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
        const auto wanted =
            index.assignmentsOfDefinition.find(static_cast<uint16_t>(assignment.expressionNumber));
        if (wanted != index.assignmentsOfDefinition.end() &&
            range.holds(static_cast<uint16_t>(key.number))) {
            index.assignments.push_back({key, wanted->second, false});
            wanted->second = static_cast<int32_t>(index.assignments.size() - 1);
        }
        assignment = ExpressionAssignment{};
        found = hostSucceeded(
            OX_NextEData(kExpressionAssignmentTag, &key, &assignment, kExpressionAssignmentSize));
    }
}

int32_t clamped32(size_t count) {
    return count > static_cast<size_t>(std::numeric_limits<int32_t>::max())
               ? std::numeric_limits<int32_t>::max()
               : static_cast<int32_t>(count);
}

// The last collected key goes first; a key reached again later is not deleted again. Only the
// deletions the host confirms count.
size_t deleteCollected(RemovalIndex &index) {
    size_t erased = 0;
    for (auto block = index.dividerBlocks.rbegin(); block != index.dividerBlocks.rend(); ++block) {
        for (int32_t definition = index.definitionsOfBlock.at(*block); definition >= 0;
             definition = index.definitions[static_cast<size_t>(definition)].next) {
            const uint16_t number = index.definitions[static_cast<size_t>(definition)].definition;
            for (int32_t link = index.assignmentsOfDefinition.at(number); link >= 0;
                 link = index.assignments[static_cast<size_t>(link)].next) {
                AssignmentLink &assignment = index.assignments[static_cast<size_t>(link)];
                if (assignment.deleted)
                    continue;
                assignment.deleted = true;
                RecordKey doomed = assignment.key;
                if (hostSucceeded(OX_DeleteEData(kExpressionAssignmentTag, &doomed)))
                    ++erased;
            }
        }
    }
    return erased;
}

void reportDividersRemoved(HWND owner, int32_t count) {
    char text[kDividersRemovedTextCapacity];
    wsprintfA(text, kDividersRemovedFormat, static_cast<int>(count));
    showMessage(owner, text, kDividersRemovedCaption, kDividersRemovedStyle);
}

void reportNoDividersFound(HWND owner) {
    showMessage(owner, kNoDividersFoundText, kNoDividersFoundCaption, kNoDividersFoundStyle);
}

} // namespace

RemovalResult removeDividers(int16_t firstPage, int16_t lastPage, int16_t fontSize) {
    ComparisonTexts texts;
    formatDividerText(texts.plain, dividerTemplate, fontSize);
    formatDividerText(texts.with8194, dividerTemplate8194, fontSize);
    const PageRange range = {static_cast<uint16_t>(firstPage), static_cast<uint16_t>(lastPage)};

    RemovalResult result;
    RemovalIndex index;
    try {
        findDividerBlocks(texts, index);
        if (index.dividerBlocks.empty())
            return result;
        findDefinitions(index);
        findAssignments(range, index);
    } catch (const std::exception &) {
        // The index could not be held: nothing is deleted.
        result.outOfMemory = true;
        return result;
    }
    result.found = clamped32(index.assignments.size());
    result.erased = clamped32(deleteCollected(index));
    return result;
}

bool confirmRemoval(HWND owner) {
    return showMessage(owner, kConfirmRemovalText, kConfirmRemovalCaption, kConfirmRemovalStyle) ==
           IDYES;
}

bool reportRemoval(HWND owner, const RemovalResult &result) {
    if (result.outOfMemory) {
        showMessage(owner, kRemovalOutOfMemoryText, kNotDeletedCaption, kErrorBoxStyle);
        return false;
    }
    if (result.found == 0) {
        reportNoDividersFound(owner);
        return false;
    }
    if (result.erased == 0) {
        showMessage(owner, kNotErasedText, kNotDeletedCaption, kErrorBoxStyle);
        return false;
    }
    reportDividersRemoved(owner, result.erased);
    return true;
}
