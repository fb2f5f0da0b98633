#include <gtest/gtest.h>

#include "core/options.h"
#include "core/report.h"

using standin::CommandLine;

namespace {
CommandLine parsed(const std::vector<std::string> &arguments) {
    return standin::parseCommandLine("orvane-sim", arguments);
}
} // namespace

TEST(CommandLineOptions, ReadsEveryOption) {
    const CommandLine line = parsed({"doc.json",
                                     "--registry",
                                     "reg.json",
                                     "--out",
                                     "out.json",
                                     "--report",
                                     "-",
                                     "--svg",
                                     "p.svg",
                                     "--keys",
                                     "shift,ctrl",
                                     "--do",
                                     "click 1;key  enter",
                                     "--do",
                                     "",
                                     "--fail",
                                     "OX_NextEData:3",
                                     "--fail",
                                     "malloc:7",
                                     "--fail",
                                     "OX_LoadEData:1",
                                     "--fail",
                                     "malloc:5"});
    ASSERT_EQ(line.exitStatus, standin::kGoOn) << line.message;
    const standin::Options &options = line.options;
    EXPECT_EQ(options.documentPath, "doc.json");
    EXPECT_EQ(options.registryPath, "reg.json");
    EXPECT_EQ(options.reportPath, "-");
    EXPECT_TRUE(options.controlHeld && options.shiftHeld);
    ASSERT_EQ(options.scripts.size(), 2u);
    EXPECT_EQ(options.scripts[0], (std::vector<std::string>{"click 1", "key enter"}));
    EXPECT_TRUE(options.scripts[1].empty());
    ASSERT_EQ(options.failRules.size(), 2u);
    EXPECT_EQ(options.failRules[0].service, "OX_NextEData");
    EXPECT_EQ(options.failRules[0].call, 3);
    // From the first failing allocation on, every one fails.
    EXPECT_EQ(options.failAllocationsFrom, 5);
}

TEST(CommandLineOptions, FailRuleReachesEveryHostService) {
    for (const char *service : standin::kHostServiceNames) {
        const CommandLine line = parsed({"doc.json", "--fail", std::string(service) + ":2"});
        ASSERT_EQ(line.exitStatus, standin::kGoOn) << line.message;
        ASSERT_EQ(line.options.failRules.size(), 1u) << service;
        EXPECT_EQ(line.options.failRules[0].service, service);
    }
}

TEST(CommandLineOptions, DefaultsToOneInvocationWithoutKeys) {
    for (const char *keys : {"none", ""}) {
        SCOPED_TRACE(std::string("--keys '") + keys + "'");
        const CommandLine line = parsed({"doc.json", "--keys", keys});
        ASSERT_EQ(line.exitStatus, standin::kGoOn) << line.message;
        EXPECT_FALSE(line.options.controlHeld || line.options.shiftHeld);
        EXPECT_EQ(line.options.scripts.size(), 1u);
        EXPECT_TRUE(line.options.scripts[0].empty());
    }
    EXPECT_TRUE(parsed({"doc.json", "--keys", "ctrl"}).options.controlHeld);
    EXPECT_FALSE(parsed({"doc.json", "--keys", "ctrl"}).options.shiftHeld);
}

TEST(CommandLineOptions, BadCommandLinesExitWithTwoAndOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"a.json", "b.json"},
        {"doc.json", "--bogus"},
        {"doc.json", "--keys", "alt"},
        {"doc.json", "--keys", "ctrl,"},
        {"doc.json", "--fail", "OX_Dialogue:1"},
        {"doc.json", "--fail", "OX_LoadEData:0"},
        {"doc.json", "--fail", "OX_LoadEData"},
        {"doc.json", "--fail", "OX_LoadEData:1x"},
        {"doc.json", "--do", "click"},
        {"doc.json", "--do"},
        {"doc.json", "--out", ""},
        {"doc.json", "--out", "a", "--out", "b"},
        {"doc.json", "--fail", "malloc:0"},
        // The module is linked into orvane-sim: there is no DLL to load before it.
        {"doc.json", "--preload", "libgcc_s_dw2-1.dll"},
    };
    for (const auto &arguments : bad) {
        const CommandLine line = parsed(arguments);
        EXPECT_EQ(line.exitStatus, 2) << testing::PrintToString(arguments);
        EXPECT_EQ(line.message.rfind("orvane-sim: ", 0), 0u) << line.message;
        EXPECT_EQ(line.message.find('\n'), std::string::npos) << line.message;
    }
    EXPECT_EQ(parsed({"--help"}).exitStatus, 0);
}
