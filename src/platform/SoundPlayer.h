#pragma once

#include <QString>

// Plays a WAV file and returns when it has finished.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& wavPath) = 0;
};

// Plays the WAV file at the full path Fichier; returns when it has finished.
inline void Joue_Son(SoundPlayer& player, const QString& Fichier) {
    player.play(Fichier);
}
