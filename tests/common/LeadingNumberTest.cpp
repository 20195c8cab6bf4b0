#include "LeadingNumber.h"

#include <gtest/gtest.h>
#include <limits>

TEST(LeadingNumber, TakesSignDigitsAndOnePointAtTheStart) {
    const std::pair<const char*, double> cases[] = {
        {"3abc", 3},       {"-33.87", -33.87},
        {"48.52N", 48.52}, {"-.5x", -0.5},
        {"48,52N", 48}, // a comma is no decimal separator
        {"1.2.3", 1.2},    {"", 0},
        {"abc", 0},        {"-", 0},
        {".", 0},          {" 12", 0},
        {"+12", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(text), value) << text;
}

TEST(LeadingNumber, RoundsHalvesToEvenAndSaturates) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    // A hand-edited band index of twenty digits.
    EXPECT_EQ(roundHalfEven(leadingNumber("99999999999999999999")),
              std::numeric_limits<long long>::max());
    EXPECT_EQ(roundHalfEven(-0x1p63), std::numeric_limits<long long>::min());
}
