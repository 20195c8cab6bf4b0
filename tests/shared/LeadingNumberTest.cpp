#include "LeadingNumber.h"

#include <gtest/gtest.h>
#include <limits>

TEST(LeadingNumber, TakesSignDigitsAndOnePointAtTheStartAndRoundsHalvesToEven) {
    // A comma is no decimal separator; a second point ends the number.
    const std::pair<const char*, double> cases[] = {
        {"3abc", 3},    {"-33.87", -33.87}, {"48.52N", 48.52}, {"-.5x", -0.5},
        {"48,52N", 48}, {"1.2.3", 1.2},     {"", 0},           {"abc", 0},
        {"-", 0},       {".", 0},           {" 12", 0},        {"+12", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(text), value) << text;

    EXPECT_EQ(roundHalfEven(-1.5), -2);
    // A hand-edited band index of twenty digits saturates.
    EXPECT_EQ(roundHalfEven(leadingNumber("99999999999999999999")),
              std::numeric_limits<long long>::max());
}
