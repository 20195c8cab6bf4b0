#pragma once

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cstdint>
#include <optional>
#include <variant>

// The UDP messages WSJT-X (and JTDX) exchange with the programs beside it:
// a big-endian Qt data stream, a header (magic number, schema, type, the
// sending instance's id), then the fields of its type. New types and new
// trailing fields may come with any version: both are ignored.
namespace Wsjtx {

inline constexpr quint32 Magic = 0xadbccbda;
// Schema 2 streams in Qt 5.2's format, schema 3 in Qt 5.4's; 1 was broken.
inline constexpr quint32 LowestSchema = 2;
inline constexpr quint32 HighestSchema = 3;

enum class Type : quint32 {
    Heartbeat = 0,
    Status = 1,
    Decode = 2,
    Clear = 3,
    Reply = 4,
    QsoLogged = 5,
    Close = 6,
    LoggedAdif = 12,
    HighlightCallsign = 13,
};

struct Heartbeat {
    QString id;
    // Senders older than schema 3 do not give it: 2 then.
    quint32 maximumSchema = 2;
    QString version;
    QString revision;
};

// What an instance is doing; it is sent again whenever that changes.
struct Status {
    QString id;
    quint64 dialHz = 0;
    QString mode;
    QString dxCall;
    QString deCall;
};

struct Decode {
    QString id;
    bool isNew = true;
    QTime time;
    qint32 snr = 0;
    double deltaTime = 0;
    quint32 audioHz = 0;
    QString mode;
    QString message;
    bool lowConfidence = false;
    bool offAir = false;
};

// The instance's decodes were erased: none can be replied to any more.
struct Clear {
    QString id;
};

struct QsoLogged {
    QString id;
    QDateTime timeOff;
    QString dxCall;
    QString dxGrid;
    quint64 txHz = 0;
    QString mode;
    QDateTime timeOn;
};

struct Close {
    QString id;
};

// The contact just logged, as an ADIF file of one record.
struct LoggedAdif {
    QString id;
    QByteArray adif;
};

using Message = std::variant<Heartbeat, Status, Decode, Clear, QsoLogged, Close, LoggedAdif>;

enum class Fault {
    None,
    NotWsjtx,      // not its magic number
    UnknownSchema, // a schema we cannot read
    Cut,           // ends before the fields of its type
};

struct Datagram {
    // Nothing for a fault, and for a type this program does not read.
    std::optional<Message> message;
    Fault fault = Fault::None;
    quint32 schema = 0;
};

// Reads one datagram, never past its end.
Datagram readDatagram(const QByteArray& bytes);

// Our answer to an instance's heartbeat, in the highest schema both know.
QByteArray heartbeatDatagram(const QString& ourId, quint32 theirMaximumSchema,
                             const QString& version);
// Asks the instance that sent the decode to call its station, as a double
// click on its own line would: every field of the decode repeated exactly.
QByteArray replyDatagram(const Decode& decode, quint32 schema);
// Colours a call in the instance's band activity; invalid colours clear it.
QByteArray highlightDatagram(const QString& id, const QString& callsign, const QColor& background,
                             const QColor& foreground, quint32 schema);

// The logged contact as one ADIF record: its call, frequency and mode, what
// the log counts it by.
QByteArray adifOf(const QsoLogged& contact);

} // namespace Wsjtx
