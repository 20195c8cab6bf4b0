// What the browser cannot show: the exact address built for odd DX fields
// (the lookup window's test sees the usual ones arrive at a server).
#include "LookupAddress.h"
#include "MemorySpotLine.h"

#include <gtest/gtest.h>

namespace {

std::string addressOf(const QString& spotLine) {
    return lookupAddress(QStringLiteral("https://www.qrz.com"), spotLine)
        .toString(QUrl::FullyEncoded)
        .toStdString();
}

} // namespace

TEST(LookupAddress, OddDxFields) {
    // Only the twelve characters of the field count; a short line has none.
    EXPECT_EQ(lookupCallsign(QStringLiteral(" 06-Dec 1405Z  ABCDEFGHIJKLMNOP")), "abcdefghijkl");
    EXPECT_EQ(addressOf(QStringLiteral(" 06-Dec 1405Z")), "https://www.qrz.com/db/");
    EXPECT_EQ(addressOf(memorySpotLine("VP2V/G3ABCDE")), "https://www.qrz.com/db/vp2v");
    EXPECT_EQ(addressOf(memorySpotLine("3D2 AG")), "https://www.qrz.com/db/3d2%20ag");
    EXPECT_EQ(addressOf(memorySpotLine("F5\u00c9A")), "https://www.qrz.com/db/f5%C3%A9a");
    // Dots are a step up the path only as a whole segment.
    EXPECT_EQ(addressOf(memorySpotLine("./X")), "https://www.qrz.com/db/");
    EXPECT_EQ(addressOf(memorySpotLine("A..B")), "https://www.qrz.com/db/a..b");
}
