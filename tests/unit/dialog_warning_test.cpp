// The final-layout warning: when it shows, what its answers do to the run and to the flag.
#include <gtest/gtest.h>

#include "dialog_harness.h"
#include "settings/module_state.h"
#include "shell/run_sequence.h"

using namespace dialogtest;

namespace {

class FinalLayoutWarning : public ::testing::Test {
  protected:
    void SetUp() override { freshDocument(1); }
};

TEST_F(FinalLayoutWarning, FlagOffShowsNothingAndGoesOn) {
    int16_t flag = 0;
    const Outcome outcome = runWarning(flag, {click(IDC_WARNING_NO)});
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(flag, 0);
    EXPECT_TRUE(outcome.dialogs.empty());
    EXPECT_EQ(calls("OX_Dialog"), 0);
    EXPECT_EQ(outcome.skippedSteps, std::vector<std::string>{click(IDC_WARNING_NO)});
}

TEST_F(FinalLayoutWarning, OpensUntickedWithYesFocused) {
    int16_t flag = 1;
    const Outcome outcome = runWarning(flag, {"snapshot", click(IDC_WARNING_NO)});
    ASSERT_EQ(outcome.dialogs.size(), 1u);
    EXPECT_EQ(outcome.dialogs[0]["id"], IDD_FINAL_LAYOUT_WARNING);
    const Json &opened = outcome.snapshot(0);
    EXPECT_EQ(opened["focus"], IDC_WARNING_YES);
    EXPECT_EQ(controlOf(opened, IDC_DONT_SHOW_AGAIN)["checked"], 0);
}

TEST_F(FinalLayoutWarning, YesSetsTheFlagFromTheBox) {
    int16_t flag = 1;
    EXPECT_EQ(runWarning(flag, {click(IDC_WARNING_YES)}).result, 1);
    EXPECT_EQ(flag, 1);

    EXPECT_EQ(runWarning(flag, {click(IDC_DONT_SHOW_AGAIN), click(IDC_WARNING_YES)}).result, 1);
    EXPECT_EQ(flag, 0);

    // Any stored non-zero value shows the warning, a negative one too; Yes leaves 1 or 0.
    for (const int stored : {2, -1}) {
        SCOPED_TRACE(stored);
        flag = static_cast<int16_t>(stored);
        EXPECT_EQ(runWarning(flag, {click(IDC_WARNING_YES)}).result, 1);
        EXPECT_EQ(flag, 1);
    }
}

TEST_F(FinalLayoutWarning, NoStopsAndKeepsTheFlagWhateverTheBox) {
    int16_t flag = 2;
    const Outcome outcome = runWarning(flag, {click(IDC_DONT_SHOW_AGAIN), click(IDC_WARNING_NO)});
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(flag, 2);
    EXPECT_EQ(outcome.control(IDC_DONT_SHOW_AGAIN)["checked"], 1);
}

TEST_F(FinalLayoutWarning, EscapeAndOtherCommandsLeaveItOpen) {
    int16_t flag = 1;
    // Esc is IDCANCEL, which the warning ignores; Enter presses the default "&Yes".
    const Outcome outcome = runWarning(flag, {"key esc", "snapshot", "key enter"});
    EXPECT_EQ(outcome.dialogs[0]["snapshots"].size(), 1u);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(flag, 1);
}

TEST_F(FinalLayoutWarning, UnansweredWarningTakesItsDefaultYes) {
    int16_t flag = 1;
    EXPECT_EQ(runWarning(flag, {}).result, 1);
    EXPECT_EQ(calls("OX_EndDialog"), 1);
}

TEST_F(FinalLayoutWarning, HostThatCannotRunItStopsTheRunQuietly) {
    standin::host().failRules.push_back({"OX_Dialog", 1});
    int16_t flag = 1;
    const Outcome outcome = runWarning(flag, {});
    EXPECT_EQ(outcome.result, 0);
    EXPECT_TRUE(outcome.dialogs.empty());
    EXPECT_TRUE(outcome.messages.empty());
}

// Through the run sequence: Control and Shift together bring a switched-off warning back.
TEST_F(FinalLayoutWarning, ControlAndShiftBringItBack) {
    const struct {
        bool control, shift, shown;
    } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
    for (const auto &keys : cases) {
        SCOPED_TRACE(std::string(keys.control ? "Control" : "-") + (keys.shift ? "+Shift" : "+-"));
        freshDocument(1);
        showWarning = 0;
        standin::host().controlHeld = keys.control;
        standin::host().shiftHeld = keys.shift;
        standin::beginInvocation({click(IDC_WARNING_NO), "key esc"});
        const Outcome outcome = finish(runDividerCommand(standin::hostMainWindow()));
        EXPECT_EQ(outcome.result, 1);
        ASSERT_FALSE(outcome.dialogs.empty());
        EXPECT_EQ(outcome.dialogs[0]["id"] == IDD_FINAL_LAYOUT_WARNING, keys.shown);
        // No leaves the flag as the keys set it.
        EXPECT_EQ(showWarning, keys.shown ? 1 : 0);
    }
    resetModuleState();
}

// Through the run sequence: the part mark is one signed 16-bit word, and only -8 refuses the
// document, with the error box in place of the warning.
TEST_F(FinalLayoutWarning, OnlyAPartMarkOfMinus8ComesBeforeIt) {
    // 504 (0x01F8) and -264 (0xFEF8) have the low byte of -8.
    const struct {
        int16_t mark;
        bool refused;
    } cases[] = {{-8, true}, {504, false}, {-264, false}, {8, false}, {-1, false}};
    for (const auto &part : cases) {
        SCOPED_TRACE(part.mark);
        freshDocument(1);
        docbuild::putPartMark(part.mark);
        standin::beginInvocation({"answer ok", click(IDC_WARNING_NO)});
        const Outcome outcome = finish(runDividerCommand(standin::hostMainWindow()));
        EXPECT_EQ(outcome.result, part.refused ? 0 : 1);
        EXPECT_EQ(outcome.messages.size(), part.refused ? 1u : 0u);
        EXPECT_EQ(outcome.dialogs.empty(), part.refused);
    }
    resetModuleState();
}

} // namespace
