#include "dividers/removal.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "dividers/divider_templates.h"
#include "dividers/expression_records.h"
#include "dividers/removal_messages.h"
#include "host/host_services.h"
#include "host/record_keys.h"
#include "shell/show_message.h"

// A removal must give the result of walking every definition for each divider text block and every
// assignment for each such definition, but without that product of walks: each record kind is
// walked once, and the index built on the way replays the nested order exactly. Its memory grows
// with the records it keeps, not with the range of key numbers, and comes from the process heap
// with every allocation checked: nothing in a removal can throw.

namespace {

constexpr RecordKey kFirstAssignmentKey = {1, 0};
// Head of a number's list while nothing is linked to it yet.
constexpr int32_t kNoLink = -1;
// Every divider text is far shorter than its buffer, so a block whose first kTextLoadLimit bytes
// hold no NUL is no divider: comparing only those bytes gives the whole text's answer.
constexpr int32_t kTextLoadLimit = static_cast<int32_t>(kDividerTextCapacity) - 1;

struct ComparisonTexts {
    char plain[kDividerTextCapacity];
    char with8194[kDividerTextCapacity];
};

// A list on the process heap that grows by doubling. It holds plain records only, so that a
// reallocation may move them.
template <typename T> class WorkingList {
    static_assert(std::is_trivially_copyable<T>::value, "records moved by the heap");

  public:
    WorkingList() = default;
    WorkingList(const WorkingList &) = delete;
    WorkingList &operator=(const WorkingList &) = delete;
    ~WorkingList() {
        if (items_ != nullptr)
            HeapFree(GetProcessHeap(), 0, items_);
    }

    // False when the heap has no room for it; the list keeps what it held.
    bool append(const T &item) {
        if (count_ == capacity_ && !grow())
            return false;
        items_[count_++] = item;
        return true;
    }
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    T &operator[](size_t index) { return items_[index]; }
    T *begin() { return items_; }
    T *end() { return items_ + count_; }
    void truncate(size_t count) { count_ = count < count_ ? count : count_; }

  private:
    static constexpr size_t kFirstCapacity = 16;
    // The byte size of a doubled list must still fit in size_t.
    static constexpr size_t kCapacityLimit = SIZE_MAX / 2 / sizeof(T);

    bool grow() {
        const size_t capacity = capacity_ == 0 ? kFirstCapacity : capacity_ * 2;
        if (capacity > kCapacityLimit)
            return false;
        const size_t bytes = capacity * sizeof(T);
        void *moved = items_ == nullptr ? HeapAlloc(GetProcessHeap(), 0, bytes)
                                        : HeapReAlloc(GetProcessHeap(), 0, items_, bytes);
        if (moved == nullptr)
            return false;
        items_ = static_cast<T *>(moved);
        capacity_ = capacity;
        return true;
    }

    T *items_ = nullptr;
    size_t count_ = 0;
    size_t capacity_ = 0;
};

// A key number and the head of its list, kept sorted by number for a binary search.
struct ListHead {
    uint16_t number;
    int32_t head;
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
    WorkingList<uint16_t> dividerBlocks;
    WorkingList<ListHead> definitionsOfBlock;      // list heads of the wanted blocks only
    WorkingList<ListHead> assignmentsOfDefinition; // and of their definitions
    WorkingList<DefinitionLink> definitions;
    WorkingList<AssignmentLink> assignments; // in range only
};

struct PageRange {
    uint16_t first;
    uint16_t last;
    bool holds(uint16_t page) const { return first <= page && page <= last; }
};

ListHead *findHead(WorkingList<ListHead> &heads, uint16_t number) {
    ListHead *const found = std::lower_bound(
        heads.begin(), heads.end(), number,
        [](const ListHead &head, uint16_t wanted) { return head.number < wanted; });
    return found != heads.end() && found->number == number ? found : nullptr;
}

// Leaves one head per number, sorted; the heads were appended in any order.
void sortHeads(WorkingList<ListHead> &heads) {
    std::sort(heads.begin(), heads.end(),
              [](const ListHead &a, const ListHead &b) { return a.number < b.number; });
    ListHead *const last =
        std::unique(heads.begin(), heads.end(),
                    [](const ListHead &a, const ListHead &b) { return a.number == b.number; });
    heads.truncate(static_cast<size_t>(last - heads.begin()));
}

bool isDividerText(const char *text, const ComparisonTexts &texts) {
    return std::strcmp(text, texts.plain) == 0 || std::strcmp(text, texts.with8194) == 0;
}

// Loads the start of a block's text into a buffer of a divider text's size, ended by a NUL,
// whatever length the host claims; false when the host cannot give it, which skips the block.
bool loadBlockText(RecordKey key, int32_t length, char (&text)[kDividerTextCapacity]) {
    if (length < 0)
        return false;
    std::memset(text, 0, sizeof text);
    int32_t size = length < kTextLoadLimit ? length : kTextLoadLimit;
    const int32_t loaded = size;
    if (!hostSucceeded(OX_LoadEData(kTextBlockTag, &key, text, &size)))
        return false;
    text[loaded] = '\0';
    return true;
}

// False when memory runs out.
bool findDividerBlocks(const ComparisonTexts &texts, RemovalIndex &index) {
    RecordKey key = {0, 0};
    char text[kDividerTextCapacity];
    while (hostSucceeded(OX_NextEData(kTextBlockTag, &key, nullptr, 0))) {
        int32_t length = 0;
        // Without a length the walk cannot go on; what was found so far still counts.
        if (!hostSucceeded(OX_LoadEData(kTextBlockTag, &key, nullptr, &length)))
            return true;
        if (!loadBlockText(key, length, text))
            continue;
        if (isDividerText(text, texts) &&
            !index.dividerBlocks.append(static_cast<uint16_t>(key.number)))
            return false;
    }
    return true;
}

bool findDefinitions(RemovalIndex &index) {
    for (uint16_t block : index.dividerBlocks)
        if (!index.definitionsOfBlock.append({block, kNoLink}))
            return false;
    sortHeads(index.definitionsOfBlock);
    RecordKey key = {0, 0};
    TextExpressionDef definition = {};
    while (hostSucceeded(
        OX_NextEData(kTextExpressionDefTag, &key, &definition, kTextExpressionDefSize))) {
        ListHead *const wanted =
            findHead(index.definitionsOfBlock, static_cast<uint16_t>(definition.textBlockNumber));
        if (wanted != nullptr) {
            if (!index.definitions.append({static_cast<uint16_t>(key.number), wanted->head}))
                return false;
            wanted->head = static_cast<int32_t>(index.definitions.size() - 1);
        }
        // A short record must not inherit the previous one's bytes.
        definition = TextExpressionDef{};
    }
    return true;
}

// Page 0 lies before the first key visited and is never seen.
bool findAssignments(PageRange range, RemovalIndex &index) {
    if (index.definitions.empty())
        return true;
    for (const DefinitionLink &definition : index.definitions)
        if (!index.assignmentsOfDefinition.append({definition.definition, kNoLink}))
            return false;
    sortHeads(index.assignmentsOfDefinition);
    RecordKey key = kFirstAssignmentKey;
    ExpressionAssignment assignment = {};
    int32_t size = kExpressionAssignmentSize;
    bool found = hostSucceeded(OX_LoadEData(kExpressionAssignmentTag, &key, &assignment, &size));
    if (!found)
        found = hostSucceeded(
            OX_NextEData(kExpressionAssignmentTag, &key, &assignment, kExpressionAssignmentSize));
    while (found) {
        ListHead *const wanted = findHead(index.assignmentsOfDefinition,
                                          static_cast<uint16_t>(assignment.expressionNumber));
        if (wanted != nullptr && range.holds(static_cast<uint16_t>(key.number))) {
            if (!index.assignments.append({key, wanted->head, false}))
                return false;
            wanted->head = static_cast<int32_t>(index.assignments.size() - 1);
        }
        assignment = ExpressionAssignment{};
        found = hostSucceeded(
            OX_NextEData(kExpressionAssignmentTag, &key, &assignment, kExpressionAssignmentSize));
    }
    return true;
}

int32_t clamped32(size_t count) {
    return count > static_cast<size_t>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(count);
}

// The last collected key goes first; a key reached again later is not deleted again. Only the
// deletions the host confirms count.
size_t deleteCollected(RemovalIndex &index) {
    size_t erased = 0;
    for (size_t block = index.dividerBlocks.size(); block-- > 0;) {
        const ListHead *const definitions =
            findHead(index.definitionsOfBlock, index.dividerBlocks[block]);
        for (int32_t definition = definitions->head; definition >= 0;
             definition = index.definitions[static_cast<size_t>(definition)].next) {
            const uint16_t number = index.definitions[static_cast<size_t>(definition)].definition;
            for (int32_t link = findHead(index.assignmentsOfDefinition, number)->head; link >= 0;
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
    // Without room for the index nothing is deleted.
    if (!findDividerBlocks(texts, index)) {
        result.outOfMemory = true;
        return result;
    }
    if (index.dividerBlocks.empty())
        return result;
    if (!findDefinitions(index) || !findAssignments(range, index)) {
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
