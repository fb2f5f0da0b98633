// The removal's three message boxes as the user sees them.
#include <gtest/gtest.h>

#include "core/host_state.h"
#include "dividers/divider_templates.h"
#include "dividers/removal.h"
#include "document_builder.h"
#include "native/windows_api.h"

namespace {

class RemovalMessages : public ::testing::Test {
  protected:
    void SetUp() override {
        standin::resetHost();
        buildDividerTemplates();
    }
    static const std::vector<standin::MessageRecord> &messages() {
        return standin::host().currentInvocation().messages;
    }
    HWND owner = standin::hostMainWindow();
};

TEST_F(RemovalMessages, ConfirmationCountsOnlyYes) {
    standin::host().pendingAnswers = {"yes", "no"};
    EXPECT_EQ(confirmRemoval(owner), 1);
    EXPECT_EQ(confirmRemoval(owner), 0);

    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].caption, "Delete dividers?");
    EXPECT_EQ(messages()[0].text,
              "This will erase all divider symbols with the specified font size "
              "within the selected page range. Are you sure?");
    EXPECT_EQ(messages()[0].style, 0x24u);
    EXPECT_EQ(messages()[0].owner, "host");
}

TEST_F(RemovalMessages, OneRemovalIsReportedInThePluralText) {
    docbuild::putTextBlock(1, docbuild::dividerText(14));
    docbuild::putExpressionDef(1, 0, 1);
    docbuild::putAssignment(1, 0, 1);

    reportDividersRemoved(owner, removeDividers(1, 1, 14));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].caption, "Divider symbols deleted");
    EXPECT_EQ(messages()[0].text, "1 divider symbols erased.");
    EXPECT_EQ(messages()[0].style, 0x40u);
}

TEST_F(RemovalMessages, CountsBeyond16BitsAreReportedAsSuch) {
    reportDividersRemoved(owner, 40000);
    reportDividersRemoved(owner, 2147483647);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].text, "40000 divider symbols erased.");
    EXPECT_EQ(messages()[1].text, "2147483647 divider symbols erased.");
}

TEST_F(RemovalMessages, NothingFound) {
    reportNoDividersFound(owner);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].caption, "No dividers found");
    EXPECT_EQ(messages()[0].text, "No divider symbols were found within the selected page range.");
    EXPECT_EQ(messages()[0].style, 0x40u);
}

} // namespace
