// The reader of compiled dialog templates on hand-made bytes: both forms, and damaged input.
#include <gtest/gtest.h>

#include "core/dialog_template.h"
#include "pe_resources.h"

using standin::parseDialogTemplate;

namespace {

struct Bytes {
    std::vector<uint8_t> data;
    Bytes &u16(uint16_t value) {
        data.push_back(static_cast<uint8_t>(value));
        data.push_back(static_cast<uint8_t>(value >> 8));
        return *this;
    }
    Bytes &u32(uint32_t value) { return u16(static_cast<uint16_t>(value)).u16(value >> 16); }
    Bytes &text(const std::string &value) {
        for (char c : value)
            u16(static_cast<unsigned char>(c));
        return u16(0);
    }
    Bytes &align() {
        while (data.size() % 4 != 0)
            data.push_back(0);
        return *this;
    }
};

// An extended template with a font, one button by atom and one control class by name.
std::vector<uint8_t> extendedTemplate() {
    Bytes bytes;
    bytes.u16(1).u16(0xFFFF).u32(7).u32(0x20).u32(0x10C80040);
    bytes.u16(2).u16(1).u16(2).u16(30).u16(40);
    bytes.u16(0).u16(0).text("Title");
    bytes.u16(9).u16(700).u16(0x0100).text("Font");
    bytes.align().u32(0).u32(0).u32(0x50010001).u16(1).u16(2).u16(3).u16(4).u32(70000);
    bytes.u16(0xFFFF).u16(0x80).text("&Go").u16(0);
    bytes.align().u32(0).u32(0).u32(0x50000000).u16(5).u16(6).u16(7).u16(8).u32(9);
    bytes.text("msctls_updown32").u16(0xFFFF).u16(12).u16(2).u16(0xABCD);
    return bytes.data;
}

TEST(DialogTemplate, ReadsTheExtendedForm) {
    const auto dialog = parseDialogTemplate(extendedTemplate());
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->extended);
    EXPECT_EQ(dialog->helpId, 7u);
    EXPECT_EQ(dialog->exStyle, 0x20u);
    EXPECT_EQ(dialog->caption, "Title");
    EXPECT_EQ(dialog->pointSize, 9);
    EXPECT_EQ(dialog->weight, 700);
    EXPECT_EQ(dialog->italic, 0);
    EXPECT_EQ(dialog->charset, 1);
    EXPECT_EQ(dialog->typeface, "Font");
    ASSERT_EQ(dialog->items.size(), 2u);
    EXPECT_EQ(dialog->items[0].id, 70000u);
    EXPECT_EQ(dialog->items[0].className, "BUTTON");
    EXPECT_TRUE(dialog->items[0].classIsAtom);
    EXPECT_EQ(dialog->items[0].text, "&Go");
    EXPECT_EQ(dialog->items[1].className, "msctls_updown32");
    EXPECT_TRUE(dialog->items[1].textIsOrdinal);
    EXPECT_EQ(dialog->items[1].textOrdinal, 12);
    EXPECT_EQ(dialog->items[1].creationData, (std::vector<uint8_t>{0xCD, 0xAB}));
    EXPECT_EQ(dialog->items[1].cy, 8);
}

TEST(DialogTemplate, RefusesEveryCutShortTemplate) {
    const std::vector<uint8_t> whole = extendedTemplate();
    for (size_t length = 0; length < whole.size(); ++length) {
        std::string problem;
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + length);
        EXPECT_FALSE(parseDialogTemplate(cut, &problem)) << length;
        EXPECT_FALSE(problem.empty()) << length;
    }
}

TEST(DialogTemplate, FindsNothingInDamagedContainers) {
    std::string problem;
    const std::vector<uint8_t> nothing;
    EXPECT_FALSE(
        standin::findResourceInResFile({0x20, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}, 5, 1, &problem));
    EXPECT_FALSE(problem.empty());
    EXPECT_FALSE(standin::findResourceInResFile(nothing, 5, 1));
    EXPECT_FALSE(findResourceInPeFile(nothing, 5, 1));
    std::vector<uint8_t> notPe(0x100, 0);
    notPe[0x3C] = 0xF0;
    EXPECT_FALSE(findResourceInPeFile(notPe, 5, 1, &problem));
    EXPECT_EQ(problem, "not a PE image");
}

} // namespace
