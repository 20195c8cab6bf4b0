#pragma once

#include "SoundPlayer.h"

#include <QString>
#include <vector>

// SoundPlayer reading the file with libsndfile and playing it through an ALSA
// device, blocking until the device has drained. A file that cannot be read
// plays a short built-in beep instead; a device that cannot be opened plays
// nothing and returns at once.
class AlsaSoundPlayer : public SoundPlayer {
public:
    // deviceName is an ALSA PCM name: "default", or "file:'/tmp/x.raw',raw"
    // to capture what is played.
    explicit AlsaSoundPlayer(QString deviceName = QStringLiteral("default"));

    void play(const QString& wavPath) override;

    // 16-bit mono samples of the beep played for an unreadable file.
    static std::vector<short> beepSamples(int sampleRate);
    static constexpr int BeepRate = 22050;

private:
    QString deviceName_;
};
