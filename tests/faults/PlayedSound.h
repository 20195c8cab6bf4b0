#pragma once

#include <QByteArray>
#include <QString>

// What the sound player writes to an ALSA file PCM when it plays this file:
// the oracle for the sounds captured from a window.
QByteArray soundOf(const QString& wavPath);
// What it writes for a file it cannot read: the built-in beep.
QByteArray beepSound();
// The capture file of a window, read whole (empty when nothing played).
QByteArray capturedSound(const QString& capturePath);
