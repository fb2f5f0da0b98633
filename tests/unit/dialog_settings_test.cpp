// The settings dialog through the module's procedure and the native dialog model: opening,
// validation on OK, stepping, automatic V and enabling.
#include <gtest/gtest.h>

#include <cstring>

#include "core/dialog_units.h"
#include "dialog_harness.h"

using namespace dialogtest;

namespace {

const char *const kPageRangeError = "Page range is non-valid";
const char *const kRangeError = "Adjustment values must be between -1000 and 1000 ORVUs.";

class SettingsDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        freshDocument(10);
        settings = kLoadTimeSettings;
        settings.autoAdjustV = 0;
    }
    DividerSettings settings{};
};

std::vector<std::string> texts(const std::vector<standin::MessageRecord> &messages) {
    std::vector<std::string> result;
    for (const auto &message : messages)
        result.push_back(message.text);
    return result;
}

TEST_F(SettingsDialog, FontSizeOutsideTheListOpensOn18AndOkStoresIt) {
    settings.fontSize = 15;
    const Outcome outcome = runSettings(settings, {"snapshot"});
    EXPECT_EQ(outcome.snapshot(0)["controls"]["103"]["selected"], 7);
    EXPECT_EQ(outcome.snapshot(0)["focus"], 103);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(settings.fontSize, 18);

    settings.fontSize = 14;
    EXPECT_EQ(
        runSettings(settings, {"snapshot", "key esc"}).snapshot(0)["controls"]["103"]["selected"],
        5);
}

TEST_F(SettingsDialog, OpensOnTheWholeDocumentWhateverRangeWasStored) {
    settings.firstPage = 3;
    settings.lastPage = 5;
    settings.selectedPagesOnly = 1;
    settings.pageCount = 99;
    settings.dialogAccepted = 1;
    const Outcome outcome = runSettings(settings, {"snapshot", "key esc"});
    const Json &opened = outcome.snapshot(0)["controls"];
    EXPECT_EQ(opened["110"]["text"], "1");
    EXPECT_EQ(opened["112"]["text"], "10");
    EXPECT_EQ(opened["109"]["checked"], 1);
    EXPECT_EQ(opened["108"]["checked"], 0);
    for (const char *id : {"110", "122", "111", "112", "123"})
        EXPECT_TRUE(opened[id]["enabled"]) << id;
    // Cancel keeps the fields but the refreshed page count and the cleared acceptance.
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(settings.firstPage, 3);
    EXPECT_EQ(settings.lastPage, 5);
    EXPECT_EQ(settings.pageCount, 10);
    EXPECT_EQ(settings.dialogAccepted, 0);
}

TEST_F(SettingsDialog, DialogThatCannotOpenCountsAsCancelAfterAnEarlierOk) {
    settings.dialogAccepted = 1;
    standin::host().failRules.push_back({"OX_Dialog", 1});
    const Outcome outcome = runSettings(settings, {"click 1"});
    EXPECT_EQ(outcome.result, 0);
    EXPECT_TRUE(outcome.dialogs.empty());
    EXPECT_EQ(settings.dialogAccepted, 0);
}

TEST_F(SettingsDialog, AutoAdjustOpensWithTheComputedV) {
    settings.autoAdjustV = 1;
    settings.vAdjust = 500;
    const Outcome outcome = runSettings(settings, {"snapshot"});
    const Json &opened = outcome.snapshot(0)["controls"];
    EXPECT_EQ(opened["117"]["text"], "72");
    for (const char *id : {"116", "117", "125"})
        EXPECT_FALSE(opened[id]["enabled"]) << id;
    EXPECT_EQ(settings.vAdjust, 72);
    // A copy: the packed field may not be aligned for a reference.
    const int32_t autoAdjustV = settings.autoAdjustV;
    EXPECT_EQ(autoAdjustV, 1);
}

TEST_F(SettingsDialog, StoredValuesOutsideTheirControlsComeBackAsTheControlsShowThem) {
    // The check box keeps only 0 or 1; an origin beyond the four items leaves none chosen.
    settings.autoAdjustV = 0x10000;
    settings.rightMarginOrigin = 7;
    const Outcome outcome = runSettings(settings, {"snapshot"});
    EXPECT_EQ(outcome.snapshot(0)["controls"]["118"]["checked"], 1);
    EXPECT_EQ(outcome.snapshot(0)["controls"]["120"]["selected"], -1);
    EXPECT_EQ(outcome.snapshot(0)["controls"]["120"]["text"], "");
    const int32_t autoAdjustV = settings.autoAdjustV;
    EXPECT_EQ(autoAdjustV, 1);
    EXPECT_EQ(settings.rightMarginOrigin, -1);
}

TEST_F(SettingsDialog, OkWritesEveryField) {
    const Outcome outcome = runSettings(
        settings, {"pick 103 24", "click 106", "click 109", "type 110 2", "type 112 9",
                   "type 115 -12.7", "type 117 300", "pick 120 On Odd Pages", "click 1"});
    EXPECT_EQ(outcome.result, 1);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(outcome.final()["focus"], 1);
    const DividerSettings expected = {2, 9, -12, 300, 24, 1, 1, 0, 2, 1, 0, 10};
    EXPECT_EQ(std::memcmp(&settings, &expected, sizeof settings), 0);
}

TEST_F(SettingsDialog, AllPagesStoresTheWholeDocumentWhateverTheEditsHold) {
    runSettings(settings, {"click 109", "type 110 4", "type 112 3", "click 108", "click 1"});
    EXPECT_EQ(settings.firstPage, 1);
    EXPECT_EQ(settings.lastPage, 10);
    EXPECT_EQ(settings.selectedPagesOnly, 0);
}

TEST_F(SettingsDialog, PageRangeErrorsMoveTheFocus) {
    const struct {
        const char *first, *last;
        int focus;
        std::vector<int> selection;
    } cases[] = {
        {"2", "11", 112, {2, 2}}, // the last-page edit keeps its caret
        {"0", "5", 110, {0, 1}},  // the first-page edit gets its text selected
        {"6", "5", 110, {0, 1}},
        {"0", "11", 112, {2, 2}}, // the last page is tested first
    };
    for (const auto &range : cases) {
        settings = kLoadTimeSettings;
        // The edit that is not to get the focus is typed last, so the focus has to move.
        const bool lastFocused = range.focus == 112;
        const std::string first = std::string("type 110 ") + range.first;
        const std::string last = std::string("type 112 ") + range.last;
        const Outcome outcome =
            runSettings(settings, {"click 109", lastFocused ? last : first,
                                   lastFocused ? first : last, "click 1", "snapshot", "click 2"});
        EXPECT_EQ(texts(outcome.messages), std::vector<std::string>{kPageRangeError});
        EXPECT_EQ(outcome.messages[0].caption, "Page Range Error");
        EXPECT_EQ(outcome.messages[0].style, 0x10u);
        EXPECT_EQ(outcome.messages[0].owner, "20128");
        const Json &after = outcome.snapshot(0);
        EXPECT_EQ(after["focus"], range.focus) << range.first << " to " << range.last;
        EXPECT_EQ(selection(after["controls"][std::to_string(range.focus)]), range.selection);
        EXPECT_EQ(outcome.result, 0);
        EXPECT_EQ(settings.firstPage, 1);
        EXPECT_EQ(settings.lastPage, 1);
    }
}

TEST_F(SettingsDialog, DocumentWithoutPagesRefusesEverySelectedRange) {
    freshDocument(0);
    for (const auto &steps : std::vector<std::vector<std::string>>{
             {"click 109", "click 1", "click 2"},
             {"click 109", "type 110 0", "type 112 0", "click 1", "click 2"}}) {
        const Outcome outcome = runSettings(settings, steps);
        EXPECT_EQ(texts(outcome.messages), std::vector<std::string>{kPageRangeError});
        EXPECT_EQ(outcome.result, 0);
    }
    EXPECT_EQ(runSettings(settings, {"click 1"}).result, 1);
    EXPECT_EQ(settings.firstPage, 1);
    EXPECT_EQ(settings.lastPage, 0);
}

TEST_F(SettingsDialog, AdjustmentsAreTruncatedAndLimited) {
    const struct {
        const char *typed;
        bool accepted;
        int16_t stored;
    } cases[] = {{"1000", true, 1000},
                 {"-1000", true, -1000},
                 {"1000.9", true, 1000},
                 {"-1000.9", true, -1000},
                 {"999.9", true, 999},
                 {"-0.5", true, 0},
                 {"1001", false, 0},
                 {"-1001", false, 0},
                 {"abc", true, 0},
                 {"1e3", true, 1000},
                 {"1e309", true, 0},
                 // Within 1/16 ORVU of a whole number: that number.
                 {"999.99", true, 1000},
                 {"45.9375", true, 46},
                 {"45.937", true, 45},
                 {"-70.99", true, -71},
                 {"1000.95", false, 0}};
    for (const auto &value : cases) {
        for (int edit : {115, 117}) {
            settings = kLoadTimeSettings;
            settings.autoAdjustV = 0;
            settings.hAdjust = settings.vAdjust = 7;
            const Outcome outcome =
                runSettings(settings, {"type " + std::to_string(edit) + " " + value.typed,
                                       "click 1", "snapshot", "click 2"});
            const int16_t stored = edit == 115 ? settings.hAdjust : settings.vAdjust;
            EXPECT_EQ(outcome.result, value.accepted ? 1 : 0) << value.typed;
            EXPECT_EQ(stored, value.accepted ? value.stored : 7) << value.typed;
            if (value.accepted)
                continue;
            EXPECT_EQ(texts(outcome.messages), std::vector<std::string>{kRangeError});
            EXPECT_EQ(outcome.messages[0].caption, "Range Error");
            const Json &after = outcome.snapshot(0);
            EXPECT_EQ(after["focus"], edit);
            const int length = static_cast<int>(std::string(value.typed).size());
            EXPECT_EQ(selection(after["controls"][std::to_string(edit)]),
                      (std::vector<int>{0, length}));
        }
    }
}

TEST_F(SettingsDialog, OneOkShowsOneBoxInTheOrderRangeHV) {
    Outcome outcome = runSettings(
        settings, {"type 117 5000", "type 115 -5000", "click 1", "snapshot", "click 2"});
    EXPECT_EQ(texts(outcome.messages), std::vector<std::string>{kRangeError});
    EXPECT_EQ(outcome.snapshot(0)["focus"], 115);

    outcome =
        runSettings(settings, {"type 115 5000", "click 109", "type 112 11", "click 1", "click 2"});
    EXPECT_EQ(texts(outcome.messages), std::vector<std::string>{kPageRangeError});

    outcome =
        runSettings(settings, {"type 117 1001", "type 115 3", "click 1", "snapshot", "click 2"});
    EXPECT_EQ(outcome.snapshot(0)["focus"], 117);
    EXPECT_EQ(settings.hAdjust, 0);
}

TEST_F(SettingsDialog, StepsHAndVWithinTheLimits) {
    const struct {
        const char *typed, *arrow, *shown;
    } cases[] = {{"1000", "up", "1000"},   {"-1000", "down", "-1000"},
                 {"5000", "up", "1000"},   {"5000", "down", "1000"},
                 {"-5000", "up", "-1000"}, {"2.5", "up", "3.5"},
                 {"2.5", "down", "1.5"},   {"", "up", "1"},
                 {"x", "down", "-1"}};
    for (const auto &step : cases)
        for (const auto &[edit, spin] : {std::pair{115, 124}, std::pair{117, 125}}) {
            const Outcome outcome = runSettings(
                settings, {"type " + std::to_string(edit) + " " + step.typed,
                           "spin " + std::to_string(spin) + " " + step.arrow, "key esc"});
            EXPECT_EQ(outcome.text(edit), step.shown) << step.typed << " " << step.arrow;
            EXPECT_EQ(outcome.final()["focus"], edit);
            const int length = static_cast<int>(std::string(step.shown).size());
            EXPECT_EQ(selection(outcome.control(edit)), (std::vector<int>{0, length}));
        }
}

TEST_F(SettingsDialog, StepsOneOrvuInTheDocumentUnit) {
    const struct {
        int16_t unit;
        const char *typed, *up, *down;
    } cases[] = {
        {2, "1", "1.0035", "0.9965"}, // inch, 288 ORVU
        {3, "1", "1.0088", "0.9912"}, // cm
        {4, "1", "1.25", "0.75"},     // point, 4 ORVU
        {5, "1", "1.0208", "0.9792"}, // pica, 48 ORVU
        {6, "1", "1.0417", "0.9583"}, // space, 24 ORVU
        {7, "1", "1.0882", "0.9118"}, // mm
        {9, "1", "2", "0"},           // unknown codes count in ORVU
        {2, "4", "3.4722", "3.4722"}, // 1152 ORVU steps back to the limit of 1000
    };
    for (const auto &unit : cases) {
        freshDocument(1, unit.unit);
        settings = kLoadTimeSettings;
        settings.autoAdjustV = 0;
        const Outcome outcome = runSettings(
            settings, {std::string("type 115 ") + unit.typed, "spin 124 up",
                       std::string("type 117 ") + unit.typed, "spin 125 down", "key esc"});
        EXPECT_EQ(outcome.text(115), unit.up) << "unit " << unit.unit;
        EXPECT_EQ(outcome.text(117), unit.down) << "unit " << unit.unit;
    }
}

TEST_F(SettingsDialog, AdjustmentsShowAndReadInTheDocumentUnit) {
    freshDocument(1, 2);
    settings.hAdjust = 144;
    settings.vAdjust = -7;
    const Outcome outcome = runSettings(settings, {"snapshot"});
    EXPECT_EQ(outcome.snapshot(0)["controls"]["115"]["text"], "0.5");
    EXPECT_EQ(outcome.snapshot(0)["controls"]["117"]["text"], "-0.0243");
    EXPECT_EQ(settings.hAdjust, 144);
    // Four decimals of an inch do not hold 7 ORVU exactly; what they give is close enough.
    EXPECT_EQ(settings.vAdjust, -7);
}

// Every whole adjustment survives being shown and read back in every unit.
TEST(AdjustmentRoundTrip, EveryWholeOrvuInEveryUnit) {
    for (int32_t unit = 1; unit <= 7; ++unit)
        for (int n = -1000; n <= 1000; ++n) {
            const std::string shown = standin::formatUserValue(n, unit);
            int16_t read = 0;
            ASSERT_TRUE(adjustmentFromEdit(standin::parseUserValue(shown, unit), &read))
                << "unit " << unit << ", " << n << " shown as " << shown;
            ASSERT_EQ(read, n) << "unit " << unit << ", shown as " << shown;
        }
}

TEST_F(SettingsDialog, OriginUpDownStopsAtBothEnds) {
    const struct {
        int16_t origin;
        const char *arrow, *shown;
    } cases[] = {{0, "up", "Never"},
                 {3, "down", "On Even Pages"},
                 {1, "down", "On Odd Pages"},
                 {1, "up", "Never"},
                 {7, "down", "Never"}};
    for (const auto &step : cases) {
        settings.rightMarginOrigin = step.origin;
        const Outcome outcome =
            runSettings(settings, {std::string("spin 126 ") + step.arrow, "snapshot", "click 1"});
        EXPECT_EQ(outcome.snapshot(0)["controls"]["120"]["text"], step.shown)
            << step.origin << " " << step.arrow;
        // The combo box is no edit: the focus stays in the list where the dialog put it.
        EXPECT_EQ(outcome.snapshot(0)["focus"], 103);
        EXPECT_EQ(settings.rightMarginOrigin, outcome.snapshot(0)["controls"]["120"]["selected"]);
    }
}

TEST_F(SettingsDialog, AutoAdjustFollowsEverySizeOfTheList) {
    settings.autoAdjustV = 1;
    std::vector<std::string> steps;
    const char *const sizes[] = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                 "20", "22", "24", "26", "28", "36", "48"};
    for (const char *size : sizes) {
        steps.push_back(std::string("pick 103 ") + size);
        steps.push_back("snapshot");
    }
    const Outcome outcome = runSettings(settings, steps);
    const char *const expected[] = {"41",  "46",  "52",  "57",  "62",  "72",  "83", "93",
                                    "104", "114", "124", "135", "145", "187", "249"};
    for (size_t index = 0; index < 15; ++index) {
        EXPECT_EQ(outcome.snapshot(index)["controls"]["117"]["text"], expected[index]);
    }
    EXPECT_EQ(settings.fontSize, 48);
    EXPECT_EQ(settings.vAdjust, 249);
}

TEST_F(SettingsDialog, ManualVIgnoresTheFontSize) {
    settings.vAdjust = 33;
    const Outcome outcome = runSettings(settings, {"pick 103 48", "click 1"});
    EXPECT_EQ(outcome.text(117), "33");
    EXPECT_EQ(settings.vAdjust, 33);
}

TEST_F(SettingsDialog, AutoAdjustBoxRecomputesOrFreesV) {
    settings.vAdjust = 33;
    const Outcome outcome =
        runSettings(settings, {"click 118", "snapshot", "click 118", "key esc"});
    const Json &ticked = outcome.snapshot(0);
    EXPECT_EQ(ticked["controls"]["117"]["text"], "72");
    EXPECT_FALSE(ticked["controls"]["117"]["enabled"]);
    EXPECT_EQ(ticked["focus"], 118);
    // Unticked, V keeps its value, comes back, and takes the focus without a selection.
    EXPECT_EQ(outcome.text(117), "72");
    for (int id : {116, 117, 125})
        EXPECT_TRUE(outcome.control(id)["enabled"]) << id;
    EXPECT_EQ(outcome.final()["focus"], 117);
    EXPECT_EQ(selection(outcome.control(117)), (std::vector<int>{0, 0}));
}

TEST_F(SettingsDialog, PageChoiceEnablesThePageControls) {
    const Outcome outcome = runSettings(
        settings, {"snapshot", "click 109", "snapshot", "type 110 3", "click 108", "key esc"});
    for (const char *id : {"110", "122", "111", "112", "123"}) {
        EXPECT_FALSE(outcome.snapshot(0)["controls"][id]["enabled"]) << id;
        EXPECT_TRUE(outcome.snapshot(1)["controls"][id]["enabled"]) << id;
        EXPECT_FALSE(outcome.control(std::stoi(id))["enabled"]) << id;
    }
    EXPECT_EQ(outcome.snapshot(1)["focus"], 110);
    EXPECT_EQ(selection(outcome.snapshot(1)["controls"]["110"]), (std::vector<int>{0, 1}));
    // A greyed edit cannot be typed into.
    EXPECT_TRUE(runSettings(settings, {"type 110 3", "key esc"}).skippedSteps ==
                std::vector<std::string>{"type 110 3"});
}

TEST_F(SettingsDialog, PageUpDownsKeepToTheDocument) {
    const Outcome outcome =
        runSettings(settings, {"click 109", "spin 122 down", "spin 123 up", "snapshot",
                               "spin 122 up", "spin 123 down", "click 1"});
    EXPECT_EQ(outcome.snapshot(0)["controls"]["110"]["text"], "1");
    EXPECT_EQ(outcome.snapshot(0)["controls"]["112"]["text"], "10");
    EXPECT_EQ(settings.firstPage, 2);
    EXPECT_EQ(settings.lastPage, 9);
}

} // namespace
