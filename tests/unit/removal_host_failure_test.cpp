// How a removal carries on when the host refuses one of its record calls.
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
    EXPECT_EQ(removeDividers(1, 3, 14), 1);
    EXPECT_EQ(pagesLeft(), (std::vector<int16_t>{2, 3}));
}

TEST_F(RemovalHostFailure, BlockWhoseTextCannotBeLoadedIsSkipped) {
    failCall("OX_LoadEData", 4); // the text of block 2
    EXPECT_EQ(removeDividers(1, 3, 14), 2);
    EXPECT_EQ(pagesLeft(), (std::vector<int16_t>{2}));
}

TEST_F(RemovalHostFailure, FailingDeletionIsStillCounted) {
    failCall("OX_DeleteEData", 1); // the last one collected goes first
    EXPECT_EQ(removeDividers(1, 3, 14), 3);
    EXPECT_EQ(pagesLeft(), (std::vector<int16_t>{3}));
}

} // namespace
