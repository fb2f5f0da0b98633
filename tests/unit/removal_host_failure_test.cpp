// How a removal carries on when the host refuses one of its record calls, and what it counts.
#include <gtest/gtest.h>

#include "core/host_state.h"
#include "dividers/divider_templates.h"
#include "dividers/removal.h"
#include "document_builder.h"

namespace {

class RemovalHostFailure : public ::testing::Test {
  protected:
    // Three dividers on pages 1 to 3; the text-block walk makes two loads per block: its length,
    // then its text.
    void SetUp() override {
        standin::resetHost();
        buildDividerTemplates();
        for (int16_t n = 1; n <= 3; ++n) {
            docbuild::putTextBlock(n, docbuild::dividerText(14));
            docbuild::putExpressionDef(n, 0, n);
            docbuild::putAssignment(n, 0, n);
        }
    }
    static void failCall(const char *service, int64_t call) {
        standin::host().failRules.push_back({service, call});
    }
    static std::vector<int16_t> pagesLeft() {
        std::vector<int16_t> pages;
        for (const auto &placed : docbuild::assignments())
            pages.push_back(placed.page);
        return pages;
    }
};

TEST_F(RemovalHostFailure, FailingLengthQueryEndsTheTextBlockWalk) {
    failCall("OX_LoadEData", 3); // the length of block 2
    EXPECT_EQ(removeDividers(1, 3, 14).erased, 1);
    EXPECT_EQ(pagesLeft(), (std::vector<int16_t>{2, 3}));
}

TEST_F(RemovalHostFailure, BlockWhoseTextCannotBeLoadedIsSkipped) {
    failCall("OX_LoadEData", 4); // the text of block 2
    EXPECT_EQ(removeDividers(1, 3, 14).erased, 2);
    EXPECT_EQ(pagesLeft(), (std::vector<int16_t>{2}));
}

TEST_F(RemovalHostFailure, OnlyConfirmedDeletionsCount) {
    const struct {
        std::vector<int64_t> refused; // deletion calls the host refuses; the last key goes first
        int32_t erased;
        std::vector<int16_t> left;
    } cases[] = {
        {{1}, 2, {3}},
        {{1, 2, 3}, 0, {1, 2, 3}},
    };
    for (const auto &deletion : cases) {
        SCOPED_TRACE(testing::PrintToString(deletion.refused));
        SetUp();
        for (int64_t call : deletion.refused)
            failCall("OX_DeleteEData", call);
        const RemovalResult result = removeDividers(1, 3, 14);
        EXPECT_EQ(result.found, 3);
        EXPECT_EQ(result.erased, deletion.erased);
        EXPECT_EQ(pagesLeft(), deletion.left);
    }
}

TEST_F(RemovalHostFailure, KeyReachedTwiceIsDeletedOnce) {
    // A second definition 2 (sub-index 1) of block 2 leads to page 2's divider again.
    docbuild::putExpressionDef(2, 1, 2);
    const RemovalResult result = removeDividers(1, 3, 14);
    EXPECT_EQ(result.found, 3);
    EXPECT_EQ(result.erased, 3);
    EXPECT_EQ(standin::host().callCounts["OX_DeleteEData"], 3);
    EXPECT_TRUE(pagesLeft().empty());
}

TEST_F(RemovalHostFailure, WithoutMemoryNothingIsDeleted) {
    // The index's first list, a later one, and one that must grow: whichever allocation fails
    // first, no deletion is made.
    for (int64_t firstFailing : {1, 2, 4}) {
        SCOPED_TRACE(firstFailing);
        SetUp();
        for (int16_t n = 4; n <= 20; ++n) {
            docbuild::putTextBlock(n, docbuild::dividerText(14));
            docbuild::putExpressionDef(n, 0, n);
        }
        standin::host().allocations.firstFailing = firstFailing;
        const RemovalResult result = removeDividers(1, 3, 14);
        EXPECT_TRUE(result.outOfMemory);
        EXPECT_EQ(result.erased, 0);
        EXPECT_EQ(standin::host().callCounts["OX_DeleteEData"], 0);
        EXPECT_EQ(pagesLeft(), (std::vector<int16_t>{1, 2, 3}));
    }
}

TEST_F(RemovalHostFailure, SmallDocumentNeedsLittleMemory) {
    const RemovalResult result = removeDividers(1, 3, 14);
    EXPECT_EQ(result.erased, 3);
    // Three dividers: one allocation for each of a few short lists, none per text block.
    EXPECT_LE(standin::host().allocations.count, 6);
}

TEST_F(RemovalHostFailure, ClaimedBlockSizeNeitherAllocatesNorStops) {
    // Block 1 claims almost 2 GB, block 2 a negative size (skipped, as a block whose text cannot
    // be had): the text is read through a divider text's buffer, so block 1 is still recognised.
    standin::host().store.claimSize(kTextBlockTag, {1, 0}, 0x7FFFFFF0);
    standin::host().store.claimSize(kTextBlockTag, {2, 0}, -5);
    const RemovalResult result = removeDividers(1, 3, 14);
    EXPECT_FALSE(result.outOfMemory);
    EXPECT_EQ(result.erased, 2);
    EXPECT_EQ(pagesLeft(), (std::vector<int16_t>{2}));
    EXPECT_LE(standin::host().allocations.count, 6);
}

} // namespace
