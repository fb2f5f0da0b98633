#include <gtest/gtest.h>

#include <regex>

#include "core/svg_picture.h"
#include "document_builder.h"

using namespace docbuild;

namespace {

size_t occurrences(const std::string &text, const std::string &part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The worked example on page 1, with a divider placed at -685 and another from the right margin.
class PagePicture : public ::testing::Test {
  protected:
    void SetUp() override {
        standin::resetHost();
        putPage(1, 1);
        putPage(2, -1);
        putSystem(1, -200, -150);
        putSystem(2, -100, -150);
        putEvenStaves(2, 300);
        putStaff(3, {5, 0, kHiddenStaff});
        putStaff(4, {1, 0, 0});
        putStaffList(0, {{1, 0}, {2, -300}, {3, -450}});
        putStaffList(2, {{4, 0}});
        putTextBlock(1, dividerText(14));
        putExpressionDef(1, 0, 1);
        putTextBlock(2, "plain words");
        putExpressionDef(2, 0, 2);
        putAssignment(1, 0, 1, 0, -685);
        putAssignment(1, 1, 1, -100, -685, 0x14);
        putAssignment(1, 2, 2, 10, -10);
    }
};

TEST_F(PagePicture, DrawsVisibleStaffLinesOnly) {
    const std::string svg = standin::renderPagesSvg(store());
    // System 1: staves 1 and 2 of list 0 (staff 3 hidden); system 2 has its own list with a
    // one-line staff only when its bit says so.
    EXPECT_EQ(occurrences(svg, "stroke=\"#000\" stroke-width=\"3\""), 20u);
    putSystem(2, -100, -150, 100, kOwnStaffList);
    EXPECT_EQ(occurrences(standin::renderPagesSvg(store()), "stroke=\"#000\" stroke-width=\"3\""),
              11u);
    EXPECT_NE(svg.find(">Page 2 (no systems)<"), std::string::npos);
}

TEST_F(PagePicture, DividersSitAtTheirPlacedPointInThePageFrame) {
    const std::string svg = standin::renderPagesSvg(store());
    // Page 1's top margin lies at 288 + 260 + 144 = 692, its left margin at 432, its right margin
    // at 3312; a 14-point divider is 56 high.
    EXPECT_NE(svg.find("<line x1=\"432\" y1=\"1405\" x2=\"460\" y2=\"1349\" stroke=\"#d00\""),
              std::string::npos);
    EXPECT_NE(svg.find("<line x1=\"3212\" y1=\"1405\" x2=\"3240\" y2=\"1349\" stroke=\"#d00\""),
              std::string::npos);
    EXPECT_EQ(occurrences(svg, "stroke=\"#d00\""), 4u);
    EXPECT_NE(svg.find("<circle cx=\"442\" cy=\"702\""), std::string::npos);
}

TEST_F(PagePicture, SameStoreGivesTheSameBytesWithPlainNumbers) {
    putSystem(1, -200, -150, 75, kScaledSystem);
    putStaffScale(1, 2, 33);
    const std::string svg = standin::renderPagesSvg(store());
    EXPECT_EQ(svg, standin::renderPagesSvg(store()));
    // Every number is a whole number or has one decimal.
    const std::regex number(" [a-z0-9-]+=\"-?[0-9]+(\\.[0-9])?\"");
    const std::regex anyNumber(" (x1|y1|x2|y2|cx|cy|r|x|y|width|height|font-size)=\"[^\"]*\"");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), anyNumber);
         it != std::sregex_iterator(); ++it)
        EXPECT_TRUE(std::regex_match((*it)[0].str(), number)) << (*it)[0].str();
}

} // namespace
