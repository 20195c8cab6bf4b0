#pragma once

#include <QString>

// Plays a WAV file and returns when it has finished.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& wavPath) = 0;
};
