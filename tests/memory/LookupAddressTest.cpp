#include "LookupAddress.h"
#include "MemorySpotLine.h"

#include <gtest/gtest.h>

namespace {

const QString Base = QStringLiteral("https://www.qrz.com");

std::string addressOf(const QString& dx) {
    return lookupAddress(Base, memorySpotLine(dx)).toString(QUrl::FullyEncoded).toStdString();
}

} // namespace

TEST(LookupAddress, TheDxFieldBecomesALowerCaseCallsign) {
    EXPECT_EQ(addressOf("F5ABC"), "https://www.qrz.com/db/f5abc");
    // Before the first slash, whether a suffix or a home call follows it.
    EXPECT_EQ(addressOf("DL1XYZ/P"), "https://www.qrz.com/db/dl1xyz");
    EXPECT_EQ(addressOf("EA8/DL1XYZ"), "https://www.qrz.com/db/ea8");
    EXPECT_EQ(addressOf("VP2V/G3ABCDE"), "https://www.qrz.com/db/vp2v");
    // Only the twelve characters of the field count.
    EXPECT_EQ(lookupCallsign(QStringLiteral(" 06-Dec 1405Z  ABCDEFGHIJKLMNOP")), "abcdefghijkl");
}

TEST(LookupAddress, NoSelectionLooksUpTheBarePath) {
    EXPECT_EQ(lookupAddress(Base, QString()).toString(QUrl::FullyEncoded).toStdString(),
              "https://www.qrz.com/db/");
    EXPECT_EQ(lookupAddress(Base, QStringLiteral(" 06-Dec 1405Z")).path().toStdString(), "/db/");
    EXPECT_EQ(addressOf(""), "https://www.qrz.com/db/");
}

TEST(LookupAddress, ACallsignCannotLeaveItsPage) {
    // Characters that would start a query or a fragment, or an escape.
    EXPECT_EQ(addressOf("A?X=1"), "https://www.qrz.com/db/a%3Fx%3D1");
    EXPECT_EQ(addressOf("K1#TOP"), "https://www.qrz.com/db/k1%23top");
    EXPECT_EQ(addressOf("W%2F1"), "https://www.qrz.com/db/w%252f1");
    EXPECT_EQ(addressOf("3D2 AG"), "https://www.qrz.com/db/3d2%20ag");
    EXPECT_EQ(addressOf("F5\u00c9A"), "https://www.qrz.com/db/f5%C3%A9a");
    // A step up the path names no station.
    EXPECT_EQ(addressOf("../ADMIN"), "https://www.qrz.com/db/");
    EXPECT_EQ(addressOf("./X"), "https://www.qrz.com/db/");
    EXPECT_EQ(addressOf("A..B"), "https://www.qrz.com/db/a..b");

    const QUrl odd = lookupAddress(Base, memorySpotLine("A?B#C"));
    EXPECT_FALSE(odd.hasQuery());
    EXPECT_FALSE(odd.hasFragment());
    EXPECT_EQ(odd.path().toStdString(), "/db/a?b#c");
}
