#include "LeadingNumber.h"

#include <gtest/gtest.h>
#include <limits>

TEST(LeadingNumber, TakesSignDigitsAndPointAtTheStart) {
    EXPECT_DOUBLE_EQ(leadingNumber("3abc"), 3.0);
    EXPECT_DOUBLE_EQ(leadingNumber("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(leadingNumber("-33.87"), -33.87);
    EXPECT_DOUBLE_EQ(leadingNumber("48.52N"), 48.52);
    EXPECT_DOUBLE_EQ(leadingNumber("-.5x"), -0.5);
    // A comma is no decimal separator: the number stops there.
    EXPECT_DOUBLE_EQ(leadingNumber("48,52N"), 48.0);
    // A second point ends the number.
    EXPECT_DOUBLE_EQ(leadingNumber("1.2.3"), 1.2);
}

TEST(LeadingNumber, GivesZeroWhenTheTextStartsWithNoNumber) {
    EXPECT_DOUBLE_EQ(leadingNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("-"), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("."), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(" 12"), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("+12"), 0.0);
}

TEST(LeadingNumber, RoundsHalvesToEven) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(-1.0), -1);
}

TEST(LeadingNumber, RoundingSaturatesBeyondTheRangeOfTheResult) {
    // A hand-edited band index of twenty digits.
    EXPECT_EQ(roundHalfEven(leadingNumber("99999999999999999999")),
              std::numeric_limits<long long>::max());
    EXPECT_EQ(roundHalfEven(-1e300), std::numeric_limits<long long>::min());
    EXPECT_EQ(roundHalfEven(-0x1p63), std::numeric_limits<long long>::min());
}
