// The removal's message boxes as the user sees them.
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
    EXPECT_TRUE(confirmRemoval(owner));
    EXPECT_FALSE(confirmRemoval(owner));

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

    EXPECT_TRUE(reportRemoval(owner, removeDividers(1, 1, 14)));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].caption, "Divider symbols deleted");
    EXPECT_EQ(messages()[0].text, "1 divider symbols erased.");
    EXPECT_EQ(messages()[0].style, 0x40u);
}

TEST_F(RemovalMessages, CountsBeyond16BitsAreReportedAsSuch) {
    reportRemoval(owner, {40000, 40000, false});
    reportRemoval(owner, {2147483647, 2147483647, false});
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].text, "40000 divider symbols erased.");
    EXPECT_EQ(messages()[1].text, "2147483647 divider symbols erased.");
}

TEST_F(RemovalMessages, OutcomeOfARemoval) {
    const struct {
        RemovalResult result;
        const char *caption, *text;
        uint32_t style;
        bool dialogEnds;
    } cases[] = {
        {{3, 2, false}, "Divider symbols deleted", "2 divider symbols erased.", 0x40, true},
        {{0, 0, false},
         "No dividers found",
         "No divider symbols were found within the selected page range.",
         0x40,
         false},
        {{3, 0, false},
         "Divider symbols not deleted",
         "The divider symbols could not be erased.",
         0x10,
         false},
        {{0, 0, true},
         "Divider symbols not deleted",
         "Not enough memory to erase the divider symbols.",
         0x10,
         false},
    };
    for (const auto &removal : cases) {
        SCOPED_TRACE(removal.text);
        standin::resetHost();
        EXPECT_EQ(reportRemoval(owner, removal.result), removal.dialogEnds);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].caption, removal.caption);
        EXPECT_EQ(messages()[0].text, removal.text);
        EXPECT_EQ(messages()[0].style, removal.style);
    }
}

} // namespace
