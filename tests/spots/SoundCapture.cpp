#include "SoundCapture.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>

namespace {

QString capturePathIn(const QTemporaryDir& folder) {
    return folder.filePath(QStringLiteral("capture.raw"));
}

} // namespace

SoundCapture::SoundCapture()
    : capturePath_(capturePathIn(folder_)),
      player_(QStringLiteral("file:'%1',raw").arg(capturePath_)) {}

void SoundCapture::play(const QString& wavPath) {
    QFile::remove(capturePath_);
    player_.play(wavPath);
    QFile capture(capturePath_);
    plays_.append(capture.open(QIODevice::ReadOnly) ? capture.readAll() : QByteArray());
    files_.append(QFileInfo(wavPath).fileName());
}

int SoundCapture::countOf(const QString& wavPath) const {
    const QByteArray samples = wavSamples(wavPath);
    return static_cast<int>(std::count(plays_.begin(), plays_.end(), samples));
}

void SoundCapture::clear() {
    plays_.clear();
    files_.clear();
}

QByteArray SoundCapture::wavSamples(const QString& wavPath) {
    QFile file(wavPath);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray wav = file.readAll();
    // RIFF header, then chunks of a 4-byte name and a 32-bit little-endian size.
    qsizetype at = 12;
    while (at + 8 <= wav.size()) {
        const quint32 size = qFromLittleEndian<quint32>(wav.constData() + at + 4);
        if (wav.mid(at, 4) == "data")
            return wav.mid(at + 8, size);
        at += 8 + size + (size & 1);
    }
    return QByteArray();
}
