#include <gtest/gtest.h>

#include "core/host_state.h"
#include "core/script.h"

using standin::host;
using standin::StepAction;

TEST(Script, StepsParseToTheirCanonicalText) {
    std::vector<standin::ScriptStep> steps;
    std::string problem;
    ASSERT_TRUE(standin::parseScript(
        "  click 108;type 110 ;type 110   12.5 cm ;pick 103 Never again; spin 111 down;"
        "key esc;answer no;snapshot;;",
        steps, problem))
        << problem;
    ASSERT_EQ(steps.size(), 8u);
    EXPECT_EQ(steps[0].action, StepAction::Click);
    EXPECT_EQ(steps[0].control, 108);
    EXPECT_EQ(steps[1].argument, ""); // typing nothing clears the edit
    EXPECT_EQ(steps[2].argument, "12.5 cm");
    EXPECT_EQ(steps[3].argument, "Never again");
    const char *const texts[] = {
        "click 108",     "type 110", "type 110 12.5 cm", "pick 103 Never again",
        "spin 111 down", "key esc",  "answer no",        "snapshot"};
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(standin::stepText(steps[i]), texts[i]) << "step " << i;
    EXPECT_TRUE(standin::parseScript("", steps, problem));
    EXPECT_TRUE(steps.empty());
}

TEST(Script, MalformedStepsAreRefused) {
    for (const char *script : {"click", "click x", "click -1", "click 65536", "click 1 2",
                               "pick 103", "spin 111 sideways", "key tab", "answer maybe",
                               "snapshot 1", "press 1", "click 1; dance"}) {
        std::vector<standin::ScriptStep> steps;
        std::string problem;
        EXPECT_FALSE(standin::parseScript(script, steps, problem)) << script;
        EXPECT_NE(problem.find("step \""), std::string::npos) << problem;
    }
}

class MessageBoxAnswers : public testing::Test {
  protected:
    void SetUp() override { standin::resetHost(); }
};

TEST_F(MessageBoxAnswers, QueuedAnswerFirstThenTheNextAnswerStep) {
    standin::beginInvocation({"answer no", "click 1"});
    host().pendingAnswers.push_back("yes");
    EXPECT_EQ(standin::answerMessageBox(0x24), 6);
    EXPECT_EQ(standin::answerMessageBox(0x24), 7); // the answer step is used up
    EXPECT_EQ(standin::answerMessageBox(0x24), 6); // a click is not an answer: the default
    EXPECT_EQ(host().pendingSteps.size(), 1u);
    standin::finishInvocation(1);
    EXPECT_EQ(host().invocations.back().skippedSteps, std::vector<std::string>{"click 1"});
    EXPECT_TRUE(host().pendingSteps.empty());
}

TEST_F(MessageBoxAnswers, AnswerTheBoxDoesNotOfferIsSkipped) {
    standin::beginInvocation({"answer no", "answer yes"});
    EXPECT_EQ(standin::answerMessageBox(0x10), 1); // an OK box has no No
    EXPECT_EQ(standin::answerMessageBox(0x124), 6);
    EXPECT_EQ(standin::answerMessageBox(0x124), 7); // MB_DEFBUTTON2 makes No the default
    host().pendingAnswers.push_back("ok");
    standin::finishInvocation(0);
    EXPECT_EQ(host().invocations.back().skippedSteps,
              (std::vector<std::string>{"answer no", "answer ok"}));
    EXPECT_EQ(standin::answerFromButton(7), "no");
}
