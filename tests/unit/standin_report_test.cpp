#include <gtest/gtest.h>

#include "core/report.h"
#include "core/strict_json.h"

using standin::host;
using standin::Json;

namespace {

std::vector<std::string> memberNames(const Json &object) {
    std::vector<std::string> names;
    for (const auto &member : object.items())
        names.push_back(member.key());
    return names;
}

} // namespace

TEST(Report, HasTheContractsShapeInItsOrder) {
    standin::resetHost();
    standin::InvocationRecord invocation;
    invocation.result = 1;
    invocation.dialogsJson = {R"({"id": 20129, "snapshots": [], "final": {"focus": null}})",
                              "not json"};
    invocation.messages.push_back({"Caption \xBB", "Text", 0x24, "20128", "yes"});
    invocation.messages.push_back({"Error", "Broken", 0x10, "host", "ok"});
    invocation.layoutUpdates = {{1, 0}};
    invocation.skippedSteps = {"click 9"};
    host().invocations.push_back(invocation);
    host().callCounts["OX_Dialog"] = 2;

    standin::EntryAnswers answers;
    answers.version = 0x04000107;
    answers.init = 1;
    answers.commands.push_back({"Menu", "Description", "Short"});
    answers.menuStatus = 1;
    answers.terminated = true;
    const std::string text = standin::reportJson(answers, host());
    const Json report = Json::parse(text);

    EXPECT_EQ(memberNames(report),
              (std::vector<std::string>{"version", "init", "commands", "menuStatus", "invocations",
                                        "hostCalls", "terminated"}));
    EXPECT_EQ(report["version"], 67109127);
    EXPECT_EQ(memberNames(report["commands"][0]),
              (std::vector<std::string>{"menuText", "description", "shortName"}));
    const Json &first = report["invocations"][0];
    EXPECT_EQ(memberNames(first), (std::vector<std::string>{"result", "dialogs", "messages",
                                                            "updateLayoutCalls", "skippedSteps"}));
    EXPECT_EQ(first["dialogs"][0]["id"], 20129);
    EXPECT_EQ(first["dialogs"][1], "not json"); // a faulty dialog record stays visible
    EXPECT_EQ(memberNames(first["messages"][0]),
              (std::vector<std::string>{"caption", "text", "style", "owner", "answer"}));
    EXPECT_EQ(first["messages"][0]["owner"], 20128);
    EXPECT_EQ(first["messages"][1]["owner"], "host");
    EXPECT_EQ(first["messages"][0]["style"], 36);
    EXPECT_NE(text.find(R"("Caption \u00bb")"), std::string::npos);

    const Json &calls = report["hostCalls"];
    ASSERT_EQ(calls.size(), 13u);
    EXPECT_EQ(calls.begin().key(), "OX_LoadEData");
    EXPECT_EQ(calls["OX_Dialog"], 2);
    EXPECT_EQ(calls["OX_SetDlgFocus"], 0);
    EXPECT_EQ(report["terminated"], true);
}
