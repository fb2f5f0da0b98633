// The module's two dialog templates read back from the compiled resources and held against the
// reference below: every control with its id, class, text, rectangle, style and place in the
// tab order. The compiled .res is always checked; the built DLL's too when DIVAZIVIR_DLL names it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <strings.h>

#include "core/dialog_template.h"
#include "pe_resources.h"
#include "resources/resource_ids.h"
#include "resources/version.h"

namespace {

struct ExpectedControl {
    uint32_t id;
    const char *className;
    const char *text;
    int16_t x, y, cx, cy;
    uint32_t style;
};

struct ExpectedDialog {
    uint16_t id;
    const char *caption;
    int16_t x, y, cx, cy;
    uint32_t style;
    std::vector<ExpectedControl> controls;
};

const ExpectedDialog kSettingsDialog = {
    IDD_DIVIDER_SETTINGS,
    "Velunor Divider " DIVAZIVIR_VERSION " - by the divazivir team",
    31,
    39,
    268,
    186,
    0x10C808C0,
    {
        {IDC_FONT_NOTICE, "STATIC",
         "NOTE: You must have the font 'EngraverFontSet' installed on your system to get this "
         "plug-in to work correctly.",
         6, 6, 256, 22, 0x50001000},
        {IDC_FONT_SIZE_LABEL, "STATIC", "&Font size:", 7, 35, 41, 8, 0x50000000},
        {IDC_FONT_SIZE_LIST, "LISTBOX", "", 7, 44, 41, 137, 0x50A10041},
        {IDC_V_POSITION_FRAME, "BUTTON", "Calculate V-positions using...", 56, 40, 112, 46,
         0x50000107},
        {IDC_STAFF_LINES_MODE, "BUTTON", "last/first s&taff lines", 64, 54, 94, 10, 0x50030109},
        {IDC_SYSTEM_BOUNDARIES_MODE, "BUTTON", "staff s&ystems boundaries", 64, 68, 94, 10,
         0x50000109},
        {IDC_PAGE_RANGE_FRAME, "BUTTON", "Process range", 56, 94, 112, 64, 0x50000107},
        {IDC_ALL_PAGES, "BUTTON", "All &pages", 65, 106, 97, 10, 0x50030109},
        {IDC_SELECTED_PAGES, "BUTTON", "&Selected pages", 65, 120, 97, 10, 0x50000109},
        {IDC_FIRST_PAGE, "EDIT", "", 64, 136, 25, 12, 0x50812080},
        {IDC_FIRST_PAGE_SPIN, "msctls_updown32", "", 90, 135, 10, 14, 0x500000B6},
        {IDC_PAGE_RANGE_TO, "STATIC", "to", 95, 138, 21, 8, 0x50000001},
        {IDC_LAST_PAGE, "EDIT", "", 123, 136, 25, 12, 0x50812080},
        {IDC_LAST_PAGE_SPIN, "msctls_updown32", "", 149, 136, 10, 12, 0x500000B6},
        {IDC_ADJUSTMENTS_FRAME, "BUTTON", "Adjustments", 172, 40, 90, 64, 0x50000107},
        {IDC_H_LABEL, "STATIC", "&H:", 187, 55, 20, 8, 0x50000000},
        {IDC_H_ADJUST, "EDIT", "", 212, 53, 32, 12, 0x50810080},
        {IDC_H_SPIN, "msctls_updown32", "", 245, 52, 10, 13, 0x500000B4},
        {IDC_V_LABEL, "STATIC", "&V:", 187, 73, 20, 8, 0x50000000},
        {IDC_V_ADJUST, "EDIT", "", 212, 71, 32, 12, 0x50810080},
        {IDC_V_SPIN, "msctls_updown32", "", 245, 70, 10, 13, 0x500000B4},
        {IDC_AUTO_ADJUST_V, "BUTTON", "&Auto-adjust V", 184, 86, 65, 10, 0x50010103},
        {IDC_ORIGIN_FRAME, "BUTTON", "R&ight margin origin", 172, 107, 90, 51, 0x50000107},
        {IDC_MARGIN_ORIGIN, "COMBOBOX", "", 181, 121, 73, 41, 0x50210203},
        {IDC_ORIGIN_SPIN, "msctls_updown32", "", 249, 121, 10, 14, 0x500000B4},
        {IDC_SETTINGS_OK, "BUTTON", "OK", 104, 167, 40, 14, 0x50010001},
        {IDC_SETTINGS_CANCEL, "BUTTON", "Cancel", 153, 167, 40, 14, 0x50010000},
        {IDC_REMOVE, "BUTTON", "&Remove", 222, 167, 40, 14, 0x50010000},
    }};

const ExpectedDialog kWarningDialog = {
    IDD_FINAL_LAYOUT_WARNING,
    "Are you sure?",
    19,
    33,
    181,
    69,
    0x10C408C0,
    {
        {IDC_WARNING_YES, "BUTTON", "&Yes", 45, 38, 33, 12, 0x50010001},
        {IDC_WARNING_NO, "BUTTON", "&No", 101, 38, 33, 12, 0x50010000},
        {IDC_DONT_SHOW_AGAIN, "BUTTON", "&Don't show this message in the future", 22, 57, 139, 10,
         0x50010103},
        {IDC_WARNING_TEXT, "STATIC", "Apply this plug-in ONLY on your FINAL LAYOUT. Continue?", 7,
         6, 168, 30, 0x50000000},
    }};

std::vector<uint8_t> readFile(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

void expectDialog(const std::vector<uint8_t> &file, bool portableExecutable,
                  const ExpectedDialog &expected) {
    SCOPED_TRACE("dialog " + std::to_string(expected.id));
    std::string problem;
    const auto data =
        portableExecutable
            ? findResourceInPeFile(file, standin::kDialogResourceType, expected.id, &problem)
            : standin::findResourceInResFile(file, standin::kDialogResourceType, expected.id,
                                             &problem);
    ASSERT_TRUE(data) << problem;
    const auto dialog = standin::parseDialogTemplate(*data, &problem);
    ASSERT_TRUE(dialog) << problem;
    EXPECT_EQ(dialog->caption, expected.caption);
    EXPECT_EQ(dialog->style, expected.style);
    EXPECT_EQ(dialog->exStyle, 0u);
    EXPECT_EQ(dialog->menu, "");
    EXPECT_EQ(dialog->windowClass, "");
    EXPECT_EQ(dialog->typeface, "MS Sans Serif");
    EXPECT_EQ(dialog->pointSize, 8);
    EXPECT_EQ((std::vector<int>{dialog->x, dialog->y, dialog->cx, dialog->cy}),
              (std::vector<int>{expected.x, expected.y, expected.cx, expected.cy}));
    ASSERT_EQ(dialog->items.size(), expected.controls.size());
    for (size_t index = 0; index < expected.controls.size(); ++index) {
        const ExpectedControl &want = expected.controls[index];
        const standin::DialogItem &item = dialog->items[index];
        SCOPED_TRACE("control " + std::to_string(want.id) + " at " + std::to_string(index));
        EXPECT_EQ(item.id, want.id);
        // Class names are matched as the platform matches them, without regard to case.
        EXPECT_EQ(strcasecmp(item.className.c_str(), want.className), 0) << item.className;
        EXPECT_EQ(item.text, want.text);
        EXPECT_FALSE(item.textIsOrdinal);
        EXPECT_EQ((std::vector<int>{item.x, item.y, item.cx, item.cy}),
                  (std::vector<int>{want.x, want.y, want.cx, want.cy}));
        EXPECT_EQ(item.style, want.style);
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_TRUE(item.creationData.empty());
    }
}

TEST(Resources, CompiledResourceFileHoldsBothDialogs) {
    const std::vector<uint8_t> file = readFile(DIVAZIVIR_RES_PATH);
    ASSERT_FALSE(file.empty()) << DIVAZIVIR_RES_PATH;
    expectDialog(file, false, kSettingsDialog);
    expectDialog(file, false, kWarningDialog);
}

TEST(Resources, BuiltModuleHoldsBothDialogs) {
    const std::string path = DIVAZIVIR_DLL_PATH;
    if (path.empty())
        GTEST_SKIP() << "DIVAZIVIR_DLL names no built module";
    const std::vector<uint8_t> file = readFile(path);
    ASSERT_FALSE(file.empty()) << path << " is missing or empty";
    expectDialog(file, true, kSettingsDialog);
    expectDialog(file, true, kWarningDialog);
}

} // namespace
