// The removal deletes the same assignments, in the same order and with the same count, as the
// nested walks it replaces, on generated documents full of near-dividers and odd keys.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/host_state.h"
#include "dividers/divider_templates.h"
#include "dividers/removal.h"
#include "document_builder.h"
#include "nested_walk_removal.h"

namespace {

using standin::KeyWords;
using standin::RecordStore;

using RemovalFunction = int32_t (*)(int16_t, int16_t, int16_t);

int32_t erasedByModule(int16_t firstPage, int16_t lastPage, int16_t fontSize) {
    return removeDividers(firstPage, lastPage, fontSize).erased;
}

struct RemovalCase {
    int16_t firstPage;
    int16_t lastPage;
    int16_t fontSize;
};

struct Outcome {
    int32_t count = 0;
    RecordStore store;
    int64_t recordCalls = 0;
};

Outcome runOn(const RecordStore &document, const RemovalCase &removal, RemovalFunction function,
              std::vector<standin::FailRule> failRules = {}) {
    standin::resetHost();
    standin::host().store = document;
    standin::host().failRules = std::move(failRules);
    Outcome outcome;
    outcome.count = function(removal.firstPage, removal.lastPage, removal.fontSize);
    outcome.store = standin::host().store;
    for (const char *service : {"OX_LoadEData", "OX_NextEData", "OX_CreateEData", "OX_DeleteEData"})
        outcome.recordCalls += standin::host().callCounts[service];
    return outcome;
}

// With every deletion but the k-th refused, the one assignment missing afterwards is the k-th key.
std::vector<KeyWords> deletionOrder(const RecordStore &document, const RemovalCase &removal,
                                    RemovalFunction function, int32_t count) {
    const auto before = document.records(kExpressionAssignmentTag);
    std::vector<KeyWords> order;
    for (int32_t k = 1; k <= count; ++k) {
        std::vector<standin::FailRule> rules;
        for (int32_t call = 1; call <= count; ++call)
            if (call != k)
                rules.push_back({"OX_DeleteEData", call});
        const Outcome outcome = runOn(document, removal, function, rules);
        KeyWords deleted;
        for (const auto &[key, bytes] : before)
            if (outcome.store.find(kExpressionAssignmentTag, key) == nullptr)
                deleted = key;
        order.push_back(deleted);
    }
    return order;
}

int16_t word(uint32_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }

// A document with divider and non-divider texts, blocks and definitions sharing numbers under
// other sub-indices (which make the nested walks collect a key twice), definitions of missing
// blocks, short definitions, empty assignments, and assignments on page 0, on high pages and of
// unknown definitions.
RecordStore generateDocument(std::mt19937 &random) {
    auto pick = [&random](uint32_t below) {
        return std::uniform_int_distribution<uint32_t>(0, below - 1)(random);
    };
    const std::string dividerBody = docbuild::dividerText(14).substr(0, 43);
    const std::string texts[] = {
        docbuild::dividerText(14),
        std::string("^font(EngraverFontSet,8194)^size(14)^efx(plain)\xBB") + '\0',
        docbuild::dividerText(18),
        dividerBody,
        dividerBody + "!",
        "^font(Times)^size(14)^efx(plain)f",
        "",
    };
    // Block numbers include 0 (before the walk's first key) and numbers above 32767.
    const uint32_t blockNumbers[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 32768, 40000, 65534};
    const uint32_t pages[] = {0, 1, 1, 2, 2, 3, 4, 5, 6, 7, 9, 32767, 32768, 65535};

    standin::resetHost();
    std::vector<uint32_t> usedBlocks;
    for (int i = 0, blocks = 4 + static_cast<int>(pick(10)); i < blocks; ++i) {
        const uint32_t number = blockNumbers[pick(std::size(blockNumbers))];
        const std::string &text = texts[pick(std::size(texts))];
        const uint32_t subIndex = pick(6) == 0 ? 1 + pick(2) : 0;
        docbuild::store().put(kTextBlockTag, docbuild::key2(number, subIndex),
                              standin::Bytes(text.begin(), text.end()));
        usedBlocks.push_back(number);
    }
    std::vector<uint32_t> definitions;
    for (int i = 0, count = 6 + static_cast<int>(pick(16)); i < count; ++i) {
        const uint32_t number = pick(8) == 0 ? 32768 + pick(3) : pick(24);
        const uint32_t block = pick(6) == 0 ? 100 + pick(5) : usedBlocks[pick(usedBlocks.size())];
        const int16_t subIndex = word(pick(4) == 0 ? 1 + pick(2) : 0);
        if (pick(10) == 0) // one byte: the block number's high byte reads as 0
            docbuild::store().put(kTextExpressionDefTag, docbuild::key2(number, subIndex),
                                  standin::Bytes(1, static_cast<uint8_t>(pick(2))));
        else
            docbuild::putExpressionDef(word(number), subIndex, word(block));
        definitions.push_back(number);
    }
    for (int i = 0, count = 10 + static_cast<int>(pick(40)); i < count; ++i) {
        const uint32_t expression = pick(5) == 0 ? pick(30) : definitions[pick(definitions.size())];
        const int16_t page = word(pages[pick(std::size(pages))]);
        if (pick(10) == 0) // empty: it must not take the number of the assignment read before it
            docbuild::store().put(kExpressionAssignmentTag, docbuild::key2(page, pick(6)), {});
        else
            docbuild::putAssignment(page, word(pick(6)), word(expression));
    }
    return docbuild::store();
}

RemovalCase generateCase(std::mt19937 &random) {
    const RemovalCase ranges[] = {
        {1, 9, 14},     {3, 5, 14}, {2, 2, 14}, {0, -1, 14}, {-32768, -1, 14},
        {1, 32767, 14}, {6, 2, 14}, {1, 9, 18}, {0, 0, 14},  {32767, -32768, 14},
    };
    return ranges[std::uniform_int_distribution<size_t>(0, std::size(ranges) - 1)(random)];
}

size_t recordCount(const RecordStore &store) {
    return store.count(kTextBlockTag) + store.count(kTextExpressionDefTag) +
           store.count(kExpressionAssignmentTag);
}

TEST(RemovalEquivalence, SameDeletionsInTheSameOrderAsTheNestedWalks) {
    buildDividerTemplates();
    std::mt19937 random(20260);
    int documentsWithDeletions = 0;
    int documentsWithRepeatedKeys = 0;
    for (int document = 0; document < 120; ++document) {
        const RecordStore original = generateDocument(random);
        const RemovalCase removal = generateCase(random);
        SCOPED_TRACE("document " + std::to_string(document) + ", pages " +
                     std::to_string(removal.firstPage) + " to " + std::to_string(removal.lastPage));

        const Outcome nested = runOn(original, removal, nestedwalk::removeDividers);
        const Outcome fast = runOn(original, removal, erasedByModule);
        ASSERT_EQ(fast.count, nested.count);
        ASSERT_TRUE(fast.store == nested.store);
        EXPECT_LE(fast.recordCalls, 4 * static_cast<int64_t>(recordCount(original)) + fast.count);

        const auto order = deletionOrder(original, removal, erasedByModule, fast.count);
        ASSERT_EQ(order,
                  deletionOrder(original, removal, nestedwalk::removeDividers, nested.count));

        const size_t removed =
            original.count(kExpressionAssignmentTag) - fast.store.count(kExpressionAssignmentTag);
        ASSERT_EQ(static_cast<size_t>(fast.count), removed);
        documentsWithDeletions += fast.count > 0;
        standin::host().store = original;
        documentsWithRepeatedKeys +=
            nestedwalk::collectKeys(removal.firstPage, removal.lastPage, removal.fontSize).size() >
            removed;
    }
    // The generator must keep producing the cases worth comparing.
    EXPECT_GE(documentsWithDeletions, 40);
    EXPECT_GE(documentsWithRepeatedKeys, 5);
}

// A refused length query ends the text-block walk: the nested walks over a document that ends
// before that block must delete the same assignments.
TEST(RemovalEquivalence, RefusedLengthQueryActsAsTheEndOfTheTextBlocks) {
    buildDividerTemplates();
    std::mt19937 random(7);
    for (int document = 0; document < 40; ++document) {
        const RecordStore original = generateDocument(random);
        const RemovalCase removal = generateCase(random);
        auto blocks = original.records(kTextBlockTag);
        if (!blocks.empty() && blocks.front().first == KeyWords{0, 0})
            blocks.erase(blocks.begin()); // never visited
        const size_t refused = std::uniform_int_distribution<size_t>(0, blocks.size() - 1)(random);
        SCOPED_TRACE("document " + std::to_string(document) + ", block " + std::to_string(refused));

        // The fast removal walks the text blocks first, two loads each: length, then text.
        const Outcome fast = runOn(original, removal, erasedByModule,
                                   {{"OX_LoadEData", 1 + 2 * static_cast<int64_t>(refused)}});
        RecordStore truncated = original;
        for (size_t block = refused; block < blocks.size(); ++block)
            truncated.remove(kTextBlockTag, blocks[block].first);
        const Outcome nested = runOn(truncated, removal, nestedwalk::removeDividers);

        EXPECT_EQ(fast.count, nested.count);
        EXPECT_EQ(fast.store.records(kExpressionAssignmentTag),
                  nested.store.records(kExpressionAssignmentTag));
    }
}

} // namespace
