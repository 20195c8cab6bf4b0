#include "FrequencyFormat.h"
#include "CatOpcodes.h"
#include "SpotLine.h"

#include <gtest/gtest.h>

namespace {

std::optional<std::int32_t> fromColumn(const QString& qrg) {
    return Format_QRG(qrgField(spotLine(qrg)));
}

} // namespace

TEST(FormatQrg, OneDecimalKilohertzGiveTenHertzUnits) {
    EXPECT_EQ(fromColumn("14025.5"), 1402550);
    EXPECT_EQ(fromColumn("7023.0"), 702300);
    EXPECT_EQ(fromColumn("1832.5"), 183250);
    EXPECT_EQ(fromColumn("50110.0"), 5011000);
    EXPECT_EQ(fromColumn("144300.0"), 14430000);
    EXPECT_EQ(fromColumn("999999.9"), 99999990);
}

TEST(FormatQrg, ReadsTheValueWhateverTheNumberOfDecimals) {
    EXPECT_EQ(fromColumn("14025"), 1402500); // not 140.50 kHz
    EXPECT_EQ(fromColumn("14025."), 1402500);
    EXPECT_EQ(fromColumn("14025.55"), 1402555);
    EXPECT_EQ(fromColumn("014025.5"), 1402550);
    EXPECT_EQ(Format_QRG(u"7023.004"), 702300);
    EXPECT_EQ(Format_QRG(u"7023.005"), 702301); // halves round up
    EXPECT_EQ(Format_QRG(u"7023.0049999"), 702300);
    EXPECT_EQ(Format_QRG(u".5"), 50);
}

TEST(FormatQrg, RefusesWhatIsNoUsableFrequency) {
    for (const char16_t* text : {u"", u"         ", u".", u"abc", u"14O25.5", u"14025,5",
                                 u"14 025.5", u"1.2.3", u"-14025.5", u"+14025.5", u"0.0", u"0.004",
                                 u"1000000.0", u"999999.995", u"99999999999999999999"})
        EXPECT_FALSE(Format_QRG(text).has_value()) << QString::fromUtf16(text).toStdString();
    EXPECT_FALSE(Format_QRG(qrgField(QStringLiteral(" 06-Dec 1405Z  F5ABC"))).has_value());
    EXPECT_EQ(Format_QRG(u"0.005"), 1); // the smallest that rounds to a frequency
}

TEST(Sideband, LowerBelow7200KilohertzUpperFromThere) {
    EXPECT_EQ(sidebandFor(*fromColumn("7199.9")), ModeLowerSideband);
    EXPECT_EQ(sidebandFor(*fromColumn("7200.0")), ModeUpperSideband);
    EXPECT_EQ(sidebandFor(*fromColumn("10136.0")), ModeUpperSideband);
    EXPECT_EQ(sidebandFor(*fromColumn("1832.5")), ModeLowerSideband);
    EXPECT_EQ(sidebandFor(*fromColumn("7199.99")), ModeLowerSideband);
    EXPECT_EQ(sidebandFor(MaxFreqWanted), ModeUpperSideband);
}
