#include "PlayedSound.h"

#include "AlsaSoundPlayer.h"

#include <QFile>
#include <QTemporaryDir>

QByteArray soundOf(const QString& wavPath) {
    QTemporaryDir folder;
    const QString capture = folder.filePath(QStringLiteral("oracle.raw"));
    AlsaSoundPlayer(QStringLiteral("file:'%1',raw").arg(capture)).play(wavPath);
    return capturedSound(capture);
}

QByteArray beepSound() {
    const std::vector<short> samples = AlsaSoundPlayer::beepSamples(AlsaSoundPlayer::BeepRate);
    return QByteArray(reinterpret_cast<const char*>(samples.data()),
                      static_cast<qsizetype>(samples.size() * sizeof(short)));
}

QByteArray capturedSound(const QString& capturePath) {
    QFile capture(capturePath);
    return capture.open(QIODevice::ReadOnly) ? capture.readAll() : QByteArray();
}
