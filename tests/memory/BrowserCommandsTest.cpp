// The lines between the main program and the lookup window's browser program.
#include "BrowserCommands.h"

#include <gtest/gtest.h>

namespace {

QByteArray show(const char* caption, const char* address) {
    return BrowserCommand{QString::fromUtf8(caption), QUrl(QString::fromUtf8(address))}.encoded();
}

} // namespace

TEST(BrowserCommands, ACommandReachesTheBrowserWholeHoweverItsBytesArrive) {
    const QByteArray line = show("QRZ.com\tDX\nlookup", "https://www.qrz.com/db/f5%C3%A9a");
    EXPECT_EQ(line.count('\n'), 1); // a caption's own breaks cannot end the line
    BrowserCommandReader reader;
    std::vector<BrowserCommand> got;
    for (const char byte : line + line) {
        for (BrowserCommand& command : reader.feed(QByteArray(1, byte)))
            got.push_back(std::move(command));
    }
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].caption, "QRZ.com DX lookup");
    EXPECT_EQ(got[0].address.toEncoded(), "https://www.qrz.com/db/f5%C3%A9a");
    EXPECT_EQ(got[1].address, got[0].address);
}

TEST(BrowserCommands, LinesThatAreNoCommandAreSkippedAndTheNextOneIsRead) {
    BrowserCommandReader reader;
    const QByteArray good = show("QRZ", "http://127.0.0.1:8080/db/vk2abc");
    const QByteArray bad[] = {
        "\n",
        "hide\tQRZ\thttp://127.0.0.1/\n",
        "show\tQRZ\n",
        "show\tQRZ\thttp://127.0.0.1/\textra\n",
        "show\tQRZ\tdb/vk2abc\n",        // no site
        "show\tQRZ\thttp://[::1/db/x\n", // not an address
    };
    for (const QByteArray& line : bad)
        EXPECT_TRUE(reader.feed(line).empty()) << line.toStdString();
    EXPECT_EQ(reader.feed(good).size(), 1u);

    // A line longer than any command is dropped whole, even when it comes in
    // pieces, and costs no more memory than one command.
    const QByteArray piece(16 * 1024, 'x');
    EXPECT_TRUE(reader.feed("show\tQRZ\thttp://127.0.0.1/").empty());
    for (int i = 0; i < 64; ++i)
        EXPECT_TRUE(reader.feed(piece).empty());
    const std::vector<BrowserCommand> after = reader.feed("/db/tail\n" + good);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].address.path(), "/db/vk2abc");
}
