#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/document_file.h"
#include "core/run.h"
#include "core/strict_json.h"
#include "native/linked_module.h"
#include "native/windows_api.h"
#include "resources/version.h"

namespace fs = std::filesystem;

namespace {

class HostRun : public testing::Test {
  protected:
    void SetUp() override {
        directory_ = fs::temp_directory_path() /
                     ("standin_run_" +
                      std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(directory_);
        fs::create_directories(directory_);
        options_.documentPath = file("doc.json");
        options_.registryPath = file("reg.json");
        options_.outPath = file("out.json");
        options_.reportPath = file("report.json");
        options_.svgPath = file("pages.svg");
        options_.scripts.emplace_back();
    }
    void TearDown() override { fs::remove_all(directory_); }

    std::string file(const std::string &name) const { return (directory_ / name).string(); }
    void write(const std::string &name, const std::string &text) const {
        std::ofstream(file(name), std::ios::binary) << text;
    }
    std::string read(const std::string &name) const {
        std::ostringstream text;
        text << std::ifstream(file(name), std::ios::binary).rdbuf();
        return text.str();
    }
    standin::RunOutcome run() {
        return standin::runHost(options_, standin::linkedModule(), hooks_);
    }

    fs::path directory_;
    standin::Options options_;
    standin::RunHooks hooks_;
};

} // namespace

TEST(Enumeration, ModuleWritesExactlyTheDescriptorsBytes) {
    standin::DescriptorBuffer buffer;
    ASSERT_EQ(standin::enumerateCommand(standin::linkedModule(), 0, buffer), 1);
    const std::string menuText = "RZ Velunor &Divider [v " DIVAZIVIR_VERSION "]...";
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(buffer.data())), menuText);
    for (size_t i = menuText.size(); i < 64; ++i)
        EXPECT_EQ(buffer[i], 0) << "byte " << i; // zero-padded to the end of the field
    for (size_t i = 192; i < 196; ++i)
        EXPECT_EQ(buffer[i], 0) << "host word byte " << i;
    for (size_t i = 196; i < buffer.size(); ++i)
        ASSERT_EQ(buffer[i], standin::kDescriptorFill) << "byte " << i << " written";

    ASSERT_EQ(standin::enumerateCommand(standin::linkedModule(), 1, buffer), 0);
    for (size_t i = 0; i < buffer.size(); ++i)
        ASSERT_EQ(buffer[i], standin::kDescriptorFill) << "byte " << i;
    // Only the low half counts, as a signed number: 0 and every negative one describe the command.
    const struct {
        int32_t index, result;
    } indices[] = {{0x10000, 1}, {-1, 1},     {-32768, 1},  {0x1FFFF, 1},
                   {0x8000, 1},  {0x7FFF, 0}, {0x10001, 0}, {-65535, 0}};
    for (const auto &index : indices)
        EXPECT_EQ(standin::enumerateCommand(standin::linkedModule(), index.index, buffer),
                  index.result)
            << "index " << index.index;
}

TEST_F(HostRun, BadInputWritesNothing) {
    const std::string registry = R"({"Software\\ZOZaduzev\\DIVazivir": {}})";
    write("reg.json", registry);
    write("doc.json", R"({"pages": [{"page": 1, "firstSystem": 40000}]})");
    standin::RunOutcome outcome = run();
    EXPECT_EQ(outcome.exitStatus, 2);
    EXPECT_EQ(outcome.errors, file("doc.json") + ": pages[0].firstSystem: 40000 is out of range "
                                                 "(-32768 to 32767)\n");

    write("doc.json", "{}");
    write("reg.json", R"({"Software\\ZOZaduzev\\DIVazivir": {"ShowWarning": {"hex": "x"}}})");
    outcome = run();
    EXPECT_EQ(outcome.exitStatus, 2);
    EXPECT_NE(outcome.errors.find("ShowWarning.hex"), std::string::npos) << outcome.errors;
    EXPECT_EQ(std::count(outcome.errors.begin(), outcome.errors.end(), '\n'), 1);

    for (const char *output : {"out.json", "report.json", "pages.svg"})
        EXPECT_FALSE(fs::exists(file(output))) << output;
    EXPECT_TRUE(standin::host().invocations.empty()); // the module was never invoked
}

TEST_F(HostRun, WritesEveryOutputAndCreatesTheRegistryFile) {
    write("doc.json", R"({"partMark": -8})");
    options_.controlHeld = options_.shiftHeld = true;
    options_.scripts = {{"answer yes"}, {}};
    const standin::RunOutcome outcome = run();
    ASSERT_EQ(outcome.exitStatus, 0) << outcome.errors;
    EXPECT_EQ(read("out.json"),
              standin::documentJson(standin::host().store, standin::host().pendingLayout));
    EXPECT_EQ(read("reg.json"), "{\n  \"Software\\\\ZOZaduzev\\\\DIVazivir\": {\n    "
                                "\"ShowWarning\": {\n      \"type\": 3,\n      \"hex\": \"0100\"\n"
                                "    }\n  }\n}\n");
    EXPECT_TRUE(fs::exists(file("pages.svg")));
    const standin::Json report = standin::Json::parse(read("report.json"));
    ASSERT_EQ(report["invocations"].size(), 2u);
    const standin::Json &first = report["invocations"][0];
    EXPECT_EQ(first["result"], 0);
    EXPECT_EQ(first["messages"][0]["caption"], "Extracted Part");
    EXPECT_EQ(first["messages"][0]["owner"], "host");
    // The extracted-part box has only OK: the yes is skipped.
    EXPECT_EQ(first["skippedSteps"], standin::Json::parse(R"(["answer yes"])"));
    EXPECT_EQ(report["hostCalls"]["OX_LoadEData"], 2);
}

TEST_F(HostRun, FailRuleReachesTheModule) {
    write("doc.json", R"({"partMark": -8})");
    options_.failRules = {{"OX_LoadEData", 1}};
    options_.scripts = {{"key esc"}, {"key esc"}};
    ASSERT_EQ(run().exitStatus, 0);
    const standin::Json report = standin::Json::parse(read("report.json"));
    // The first part-mark load fails, so the document counts as a score once.
    EXPECT_TRUE(report["invocations"][0]["messages"].empty());
    EXPECT_EQ(report["invocations"][1]["messages"][0]["caption"], "Extracted Part");
}

TEST_F(HostRun, FailingDialogAndLayoutServicesDoNothingButAreCounted) {
    write("doc.json", "{}");
    options_.failRules = {{"OX_Dialog", 1}, {"OX_UpdateLayout", 1}};
    options_.scripts = {{"click 1"}, {"click 1"}};
    ASSERT_EQ(run().exitStatus, 0);
    const standin::Json report = standin::Json::parse(read("report.json"));
    // No dialog opens for the first invocation, so its step is left over.
    EXPECT_TRUE(report["invocations"][0]["dialogs"].empty());
    EXPECT_EQ(report["invocations"][0]["skippedSteps"], standin::Json::parse(R"(["click 1"])"));
    EXPECT_EQ(report["invocations"][1]["updateLayoutCalls"], 0);
    EXPECT_EQ(report["hostCalls"]["OX_UpdateLayout"], 1);
    // The settings dialog and the warning of the second invocation, and the failed call.
    EXPECT_EQ(report["hostCalls"]["OX_Dialog"], 3);
}

TEST_F(HostRun, UnwritableOutputFailsTheRunAfterwards) {
    write("doc.json", "{}");
    options_.outPath = file("missing/dir/out.json");
    const standin::RunOutcome outcome = run();
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_NE(outcome.errors.find("missing/dir/out.json: cannot create"), std::string::npos);
    EXPECT_TRUE(fs::exists(file("report.json")));
}
