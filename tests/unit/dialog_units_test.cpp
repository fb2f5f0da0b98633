// How the host writes and reads a length of the settings dialog in the document's unit.
#include <gtest/gtest.h>

#include "core/dialog_units.h"

using standin::formatUserValue;
using standin::parseUserValue;

TEST(DialogUnits, FormatsAtMostFourDecimalsWithoutTrailingZeros) {
    EXPECT_EQ(formatUserValue(0, 1), "0");
    EXPECT_EQ(formatUserValue(-0.00004, 1), "0");
    EXPECT_EQ(formatUserValue(72, 1), "72");
    EXPECT_EQ(formatUserValue(-1000, 1), "-1000");
    EXPECT_EQ(formatUserValue(2.5, 1), "2.5");
    EXPECT_EQ(formatUserValue(1.23456, 1), "1.2346");
    EXPECT_EQ(formatUserValue(-1.23455, 1), "-1.2346"); // half away from zero
    EXPECT_EQ(formatUserValue(0.99999, 1), "1");
    EXPECT_EQ(formatUserValue(144, 2), "0.5");
    EXPECT_EQ(formatUserValue(-7, 2), "-0.0243");
    EXPECT_EQ(formatUserValue(72, 4), "18");
    EXPECT_EQ(formatUserValue(72, 5), "1.5");
    EXPECT_EQ(formatUserValue(72, 6), "3");
    EXPECT_EQ(formatUserValue(288, 3), "2.54");
    EXPECT_EQ(formatUserValue(288, 7), "25.4");
    EXPECT_EQ(formatUserValue(72, 0), "72");
    EXPECT_EQ(formatUserValue(72, -3), "72");
    EXPECT_EQ(formatUserValue(1e20, 1), "100000000000000000000");
}

TEST(DialogUnits, ReadsDecimalNumbersAndNothingElse) {
    EXPECT_EQ(parseUserValue("12.5", 1), 12.5);
    EXPECT_EQ(parseUserValue("  -3 ", 1), -3);
    EXPECT_EQ(parseUserValue("+.5", 1), 0.5);
    EXPECT_EQ(parseUserValue("5.", 1), 5);
    EXPECT_EQ(parseUserValue("1e3", 1), 1000);
    EXPECT_EQ(parseUserValue("0.5", 2), 144);
    EXPECT_EQ(parseUserValue("1.5", 5), 72);
    EXPECT_NEAR(parseUserValue("2.54", 3), 288, 1e-9);
    for (const char *text :
         {"", " ", "abc", "1,5", "12abc", ".", "-", "1e", "inf", "nan", "0x10", "1e400", "--1"})
        EXPECT_EQ(parseUserValue(text, 1), 0) << text;
}

TEST(DialogUnits, OnlyOrvuAndPointsHoldEveryWholeOrvu) {
    for (int32_t unit : {1, 4})
        for (int orvu = -1000; orvu <= 1000; ++orvu)
            EXPECT_EQ(parseUserValue(formatUserValue(orvu, unit), unit), orvu) << unit;
    // Four decimals of a pica fall short of 997 ORVU, which the dialog's OK then truncates.
    EXPECT_EQ(formatUserValue(997, 5), "20.7708");
    EXPECT_LT(parseUserValue("20.7708", 5), 997);
}
