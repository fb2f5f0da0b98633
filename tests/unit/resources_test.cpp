// The module's two dialog templates read back from the compiled resources and held against the
// reference below: every control with its id, class, text, rectangle, style and place in the
// tab order. The compiled .res is always checked; the built DLL's too when DIVAZIVIR_DLL names it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <strings.h>

#include "core/dialog_template.h"
#include "pe_resources.h"

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
    20128,
    "Velunor Divider 1.03e - by the divazivir team",
    31,
    39,
    268,
    186,
    0x10C808C0,
    {
        {101, "STATIC",
         "NOTE: You must have the font 'EngraverFontSet' installed on your system to get this "
         "plug-in to work correctly.",
         6, 6, 256, 22, 0x50001000},
        {102, "STATIC", "&Font size:", 7, 35, 41, 8, 0x50000000},
        {103, "LISTBOX", "", 7, 44, 41, 137, 0x50A10041},
        {104, "BUTTON", "Calculate V-positions using...", 56, 40, 112, 46, 0x50000107},
        {105, "BUTTON", "last/first s&taff lines", 64, 54, 94, 10, 0x50030109},
        {106, "BUTTON", "staff s&ystems boundaries", 64, 68, 94, 10, 0x50000109},
        {107, "BUTTON", "Process range", 56, 94, 112, 64, 0x50000107},
        {108, "BUTTON", "All &pages", 65, 106, 97, 10, 0x50030109},
        {109, "BUTTON", "&Selected pages", 65, 120, 97, 10, 0x50000109},
        {110, "EDIT", "", 64, 136, 25, 12, 0x50812080},
        {122, "msctls_updown32", "", 90, 135, 10, 14, 0x500000B6},
        {111, "STATIC", "to", 95, 138, 21, 8, 0x50000001},
        {112, "EDIT", "", 123, 136, 25, 12, 0x50812080},
        {123, "msctls_updown32", "", 149, 136, 10, 12, 0x500000B6},
        {113, "BUTTON", "Adjustments", 172, 40, 90, 64, 0x50000107},
        {114, "STATIC", "&H:", 187, 55, 20, 8, 0x50000000},
        {115, "EDIT", "", 212, 53, 32, 12, 0x50810080},
        {124, "msctls_updown32", "", 245, 52, 10, 13, 0x500000B4},
        {116, "STATIC", "&V:", 187, 73, 20, 8, 0x50000000},
        {117, "EDIT", "", 212, 71, 32, 12, 0x50810080},
        {125, "msctls_updown32", "", 245, 70, 10, 13, 0x500000B4},
        {118, "BUTTON", "&Auto-adjust V", 184, 86, 65, 10, 0x50010103},
        {119, "BUTTON", "R&ight margin origin", 172, 107, 90, 51, 0x50000107},
        {120, "COMBOBOX", "", 181, 121, 73, 41, 0x50210203},
        {126, "msctls_updown32", "", 249, 121, 10, 14, 0x500000B4},
        {1, "BUTTON", "OK", 104, 167, 40, 14, 0x50010001},
        {2, "BUTTON", "Cancel", 153, 167, 40, 14, 0x50010000},
        {121, "BUTTON", "&Remove", 222, 167, 40, 14, 0x50010000},
    }};

const ExpectedDialog kWarningDialog = {
    20129,
    "Are you sure?",
    19,
    33,
    181,
    69,
    0x10C408C0,
    {
        {6, "BUTTON", "&Yes", 45, 38, 33, 12, 0x50010001},
        {7, "BUTTON", "&No", 101, 38, 33, 12, 0x50010000},
        {130, "BUTTON", "&Don't show this message in the future", 22, 57, 139, 10, 0x50010103},
        {101, "STATIC", "Apply this plug-in ONLY on your FINAL LAYOUT. Continue?", 7, 6, 168, 30,
         0x50000000},
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
