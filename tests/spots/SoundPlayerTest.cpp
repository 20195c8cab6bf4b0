#include "AlsaSoundPlayer.h"
#include "SoundCapture.h"
#include "SpotTexts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString programFile(const QString& name) {
    return QDir(QStringLiteral(PELK_PROGRAM_DIR)).filePath(name);
}

QByteArray bytesOf(const std::vector<short>& samples) {
    QByteArray bytes;
    for (short sample : samples) {
        bytes.append(static_cast<char>(sample & 0xFF));
        bytes.append(static_cast<char>((sample >> 8) & 0xFF));
    }
    return bytes;
}

} // namespace

TEST(SoundFiles, TwoShortDistinctSoundsLieBesideTheProgram) {
    const QByteArray ringin = SoundCapture::wavSamples(programFile(SpotTexts::NoAnswerSound));
    const QByteArray ringout = SoundCapture::wavSamples(programFile(SpotTexts::AlertSound));
    ASSERT_FALSE(ringin.isEmpty());
    ASSERT_FALSE(ringout.isEmpty());
    EXPECT_NE(ringin, ringout);
    // 16-bit mono at 22050 Hz: under half a second each.
    EXPECT_LT(ringin.size(), 22050);
    EXPECT_LT(ringout.size(), 22050);
}

TEST(AlsaSoundPlayer, PlaysTheFilesSamples) {
    SoundCapture capture;
    capture.play(programFile(SpotTexts::AlertSound));
    capture.play(programFile(SpotTexts::NoAnswerSound));
    ASSERT_EQ(capture.plays().size(), 2);
    EXPECT_EQ(capture.plays()[0], SoundCapture::wavSamples(programFile(SpotTexts::AlertSound)));
    EXPECT_EQ(capture.plays()[1], SoundCapture::wavSamples(programFile(SpotTexts::NoAnswerSound)));
}

TEST(AlsaSoundPlayer, AFileThatCannotBeReadPlaysTheBeep) {
    QTemporaryDir folder;
    QFile notWav(folder.filePath(QStringLiteral("ringout.wav")));
    ASSERT_TRUE(notWav.open(QIODevice::WriteOnly));
    notWav.write("RIFF but nothing else");
    notWav.close();

    SoundCapture capture;
    capture.play(folder.filePath(QStringLiteral("missing.wav")));
    capture.play(notWav.fileName());
    const QByteArray beep = bytesOf(AlsaSoundPlayer::beepSamples(AlsaSoundPlayer::BeepRate));
    ASSERT_EQ(capture.plays().size(), 2);
    EXPECT_EQ(capture.plays()[0], beep);
    EXPECT_EQ(capture.plays()[1], beep);
}

TEST(AlsaSoundPlayer, NoUsableDeviceReturnsAtOnce) {
    AlsaSoundPlayer player(QStringLiteral("no_such_device_here"));
    QElapsedTimer timer;
    timer.start();
    player.play(programFile(SpotTexts::AlertSound));
    EXPECT_LT(timer.elapsed(), 1000);
}
