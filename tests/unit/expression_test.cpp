#include <gtest/gtest.h>

#include "dividers/divider_expression.h"
#include "dividers/divider_templates.h"
#include "document_builder.h"
#include "settings/module_state.h"

using namespace docbuild;

namespace {

class DividerExpression : public ::testing::Test {
  protected:
    void SetUp() override {
        standin::resetHost();
        resetModuleState();
        buildDividerTemplates();
    }
};

standin::Bytes expectedDefinition(int16_t textBlock) {
    standin::Bytes bytes(48, 0);
    standin::writeInt(bytes, 0, 2, textBlock);
    standin::writeInt(bytes, 8, 2, 100);
    standin::writeInt(bytes, 14, 2, 0x1A08);
    return bytes;
}

TEST_F(DividerExpression, TextBlockHoldsTheTextTheGlyphByteAndTheNul) {
    const std::pair<int16_t, size_t> sizes[] = {{14, 44}, {8, 43}};
    for (const auto &[fontSize, length] : sizes) {
        SCOPED_TRACE("size " + std::to_string(fontSize));
        standin::resetHost();
        dividerSettings.fontSize = fontSize;
        const int16_t definition = createDividerExpression(dividerSettings);
        ASSERT_EQ(definition, 1);

        const std::string text = textBlock(1);
        ASSERT_EQ(text.size(), length);
        EXPECT_EQ(text, "^font(EngraverFontSet)^size(" + std::to_string(fontSize) +
                            ")^efx(plain)\xBB" + std::string(1, '\0'));
        EXPECT_EQ(static_cast<uint8_t>(text[length - 2]), 0xBB);

        const standin::Bytes *stored = store().find(kTextExpressionDefTag, key2(1, 0));
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(*stored, expectedDefinition(1));
    }
}

TEST_F(DividerExpression, EveryCallMakesRecordsOfItsOwn) {
    putTextBlock(6, "other text");
    putExpressionDef(3, 0, 6);
    EXPECT_EQ(createDividerExpression(dividerSettings), 4);
    EXPECT_EQ(createDividerExpression(dividerSettings), 5);

    EXPECT_EQ(textBlock(7), dividerText(14));
    EXPECT_EQ(textBlock(8), dividerText(14));
    EXPECT_EQ(textBlockOfDefinition(4), 7);
    EXPECT_EQ(textBlockOfDefinition(5), 8);
    // The ",8194" template is only for recognising texts.
    for (const auto &[key, bytes] : store().records(kTextBlockTag))
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()).find(",8194"), std::string::npos)
            << "text block " << key[0];
}

TEST_F(DividerExpression, FailedTextBlockCreatesNothing) {
    standin::host().failRules.push_back({"OX_CreateEData", 1});
    EXPECT_EQ(createDividerExpression(dividerSettings), 0);
    EXPECT_EQ(store().count(kTextBlockTag), 0u);
    EXPECT_EQ(store().count(kTextExpressionDefTag), 0u);
}

TEST_F(DividerExpression, FailedDefinitionLeavesTheTextBlock) {
    standin::host().failRules.push_back({"OX_CreateEData", 2});
    EXPECT_EQ(createDividerExpression(dividerSettings), 0);
    EXPECT_EQ(textBlock(1), dividerText(14));
    EXPECT_EQ(store().count(kTextExpressionDefTag), 0u);
    EXPECT_TRUE(standin::host().currentInvocation().messages.empty());
}

} // namespace
