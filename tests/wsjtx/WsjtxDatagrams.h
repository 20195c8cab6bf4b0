#pragma once

// WSJT-X's datagrams as its version 2.6 writes them, built byte by byte from
// the layout its documentation gives.
#include "WsjtxMessages.h"

#include <QByteArray>
#include <QtEndian>

inline QByteArray be32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

inline QByteArray be64(quint64 value) {
    QByteArray bytes(8, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

inline QByteArray utf8(const char* text) {
    return text == nullptr ? be32(0xffffffff) : be32(quint32(qstrlen(text))) + text;
}

inline QByteArray header(quint32 type, quint32 schema = 3, const char* id = "WSJT-X") {
    return be32(Wsjtx::Magic) + be32(schema) + be32(type) + utf8(id);
}

// 14:30:15 UTC, -12 dB, 0.1 s late, at `audioHz`, FT8; no low confidence.
inline QByteArray decodeFields(const char* message, quint32 audioHz = 1523) {
    QByteArray deltaTime(8, '\0');
    qToBigEndian(0.1, deltaTime.data());
    return be32(52215000) + be32(quint32(-12)) + deltaTime + be32(audioHz) + utf8("~") +
           utf8(message) + '\0';
}

inline QByteArray decodeDatagram(const char* id, const char* message, quint32 audioHz = 1523) {
    return header(2, 3, id) + '\1' + decodeFields(message, audioHz) + '\0';
}

// Dial frequency and mode; WSJT-X sends more, read past.
inline QByteArray statusDatagram(const char* id, quint64 dialHz, const char* mode = "FT8") {
    return header(1, 3, id) + be64(dialHz) + utf8(mode) + utf8("") + utf8("") + utf8(mode) +
           QByteArray(3, '\0') + be32(1500) + be32(1500) + utf8("F4XYZ");
}
