// The settings dialog's Remove button: confirmation, what it deletes, and how the dialog ends.
#include <gtest/gtest.h>

#include "dialog_harness.h"

using namespace dialogtest;

namespace {

class RemoveButton : public ::testing::Test {
  protected:
    void SetUp() override {
        freshDocument(6);
        settings = kLoadTimeSettings;
        // Size-14 dividers on pages 2, 3 and 5; one of size 18 on page 3.
        docbuild::putTextBlock(1, docbuild::dividerText(14));
        docbuild::putExpressionDef(1, 0, 1);
        docbuild::putTextBlock(2, docbuild::dividerText(18));
        docbuild::putExpressionDef(2, 0, 2);
        docbuild::putAssignment(2, 0, 1);
        docbuild::putAssignment(3, 0, 1);
        docbuild::putAssignment(3, 1, 2);
        docbuild::putAssignment(5, 0, 1);
    }
    static std::vector<std::string> captions(const Outcome &outcome) {
        std::vector<std::string> result;
        for (const auto &message : outcome.messages)
            result.push_back(message.caption + ": " + message.answer);
        return result;
    }
    DividerSettings settings{};
};

TEST_F(RemoveButton, DeletingEndsTheRunWithoutStoringTheDialog) {
    const Outcome outcome = runSettings(
        settings, {type(IDC_H_ADJUST, "50"), click(IDC_SELECTED_PAGES), type(IDC_FIRST_PAGE, "3"),
                   click(IDC_REMOVE), "answer yes", click(IDC_SETTINGS_OK)});
    EXPECT_EQ(captions(outcome),
              (std::vector<std::string>{"Delete dividers?: yes", "Divider symbols deleted: ok"}));
    EXPECT_EQ(outcome.messages[1].text, "2 divider symbols erased.");
    EXPECT_EQ(outcome.messages[0].owner, std::to_string(IDD_DIVIDER_SETTINGS));
    // Pages 3 to 6 at size 14: the dividers on 3 and 5 go.
    EXPECT_EQ(docbuild::assignments().size(), 2u);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.skippedSteps, std::vector<std::string>{click(IDC_SETTINGS_OK)});
    EXPECT_EQ(settings.hAdjust, 0);
    EXPECT_EQ(settings.selectedPagesOnly, 0);
    EXPECT_EQ(settings.dialogAccepted, 0);
    EXPECT_EQ(settings.pageCount, 6);
    EXPECT_EQ(outcome.final()["focus"], IDC_REMOVE);
}

TEST_F(RemoveButton, NoDeletesNothingAndLeavesTheDialogAsItWas) {
    const Outcome outcome =
        runSettings(settings, {type(IDC_H_ADJUST, "50"), click(IDC_REMOVE), "answer no", "snapshot",
                               click(IDC_SETTINGS_CANCEL)});
    EXPECT_EQ(captions(outcome), std::vector<std::string>{"Delete dividers?: no"});
    EXPECT_EQ(docbuild::assignments().size(), 4u);
    EXPECT_EQ(controlOf(outcome.snapshot(0), IDC_H_ADJUST)["text"], "50");
    EXPECT_EQ(outcome.result, 0);
}

TEST_F(RemoveButton, NothingFoundKeepsTheDialogOpenForAnotherTry) {
    // The list's size counts, not the stored one; page 3's size-18 divider then goes alone.
    settings.fontSize = 18;
    const Outcome outcome =
        runSettings(settings, {click(IDC_SELECTED_PAGES), type(IDC_FIRST_PAGE, "4"),
                               click(IDC_REMOVE), "answer yes", "answer ok", click(IDC_ALL_PAGES),
                               click(IDC_REMOVE), "answer yes", "answer ok"});
    EXPECT_EQ(captions(outcome),
              (std::vector<std::string>{"Delete dividers?: yes", "No dividers found: ok",
                                        "Delete dividers?: yes", "Divider symbols deleted: ok"}));
    EXPECT_EQ(outcome.messages[1].text,
              "No divider symbols were found within the selected page range.");
    EXPECT_EQ(outcome.messages[3].text, "1 divider symbols erased.");
    EXPECT_EQ(docbuild::assignments().size(), 3u);
    EXPECT_EQ(outcome.result, 0);
}

TEST_F(RemoveButton, DividersThatCannotBeErasedKeepTheDialogOpen) {
    // Pages 2, 3 and 5 at size 14: the host refuses all three deletions.
    for (int64_t call = 1; call <= 3; ++call)
        standin::host().failRules.push_back({"OX_DeleteEData", call});
    const Outcome outcome =
        runSettings(settings, {"click 121", "answer yes", "snapshot", "click 2"});
    EXPECT_EQ(captions(outcome), (std::vector<std::string>{"Delete dividers?: yes",
                                                           "Divider symbols not deleted: ok"}));
    EXPECT_EQ(outcome.messages[1].text, "The divider symbols could not be erased.");
    EXPECT_EQ(outcome.messages[1].style, 0x10u);
    EXPECT_EQ(outcome.messages[1].owner, "20128");
    EXPECT_EQ(outcome.dialogs.back()["snapshots"].size(), 1u);
    EXPECT_EQ(docbuild::assignments().size(), 4u);
    EXPECT_EQ(outcome.result, 0);
}

TEST_F(RemoveButton, InvalidRangeAsksNothing) {
    const Outcome outcome = runSettings(
        settings, {click(IDC_SELECTED_PAGES), type(IDC_FIRST_PAGE, "5"), type(IDC_LAST_PAGE, "4"),
                   click(IDC_REMOVE), "answer yes", click(IDC_SETTINGS_CANCEL)});
    EXPECT_EQ(captions(outcome), std::vector<std::string>{"Page Range Error: ok"});
    EXPECT_EQ(docbuild::assignments().size(), 4u);
    // The error box has no Yes to press: the answer is passed over.
    EXPECT_EQ(outcome.skippedSteps, std::vector<std::string>{"answer yes"});
}

TEST_F(RemoveButton, DividersOfAnotherSizeStay) {
    settings.fontSize = 18;
    docbuild::store().remove(kExpressionAssignmentTag, docbuild::key2(3, 1));
    const Outcome outcome =
        runSettings(settings, {click(IDC_REMOVE), "answer yes", click(IDC_SETTINGS_CANCEL)});
    EXPECT_EQ(captions(outcome),
              (std::vector<std::string>{"Delete dividers?: yes", "No dividers found: ok"}));
    EXPECT_EQ(docbuild::assignments().size(), 3u);
}

} // namespace
