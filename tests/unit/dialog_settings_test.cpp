// The settings dialog through the module's procedure and the native dialog model: opening,
// validation on OK, stepping, automatic V and enabling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/dialog_units.h"
#include "dialog_harness.h"

using namespace dialogtest;

namespace {

const char *const kPageRangeError = "Page range is non-valid";
const char *const kRangeError = "Adjustment values must be between -1000 and 1000 ORVUs.";
// What "Selected pages" enables, and what "Auto-adjust V" greys.
const int kPageControls[] = {IDC_FIRST_PAGE, IDC_FIRST_PAGE_SPIN, IDC_PAGE_RANGE_TO, IDC_LAST_PAGE,
                             IDC_LAST_PAGE_SPIN};
const int kVControls[] = {IDC_V_LABEL, IDC_V_ADJUST, IDC_V_SPIN};

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
    EXPECT_EQ(controlOf(outcome.snapshot(0), IDC_FONT_SIZE_LIST)["selected"], 7);
    EXPECT_EQ(outcome.snapshot(0)["focus"], IDC_FONT_SIZE_LIST);
    EXPECT_EQ(outcome.result, 1);
    EXPECT_EQ(settings.fontSize, 18);

    settings.fontSize = 14;
    EXPECT_EQ(controlOf(runSettings(settings, {"snapshot", "key esc"}).snapshot(0),
                        IDC_FONT_SIZE_LIST)["selected"],
              5);
}

TEST_F(SettingsDialog, OpensOnTheWholeDocumentWhateverRangeWasStored) {
    settings.firstPage = 3;
    settings.lastPage = 5;
    settings.selectedPagesOnly = 1;
    settings.pageCount = 99;
    settings.dialogAccepted = 1;
    const Outcome outcome = runSettings(settings, {"snapshot", "key esc"});
    const Json &opened = outcome.snapshot(0);
    EXPECT_EQ(controlOf(opened, IDC_FIRST_PAGE)["text"], "1");
    EXPECT_EQ(controlOf(opened, IDC_LAST_PAGE)["text"], "10");
    EXPECT_EQ(controlOf(opened, IDC_SELECTED_PAGES)["checked"], 1);
    EXPECT_EQ(controlOf(opened, IDC_ALL_PAGES)["checked"], 0);
    for (int id : kPageControls)
        EXPECT_TRUE(controlOf(opened, id)["enabled"]) << id;
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
    const Json &opened = outcome.snapshot(0);
    EXPECT_EQ(controlOf(opened, IDC_V_ADJUST)["text"], "72");
    for (int id : kVControls)
        EXPECT_FALSE(controlOf(opened, id)["enabled"]) << id;
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
    EXPECT_EQ(controlOf(outcome.snapshot(0), IDC_AUTO_ADJUST_V)["checked"], 1);
    EXPECT_EQ(controlOf(outcome.snapshot(0), IDC_MARGIN_ORIGIN)["selected"], -1);
    EXPECT_EQ(controlOf(outcome.snapshot(0), IDC_MARGIN_ORIGIN)["text"], "");
    const int32_t autoAdjustV = settings.autoAdjustV;
    EXPECT_EQ(autoAdjustV, 1);
    EXPECT_EQ(settings.rightMarginOrigin, -1);
}

// Each row opens the dialog on a stored record with some fields off their defaults; every control
// (checked, selected, text, enabled) and the focus must be as the dialog opened on the defaults
// shows them, but for the differences the row gives, as a merge patch of the controls.
TEST_F(SettingsDialog, OpensOnStoredRecordsAsTheirFieldsSay) {
    const Json defaults = runSettings(settings, {"snapshot", "key esc"}).snapshot(0);
    const std::string selectedPages = R"({"108": {"checked": 0}, "109": {"checked": 1},
        "110": {"enabled": true}, "122": {"enabled": true}, "111": {"enabled": true},
        "112": {"enabled": true}, "123": {"enabled": true}})";
    const std::string boundaries = R"({"105": {"checked": 0}, "106": {"checked": 1}})";
    const struct {
        int16_t DividerSettings::*field;
        int16_t value;
        std::string differences;
    } cases[] = {
        {&DividerSettings::vPositionMode, 1, boundaries},
        {&DividerSettings::vPositionMode, -32768, boundaries},
        // Any nonzero value is "Selected pages", also one whose low byte is 0.
        {&DividerSettings::selectedPagesOnly, 2, selectedPages},
        {&DividerSettings::selectedPagesOnly, 0x100, selectedPages},
        {&DividerSettings::fontSize, 48, R"({"103": {"selected": 14}})"},
        {&DividerSettings::hAdjust, -12, R"({"115": {"text": "-12"}})"},
        {&DividerSettings::vAdjust, 1000, R"({"117": {"text": "1000"}})"},
        {&DividerSettings::rightMarginOrigin, 3,
         R"({"120": {"selected": 3, "text": "On Even Pages"}})"},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.differences);
        settings = kLoadTimeSettings;
        settings.autoAdjustV = 0;
        settings.*row.field = row.value;
        Json expected = defaults;
        expected["controls"].merge_patch(Json::parse(row.differences));
        EXPECT_EQ(runSettings(settings, {"snapshot", "key esc"}).snapshot(0), expected);
    }
}

TEST_F(SettingsDialog, OkWritesEveryField) {
    const Outcome outcome = runSettings(
        settings, {pick(IDC_FONT_SIZE_LIST, "24"), click(IDC_SYSTEM_BOUNDARIES_MODE),
                   click(IDC_SELECTED_PAGES), type(IDC_FIRST_PAGE, "2"), type(IDC_LAST_PAGE, "9"),
                   type(IDC_H_ADJUST, "-12.7"), type(IDC_V_ADJUST, "300"),
                   pick(IDC_MARGIN_ORIGIN, "On Odd Pages"), click(IDC_SETTINGS_OK)});
    EXPECT_EQ(outcome.result, 1);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(outcome.final()["focus"], IDC_SETTINGS_OK);
    const DividerSettings expected = {2, 9, -12, 300, 24, 1, 1, 0, 2, 1, 0, 10};
    EXPECT_EQ(std::memcmp(&settings, &expected, sizeof settings), 0);
}

TEST_F(SettingsDialog, AllPagesStoresTheWholeDocumentWhateverTheEditsHold) {
    runSettings(settings, {click(IDC_SELECTED_PAGES), type(IDC_FIRST_PAGE, "4"),
                           type(IDC_LAST_PAGE, "3"), click(IDC_ALL_PAGES), click(IDC_SETTINGS_OK)});
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
        {"2", "11", IDC_LAST_PAGE, {2, 2}}, // the last-page edit keeps its caret
        {"0", "5", IDC_FIRST_PAGE, {0, 1}}, // the first-page edit gets its text selected
        {"6", "5", IDC_FIRST_PAGE, {0, 1}},
        {"0", "11", IDC_LAST_PAGE, {2, 2}},   // the last page is tested first
        {"2", "1234", IDC_LAST_PAGE, {3, 3}}, // a page edit takes three digits: 123
    };
    for (const auto &range : cases) {
        SCOPED_TRACE(std::string(range.first) + " to " + range.last);
        settings = kLoadTimeSettings;
        // The edit that is not to get the focus is typed last, so the focus has to move.
        const bool lastFocused = range.focus == IDC_LAST_PAGE;
        const std::string first = type(IDC_FIRST_PAGE, range.first);
        const std::string last = type(IDC_LAST_PAGE, range.last);
        const Outcome outcome =
            runSettings(settings, {click(IDC_SELECTED_PAGES), lastFocused ? last : first,
                                   lastFocused ? first : last, click(IDC_SETTINGS_OK), "snapshot",
                                   click(IDC_SETTINGS_CANCEL)});
        EXPECT_EQ(texts(outcome.messages), std::vector<std::string>{kPageRangeError});
        EXPECT_EQ(outcome.messages[0].caption, "Page Range Error");
        EXPECT_EQ(outcome.messages[0].style, 0x10u);
        EXPECT_EQ(outcome.messages[0].owner, std::to_string(IDD_DIVIDER_SETTINGS));
        const Json &after = outcome.snapshot(0);
        EXPECT_EQ(after["focus"], range.focus);
        EXPECT_EQ(selection(controlOf(after, range.focus)), range.selection);
        EXPECT_EQ(outcome.result, 0);
        EXPECT_EQ(settings.firstPage, 1);
        EXPECT_EQ(settings.lastPage, 1);
    }
}

TEST_F(SettingsDialog, DocumentWithoutPagesRefusesEverySelectedRange) {
    freshDocument(0);
    for (const auto &steps : std::vector<std::vector<std::string>>{
             {click(IDC_SELECTED_PAGES), click(IDC_SETTINGS_OK), click(IDC_SETTINGS_CANCEL)},
             {click(IDC_SELECTED_PAGES), type(IDC_FIRST_PAGE, "0"), type(IDC_LAST_PAGE, "0"),
              click(IDC_SETTINGS_OK), click(IDC_SETTINGS_CANCEL)}}) {
        SCOPED_TRACE(script(steps));
        const Outcome outcome = runSettings(settings, steps);
        EXPECT_EQ(texts(outcome.messages), std::vector<std::string>{kPageRangeError});
        EXPECT_EQ(outcome.result, 0);
    }
    EXPECT_EQ(runSettings(settings, {click(IDC_SETTINGS_OK)}).result, 1);
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
                 // ... unless that number is out of range: then the value is cut toward zero.
                 {"1000.95", true, 1000},
                 {"-1000.99", true, -1000},
                 {"1000.97", true, 1000},
                 {"1001.01", false, 0},
                 // An edit takes seven characters: -1001.2 is what is read and selected.
                 {"-1001.25", false, 0}};
    for (const auto &value : cases) {
        for (int edit : {IDC_H_ADJUST, IDC_V_ADJUST}) {
            SCOPED_TRACE(type(edit, value.typed));
            settings = kLoadTimeSettings;
            settings.autoAdjustV = 0;
            settings.hAdjust = settings.vAdjust = 7;
            const Outcome outcome =
                runSettings(settings, {type(edit, value.typed), click(IDC_SETTINGS_OK), "snapshot",
                                       click(IDC_SETTINGS_CANCEL)});
            const int16_t stored = edit == IDC_H_ADJUST ? settings.hAdjust : settings.vAdjust;
            EXPECT_EQ(outcome.result, value.accepted ? 1 : 0);
            EXPECT_EQ(stored, value.accepted ? value.stored : 7);
            if (value.accepted)
                continue;
            EXPECT_EQ(texts(outcome.messages), std::vector<std::string>{kRangeError});
            EXPECT_EQ(outcome.messages[0].caption, "Range Error");
            const Json &after = outcome.snapshot(0);
            EXPECT_EQ(after["focus"], edit);
            const int length = std::min(static_cast<int>(std::string(value.typed).size()), 7);
            EXPECT_EQ(selection(controlOf(after, edit)), (std::vector<int>{0, length}));
        }
    }
}

TEST_F(SettingsDialog, OneOkShowsOneBoxInTheOrderRangeHV) {
    Outcome outcome =
        runSettings(settings, {type(IDC_V_ADJUST, "5000"), type(IDC_H_ADJUST, "-5000"),
                               click(IDC_SETTINGS_OK), "snapshot", click(IDC_SETTINGS_CANCEL)});
    EXPECT_EQ(texts(outcome.messages), std::vector<std::string>{kRangeError});
    EXPECT_EQ(outcome.snapshot(0)["focus"], IDC_H_ADJUST);

    outcome = runSettings(settings, {type(IDC_H_ADJUST, "5000"), click(IDC_SELECTED_PAGES),
                                     type(IDC_LAST_PAGE, "11"), click(IDC_SETTINGS_OK),
                                     click(IDC_SETTINGS_CANCEL)});
    EXPECT_EQ(texts(outcome.messages), std::vector<std::string>{kPageRangeError});

    outcome =
        runSettings(settings, {type(IDC_V_ADJUST, "1001"), type(IDC_H_ADJUST, "3"),
                               click(IDC_SETTINGS_OK), "snapshot", click(IDC_SETTINGS_CANCEL)});
    EXPECT_EQ(outcome.snapshot(0)["focus"], IDC_V_ADJUST);
    EXPECT_EQ(settings.hAdjust, 0);
}

TEST_F(SettingsDialog, StepsHAndVWithinTheLimits) {
    const struct {
        const char *typed, *arrow, *shown;
        bool unreadable = false; // the host cannot read the edit: the step starts from 0
    } cases[] = {{"1000", "up", "1000"},   {"-1000", "down", "-1000"},
                 {"5000", "up", "1000"},   {"5000", "down", "1000"},
                 {"-5000", "up", "-1000"}, {"2.5", "up", "3.5"},
                 {"2.5", "down", "1.5"},   {"", "up", "1"},
                 {"x", "down", "-1"},      {"2", "up", "1", true}};
    for (const auto &step : cases)
        for (const auto &[edit, upDown] :
             {std::pair{IDC_H_ADJUST, IDC_H_SPIN}, std::pair{IDC_V_ADJUST, IDC_V_SPIN}}) {
            SCOPED_TRACE(type(edit, step.typed) + "; " + spin(upDown, step.arrow));
            standin::host().failRules.clear();
            if (step.unreadable)
                standin::host().failRules.push_back(
                    {"OX_GetDlgItemUser", calls("OX_GetDlgItemUser") + 1});
            const Outcome outcome = runSettings(
                settings, {type(edit, step.typed), spin(upDown, step.arrow), "key esc"});
            EXPECT_EQ(outcome.text(edit), step.shown);
            EXPECT_EQ(outcome.final()["focus"], edit);
            const int length = static_cast<int>(std::string(step.shown).size());
            EXPECT_EQ(selection(outcome.control(edit)), (std::vector<int>{0, length}));
        }
}

// H steps up and V down from the same typed value; each step starts from the whole ORVU that the
// step before left, so that steps in a unit whose decimals cannot hold an ORVU do not drift.
TEST_F(SettingsDialog, StepsOneOrvuInTheDocumentUnit) {
    const struct {
        int16_t unit;
        const char *typed;
        int steps;
        const char *up, *down;
        int16_t storedUp, storedDown;
    } cases[] = {
        {2, "1", 1, "1.0035", "0.9965", 289, 287}, // inch, 288 ORVU
        {2, "1", 2, "1.0069", "0.9931", 290, 286}, // without the snap: 1.007
        {2, "1", 8, "1.0278", "0.9722", 296, 280}, // without the snap: 279
        {3, "1", 1, "1.0088", "0.9912", 114, 112}, // cm
        {4, "1", 1, "1.25", "0.75", 5, 3},         // point, 4 ORVU
        {5, "1", 1, "1.0208", "0.9792", 49, 47},   // pica, 48 ORVU
        {5, "1", 2, "1.0417", "0.9583", 50, 46},   // without the snap: 1.0416
        {5, "1", 8, "1.1667", "0.8333", 56, 40},
        {6, "1", 1, "1.0417", "0.9583", 25, 23},     // space, 24 ORVU
        {7, "1", 1, "1.0882", "0.9118", 12, 10},     // mm
        {9, "1", 1, "2", "0", 2, 0},                 // unknown codes count in ORVU
        {0x0102, "1", 1, "2", "0", 2, 0},            // the whole word is the code, not inches
        {2, "4", 1, "3.4722", "3.4722", 1000, 1000}, // 1152 ORVU steps back to the limit
    };
    for (const auto &unit : cases) {
        SCOPED_TRACE("unit " + std::to_string(unit.unit) + ", " + std::to_string(unit.steps) +
                     " steps");
        freshDocument(1, unit.unit);
        settings = kLoadTimeSettings;
        settings.autoAdjustV = 0;
        std::vector<std::string> steps = {type(IDC_H_ADJUST, unit.typed)};
        steps.insert(steps.end(), unit.steps, spin(IDC_H_SPIN, "up"));
        steps.push_back(type(IDC_V_ADJUST, unit.typed));
        steps.insert(steps.end(), unit.steps, spin(IDC_V_SPIN, "down"));
        steps.push_back(click(IDC_SETTINGS_OK));
        const Outcome outcome = runSettings(settings, steps);
        EXPECT_EQ(outcome.text(IDC_H_ADJUST), unit.up);
        EXPECT_EQ(outcome.text(IDC_V_ADJUST), unit.down);
        EXPECT_EQ(settings.hAdjust, unit.storedUp);
        EXPECT_EQ(settings.vAdjust, unit.storedDown);
    }
}

TEST_F(SettingsDialog, AdjustmentsShowAndReadInTheDocumentUnit) {
    freshDocument(1, 2);
    settings.hAdjust = 144;
    settings.vAdjust = -7;
    const Outcome outcome = runSettings(settings, {"snapshot"});
    EXPECT_EQ(controlOf(outcome.snapshot(0), IDC_H_ADJUST)["text"], "0.5");
    EXPECT_EQ(controlOf(outcome.snapshot(0), IDC_V_ADJUST)["text"], "-0.0243");
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
        SCOPED_TRACE("origin " + std::to_string(step.origin) + ", " + step.arrow);
        settings.rightMarginOrigin = step.origin;
        const Outcome outcome = runSettings(
            settings, {spin(IDC_ORIGIN_SPIN, step.arrow), "snapshot", click(IDC_SETTINGS_OK)});
        EXPECT_EQ(controlOf(outcome.snapshot(0), IDC_MARGIN_ORIGIN)["text"], step.shown);
        // The combo box is no edit: the focus stays in the list where the dialog put it.
        EXPECT_EQ(outcome.snapshot(0)["focus"], IDC_FONT_SIZE_LIST);
        EXPECT_EQ(settings.rightMarginOrigin,
                  controlOf(outcome.snapshot(0), IDC_MARGIN_ORIGIN)["selected"]);
    }
}

TEST_F(SettingsDialog, AutoAdjustFollowsEverySizeOfTheList) {
    settings.autoAdjustV = 1;
    std::vector<std::string> steps;
    const char *const sizes[] = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                 "20", "22", "24", "26", "28", "36", "48"};
    for (const char *size : sizes) {
        steps.push_back(pick(IDC_FONT_SIZE_LIST, size));
        steps.push_back("snapshot");
    }
    const Outcome outcome = runSettings(settings, steps);
    const char *const expected[] = {"41",  "46",  "52",  "57",  "62",  "72",  "83", "93",
                                    "104", "114", "124", "135", "145", "187", "249"};
    for (size_t index = 0; index < 15; ++index) {
        SCOPED_TRACE(sizes[index]);
        EXPECT_EQ(controlOf(outcome.snapshot(index), IDC_V_ADJUST)["text"], expected[index]);
    }
    EXPECT_EQ(settings.fontSize, 48);
    EXPECT_EQ(settings.vAdjust, 249);
}

TEST_F(SettingsDialog, ManualVIgnoresTheFontSize) {
    settings.vAdjust = 33;
    const Outcome outcome =
        runSettings(settings, {pick(IDC_FONT_SIZE_LIST, "48"), click(IDC_SETTINGS_OK)});
    EXPECT_EQ(outcome.text(IDC_V_ADJUST), "33");
    EXPECT_EQ(settings.vAdjust, 33);
}

TEST_F(SettingsDialog, AutoAdjustBoxRecomputesOrFreesV) {
    settings.vAdjust = 33;
    const Outcome outcome = runSettings(
        settings, {click(IDC_AUTO_ADJUST_V), "snapshot", click(IDC_AUTO_ADJUST_V), "key esc"});
    const Json &ticked = outcome.snapshot(0);
    EXPECT_EQ(controlOf(ticked, IDC_V_ADJUST)["text"], "72");
    EXPECT_FALSE(controlOf(ticked, IDC_V_ADJUST)["enabled"]);
    EXPECT_EQ(ticked["focus"], IDC_AUTO_ADJUST_V);
    // Unticked, V keeps its value, comes back, and takes the focus without a selection.
    EXPECT_EQ(outcome.text(IDC_V_ADJUST), "72");
    for (int id : kVControls)
        EXPECT_TRUE(outcome.control(id)["enabled"]) << id;
    EXPECT_EQ(outcome.final()["focus"], IDC_V_ADJUST);
    EXPECT_EQ(selection(outcome.control(IDC_V_ADJUST)), (std::vector<int>{0, 0}));
}

TEST_F(SettingsDialog, PageChoiceEnablesThePageControls) {
    const Outcome outcome =
        runSettings(settings, {"snapshot", click(IDC_SELECTED_PAGES), "snapshot",
                               type(IDC_FIRST_PAGE, "3"), click(IDC_ALL_PAGES), "key esc"});
    for (int id : kPageControls) {
        EXPECT_FALSE(controlOf(outcome.snapshot(0), id)["enabled"]) << id;
        EXPECT_TRUE(controlOf(outcome.snapshot(1), id)["enabled"]) << id;
        EXPECT_FALSE(outcome.control(id)["enabled"]) << id;
    }
    EXPECT_EQ(outcome.snapshot(1)["focus"], IDC_FIRST_PAGE);
    EXPECT_EQ(selection(controlOf(outcome.snapshot(1), IDC_FIRST_PAGE)), (std::vector<int>{0, 1}));
    // A greyed edit cannot be typed into.
    EXPECT_TRUE(runSettings(settings, {type(IDC_FIRST_PAGE, "3"), "key esc"}).skippedSteps ==
                std::vector<std::string>{type(IDC_FIRST_PAGE, "3")});
}

TEST_F(SettingsDialog, PageUpDownsKeepToTheDocument) {
    const Outcome outcome = runSettings(
        settings, {click(IDC_SELECTED_PAGES), spin(IDC_FIRST_PAGE_SPIN, "down"),
                   spin(IDC_LAST_PAGE_SPIN, "up"), "snapshot", spin(IDC_FIRST_PAGE_SPIN, "up"),
                   spin(IDC_LAST_PAGE_SPIN, "down"), click(IDC_SETTINGS_OK)});
    EXPECT_EQ(controlOf(outcome.snapshot(0), IDC_FIRST_PAGE)["text"], "1");
    EXPECT_EQ(controlOf(outcome.snapshot(0), IDC_LAST_PAGE)["text"], "10");
    EXPECT_EQ(settings.firstPage, 2);
    EXPECT_EQ(settings.lastPage, 9);
}

} // namespace
