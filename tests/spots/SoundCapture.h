#pragma once

#include "AlsaSoundPlayer.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

// Plays through ALSA's file PCM and keeps what each play wrote, in order.
// The file PCM rewrites its file at every opening, so the capture is taken
// after each play.
class SoundCapture : public SoundPlayer {
public:
    SoundCapture();

    void play(const QString& wavPath) override;

    // Raw 16-bit samples written by each play.
    const QList<QByteArray>& plays() const { return plays_; }
    // File names (not paths) asked for, in order.
    const QStringList& files() const { return files_; }
    // How many plays wrote exactly the samples of this WAV file.
    int countOf(const QString& wavPath) const;
    void clear();

    // The sample bytes of a WAV file's data chunk.
    static QByteArray wavSamples(const QString& wavPath);

private:
    QTemporaryDir folder_;
    QString capturePath_;
    AlsaSoundPlayer player_;
    QList<QByteArray> plays_;
    QStringList files_;
};
