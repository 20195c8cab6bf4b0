#include "BandTable.h"
#include "PageScratchFiles.h"

#include "QtPrinters.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A folder that cannot be created: its parent is a plain file.
QString impossibleFolder(const QTemporaryDir& temp) {
    QFile blocker(temp.filePath(QStringLiteral("plain-file")));
    blocker.open(QIODevice::WriteOnly);
    return temp.filePath(QStringLiteral("plain-file/folder"));
}

} // namespace

TEST(BandTable, PagePaths) {
    EXPECT_EQ(BandTable::pagePath(0), QStringLiteral("/dxc/top_50_HF.html"));
    EXPECT_EQ(BandTable::pagePath(1), QStringLiteral("/dxc/top_50_1.8_MHz.html"));
    EXPECT_EQ(BandTable::pagePath(3), QStringLiteral("/dxc/top_50_7_MHz.html"));
    EXPECT_EQ(BandTable::pagePath(13), QStringLiteral("/dxc/top_50_430_MHz.html"));
    EXPECT_EQ(BandTable::pagePath(14), QStringLiteral("/dxc/top_50_VHF.html"));
    EXPECT_EQ(BandTable::pagePath(-1), QStringLiteral("/dxc/top_50__MHz.html"));
    EXPECT_EQ(BandTable::pagePath(15), QStringLiteral("/dxc/top_50__MHz.html"));
    EXPECT_EQ(BandTable::pageAddress(QStringLiteral("http://127.0.0.1:8073"), 5),
              QStringLiteral("http://127.0.0.1:8073/dxc/top_50_14_MHz.html"));
}

TEST(PageScratchFiles, CapitalsKeepEveryLetterThatOneByteCanHold) {
    EXPECT_EQ(PageScratchFiles::capitals(QStringLiteral("très fort, merci <qsl>")),
              QStringLiteral("TRÈS FORT, MERCI <QSL>"));
    // No one-byte capital: the letter stays, rather than becoming "?" in the
    // page file.
    EXPECT_EQ(PageScratchFiles::capitals(QStringLiteral("ÿ µ ß")), QStringLiteral("ÿ µ ß"));
}

TEST(PageScratchFiles, LineFeedsBecomeCarriageReturnLineFeedsPlusOneLineEnd) {
    QTemporaryDir program;
    PageScratchFiles scratch(program.path(), QString());
    ASSERT_TRUE(scratch.store(QStringLiteral("<TABLE>\nA,B\n\nC")));
    EXPECT_EQ(contentOf(program.filePath(PageScratchFiles::PageFile)),
              QByteArray("<TABLE>\r\nA,B\r\n\r\nC\r\n"));
    EXPECT_FALSE(QFile::exists(program.filePath(PageScratchFiles::WorkFile)));
    EXPECT_EQ(scratch.readPage(), QStringLiteral("<TABLE>\r\nA,B\r\n\r\nC\r\n"));
}

TEST(PageScratchFiles, APageWithCarriageReturnsKeepsOnlyItsFirstLine) {
    QTemporaryDir program;
    PageScratchFiles scratch(program.path(), QString());
    ASSERT_TRUE(scratch.store(QStringLiteral("<HTML>\r\n<TABLE>\r\n")));
    EXPECT_EQ(contentOf(program.filePath(PageScratchFiles::PageFile)), QByteArray("<HTML>\r\n"));
    // A later page replaces the whole file.
    ASSERT_TRUE(scratch.store(QStringLiteral("X\n")));
    EXPECT_EQ(contentOf(program.filePath(PageScratchFiles::PageFile)), QByteArray("X\r\n\r\n"));
}

TEST(PageScratchFiles, OneBytePerCharacter) {
    QTemporaryDir program;
    PageScratchFiles scratch(program.path(), QString());
    ASSERT_TRUE(scratch.store(QStringLiteral("TRÈS FORT \u20AC\n")));
    EXPECT_EQ(contentOf(program.filePath(PageScratchFiles::PageFile)),
              QByteArray("TR\xC8S FORT ?\r\n\r\n"));
    EXPECT_EQ(scratch.readPage(), QStringLiteral("TRÈS FORT ?\r\n\r\n"));
}

TEST(PageScratchFiles, FallsBackToTheUserFolderWhenTheProgramFolderFails) {
    QTemporaryDir temp;
    const QString fallback = temp.filePath(QStringLiteral("user/data"));
    PageScratchFiles scratch(impossibleFolder(temp), fallback);
    ASSERT_TRUE(scratch.store(QStringLiteral("A\n")));
    EXPECT_EQ(scratch.folder(), fallback);
    EXPECT_EQ(contentOf(QDir(fallback).filePath(PageScratchFiles::PageFile)),
              QByteArray("A\r\n\r\n"));
    EXPECT_FALSE(QFile::exists(QDir(fallback).filePath(PageScratchFiles::WorkFile)));
}

TEST(PageScratchFiles, NoUsableFolderIsAFailureNotACrash) {
    QTemporaryDir temp;
    PageScratchFiles scratch(impossibleFolder(temp), QString());
    EXPECT_FALSE(scratch.store(QStringLiteral("A\n")));
    EXPECT_FALSE(scratch.readPage().has_value());
}

TEST(PageScratchFiles, AWorkFileThatCannotBeWrittenFailsInThatFolder) {
    QTemporaryDir program;
    QTemporaryDir fallback;
    // A folder in the way of the work file.
    ASSERT_TRUE(QDir(program.path()).mkdir(PageScratchFiles::WorkFile));
    PageScratchFiles scratch(program.path(), fallback.path());
    ASSERT_TRUE(scratch.store(QStringLiteral("A\n")));
    EXPECT_EQ(scratch.folder(), fallback.path());
    EXPECT_EQ(contentOf(fallback.filePath(PageScratchFiles::PageFile)), QByteArray("A\r\n\r\n"));
}
