// Which placements a removal takes away: divider texts of one size on a page range, nothing else.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "core/host_state.h"
#include "dividers/divider_templates.h"
#include "dividers/removal.h"
#include "document_builder.h"

using docbuild::putAssignment;
using docbuild::putExpressionDef;
using docbuild::putTextBlock;

namespace {

const std::string kSize14With8194 =
    std::string("^font(EngraverFontSet,8194)^size(14)^efx(plain)\xBB") + '\0';

class Removal : public ::testing::Test {
  protected:
    void SetUp() override {
        standin::resetHost();
        buildDividerTemplates();
    }
    // A text block, its one definition and one assignment, all numbered alike.
    static void putDivider(int16_t number, const std::string &text, int16_t page,
                           int16_t subIndex = 0) {
        putTextBlock(number, text);
        putExpressionDef(number, 0, number);
        putAssignment(page, subIndex, number);
    }
    static size_t assignmentCount() { return docbuild::assignments().size(); }
};

TEST_F(Removal, OnlyTheGivenFontSizeGoes) {
    putDivider(1, docbuild::dividerText(14), 1);
    putDivider(2, docbuild::dividerText(18), 1, 1);

    EXPECT_EQ(removeDividers(1, 10, 18).erased, 1);
    ASSERT_EQ(assignmentCount(), 1u);
    EXPECT_EQ(docbuild::assignments()[0].expressionNumber, 1);
    EXPECT_EQ(removeDividers(1, 10, 18).erased, 0);
}

TEST_F(Removal, TextWith8194AfterTheFontNameIsADivider) {
    putDivider(1, kSize14With8194, 2);
    EXPECT_EQ(removeDividers(1, 2, 14).erased, 1);
    EXPECT_EQ(assignmentCount(), 0u);
}

TEST_F(Removal, NearMissTextsStay) {
    const std::string divider = docbuild::dividerText(14);
    const std::string body = divider.substr(0, divider.size() - 1); // without its NUL
    const std::string nearMisses[] = {
        docbuild::dividerText(15),
        body.substr(0, body.size() - 1) + '\0',   // no glyph byte
        body.substr(0, body.size() - 1) + "\xBC", // another glyph, no NUL
        " " + divider,
        body + "x" + '\0',
        body + "\xBB" + '\0',
        "^font(EngraverFontSet)^size(014)^efx(plain)\xBB",
        "",
    };
    int16_t number = 1;
    for (const std::string &text : nearMisses) {
        putDivider(number, text, 1, number);
        ++number;
    }
    EXPECT_EQ(removeDividers(1, 1, 14).erased, 0);
    EXPECT_EQ(assignmentCount(), std::size(nearMisses));
}

TEST_F(Removal, TextEndsAtItsFirstNulOrItsStoredBytes) {
    putDivider(1, docbuild::dividerText(14) + "trailing bytes after the NUL", 1, 0);
    const std::string divider = docbuild::dividerText(14);
    putDivider(2, divider.substr(0, divider.size() - 1), 1, 1); // stored without a NUL
    EXPECT_EQ(removeDividers(1, 1, 14).erased, 2);
}

// A damaged block claims more bytes than it holds: only its own bytes count, not what the block
// read before it left behind.
TEST_F(Removal, BlockShorterThanItsClaimIsOnlyItsOwnBytes) {
    const std::string divider = docbuild::dividerText(14);
    putDivider(1, divider, 1, 0);
    putDivider(2, divider.substr(0, 20), 1, 1);
    standin::host().store.claimSize(kTextBlockTag, {2, 0}, static_cast<int32_t>(divider.size()));

    EXPECT_EQ(removeDividers(1, 1, 14).erased, 1);
    ASSERT_EQ(assignmentCount(), 1u);
    EXPECT_EQ(docbuild::assignments()[0].expressionNumber, 2);
}

TEST_F(Removal, NegativeFontSizeIsFormattedSigned) {
    putDivider(1, docbuild::dividerText(-3), 1);
    putDivider(2, docbuild::dividerText(65533), 1, 1);
    EXPECT_EQ(removeDividers(1, 1, -3).erased, 1);
    EXPECT_EQ(docbuild::assignments()[0].expressionNumber, 2);
}

TEST_F(Removal, PagesOutsideTheRangeStay) {
    for (int16_t page = 1; page <= 7; ++page)
        putDivider(page, docbuild::dividerText(14), page);

    EXPECT_EQ(removeDividers(3, 5, 14).erased, 3);
    std::vector<int16_t> pagesLeft;
    for (const auto &placed : docbuild::assignments())
        pagesLeft.push_back(placed.page);
    EXPECT_EQ(pagesLeft, (std::vector<int16_t>{1, 2, 6, 7}));
}

TEST_F(Removal, PagesCompareUnsignedAndPageZeroIsNeverSeen) {
    putTextBlock(1, docbuild::dividerText(14));
    putExpressionDef(1, 0, 1);
    for (int32_t page : {0, 1, 32767, 32768, 65535})
        putAssignment(static_cast<int16_t>(page), 0, 1);

    // -32768 to -1 is the unsigned range 32768 to 65535.
    EXPECT_EQ(removeDividers(-32768, -1, 14).erased, 2);
    EXPECT_EQ(assignmentCount(), 3u);
    // A range that starts at 0 still cannot reach page 0.
    EXPECT_EQ(removeDividers(0, -1, 14).erased, 2);
    ASSERT_EQ(assignmentCount(), 1u);
    EXPECT_EQ(docbuild::assignments()[0].page, 0);
    // A reversed range holds nothing.
    putAssignment(4, 0, 1);
    EXPECT_EQ(removeDividers(5, 3, 14).erased, 0);
}

TEST_F(Removal, TextBlocksAndDefinitionsStayAndASecondRemovalFindsNothing) {
    putDivider(1, docbuild::dividerText(14), 1);
    putDivider(2, docbuild::dividerText(14), 2);
    const auto blocksBefore = docbuild::store().records(kTextBlockTag);
    const auto definitionsBefore = docbuild::store().records(kTextExpressionDefTag);

    EXPECT_EQ(removeDividers(1, 2, 14).erased, 2);
    EXPECT_EQ(assignmentCount(), 0u);
    EXPECT_EQ(docbuild::store().records(kTextBlockTag), blocksBefore);
    EXPECT_EQ(docbuild::store().records(kTextExpressionDefTag), definitionsBefore);
    EXPECT_EQ(removeDividers(1, 2, 14).erased, 0);
}

TEST_F(Removal, SelectsByDefinitionNumberNotByBlockNumber) {
    putTextBlock(5, docbuild::dividerText(14));
    putTextBlock(6, "an ordinary expression");
    putExpressionDef(1, 0, 6);
    putExpressionDef(2, 0, 5);
    putAssignment(1, 0, 1);
    putAssignment(1, 1, 2);
    putAssignment(1, 2, 5); // the block's number, not a definition of it

    EXPECT_EQ(removeDividers(1, 1, 14).erased, 1);
    std::vector<int16_t> left;
    for (const auto &placed : docbuild::assignments())
        left.push_back(placed.expressionNumber);
    EXPECT_EQ(left, (std::vector<int16_t>{1, 5}));
}

// Far more than the 5,000 keys of a fixed list, and a count past the 16-bit range.
TEST_F(Removal, EveryMatchIsRemovedAndCountedPast32767) {
    constexpr int32_t kDividers = 33000;
    const std::string text = docbuild::dividerText(14);
    for (int32_t n = 1; n <= kDividers; ++n) {
        putTextBlock(static_cast<int16_t>(n), text);
        putExpressionDef(static_cast<int16_t>(n), 0, static_cast<int16_t>(n));
        putAssignment(static_cast<int16_t>(1 + n / 100), static_cast<int16_t>(n % 100),
                      static_cast<int16_t>(n));
    }
    putAssignment(400, 0, 0); // not a divider

    EXPECT_EQ(removeDividers(1, 1000, 14).erased, kDividers);
    EXPECT_EQ(assignmentCount(), 1u);
}

} // namespace
