#include "WsjtxMessages.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>

namespace Wsjtx {

namespace {

QDataStream::Version streamVersion(quint32 schema) {
    return schema >= 3 ? QDataStream::Qt_5_4 : QDataStream::Qt_5_2;
}

// The fields of one datagram in order. A field past the end leaves its
// default and marks the stream; the caller decides which fields a message
// cannot do without.
class Fields {
public:
    explicit Fields(QDataStream& in) : in_(in) {}

    QString text() {
        QByteArray utf8;
        in_ >> utf8;
        return QString::fromUtf8(utf8);
    }
    QByteArray bytes() {
        QByteArray value;
        in_ >> value;
        return value;
    }
    template <typename T> T value() {
        T value{};
        in_ >> value;
        return value;
    }
    bool complete() const { return in_.status() == QDataStream::Ok; }

private:
    QDataStream& in_;
};

std::optional<Message> heartbeat(QString id, Fields& in) {
    Heartbeat message;
    message.id = std::move(id);
    const auto maximum = in.value<quint32>();
    if (in.complete())
        message.maximumSchema = maximum;
    message.version = in.text();
    message.revision = in.text();
    return message;
}

std::optional<Message> status(QString id, Fields& in) {
    Status message;
    message.id = std::move(id);
    message.dialHz = in.value<quint64>();
    message.mode = in.text();
    if (!in.complete())
        return std::nullopt;
    message.dxCall = in.text();
    in.text(); // report
    in.text(); // Tx mode
    for (int flag = 0; flag < 3; ++flag)
        in.value<bool>(); // Tx enabled, transmitting, decoding
    in.value<quint32>();  // Rx audio offset
    in.value<quint32>();  // Tx audio offset
    message.deCall = in.text();
    return message;
}

std::optional<Message> decode(QString id, Fields& in) {
    Decode message;
    message.id = std::move(id);
    message.isNew = in.value<bool>();
    message.time = in.value<QTime>();
    message.snr = in.value<qint32>();
    message.deltaTime = in.value<double>();
    message.audioHz = in.value<quint32>();
    message.mode = in.text();
    message.message = in.text();
    if (!in.complete())
        return std::nullopt;
    message.lowConfidence = in.value<bool>();
    message.offAir = in.value<bool>();
    return message;
}

std::optional<Message> qsoLogged(QString id, Fields& in) {
    QsoLogged message;
    message.id = std::move(id);
    message.timeOff = in.value<QDateTime>();
    message.dxCall = in.text();
    message.dxGrid = in.text();
    message.txHz = in.value<quint64>();
    message.mode = in.text();
    if (!in.complete())
        return std::nullopt;
    for (int text = 0; text < 5; ++text)
        in.text(); // reports sent and received, power, comments, name
    message.timeOn = in.value<QDateTime>();
    return message;
}

std::optional<Message> loggedAdif(QString id, Fields& in) {
    LoggedAdif message{std::move(id), in.bytes()};
    if (!in.complete())
        return std::nullopt;
    return message;
}

std::optional<Message> messageOf(Type type, QString id, Fields& in) {
    switch (type) {
    case Type::Heartbeat:
        return heartbeat(std::move(id), in);
    case Type::Status:
        return status(std::move(id), in);
    case Type::Decode:
        return decode(std::move(id), in);
    case Type::Clear:
        return Clear{std::move(id)};
    case Type::QsoLogged:
        return qsoLogged(std::move(id), in);
    case Type::Close:
        return Close{std::move(id)};
    case Type::LoggedAdif:
        return loggedAdif(std::move(id), in);
    default:
        return std::nullopt;
    }
}

// A datagram being written: its header, then the fields streamed into `out`.
class Writer {
public:
    Writer(Type type, const QString& id, quint32 schema) : out(&bytes, QIODevice::WriteOnly) {
        out.setVersion(streamVersion(schema));
        out << Magic << schema << static_cast<quint32>(type) << id.toUtf8();
    }

    QByteArray bytes;
    QDataStream out;
};

} // namespace

Datagram readDatagram(const QByteArray& bytes) {
    Datagram datagram;
    QDataStream in(bytes);
    quint32 magic = 0;
    in >> magic >> datagram.schema;
    if (magic != Magic) {
        datagram.fault = Fault::NotWsjtx;
        return datagram;
    }
    if (in.status() != QDataStream::Ok) {
        datagram.fault = Fault::Cut;
        return datagram;
    }
    if (datagram.schema < LowestSchema || datagram.schema > HighestSchema) {
        datagram.fault = Fault::UnknownSchema;
        return datagram;
    }
    in.setVersion(streamVersion(datagram.schema));
    Fields fields(in);
    const auto type = static_cast<Type>(fields.value<quint32>());
    QString id = fields.text();
    if (!fields.complete()) {
        datagram.fault = Fault::Cut;
        return datagram;
    }
    datagram.message = messageOf(type, std::move(id), fields);
    // A type this program reads that came without its fields.
    if (!datagram.message && !fields.complete())
        datagram.fault = Fault::Cut;
    return datagram;
}

QByteArray heartbeatDatagram(const QString& ourId, quint32 theirMaximumSchema,
                             const QString& version) {
    Writer writer(Type::Heartbeat, ourId,
                  std::clamp(theirMaximumSchema, LowestSchema, HighestSchema));
    writer.out << HighestSchema << version.toUtf8() << QByteArray();
    return writer.bytes;
}

QByteArray replyDatagram(const Decode& decode, quint32 schema) {
    Writer writer(Type::Reply, decode.id, schema);
    const quint8 noModifier = 0;
    writer.out << decode.time << decode.snr << decode.deltaTime << decode.audioHz
               << decode.mode.toUtf8() << decode.message.toUtf8() << decode.lowConfidence
               << noModifier;
    return writer.bytes;
}

QByteArray highlightDatagram(const QString& id, const QString& callsign, const QColor& background,
                             const QColor& foreground, quint32 schema) {
    Writer writer(Type::HighlightCallsign, id, schema);
    const bool lastPeriodOnly = false;
    writer.out << callsign.toUtf8() << background << foreground << lastPeriodOnly;
    return writer.bytes;
}

QByteArray adifOf(const QsoLogged& contact) {
    const auto field = [](const char* name, const QByteArray& value) {
        return '<' + QByteArray(name) + ':' + QByteArray::number(value.size()) + '>' + value;
    };
    return field("CALL", contact.dxCall.toUtf8()) +
           field("FREQ", QByteArray::number(double(contact.txHz) / 1e6, 'f', 6)) +
           field("MODE", contact.mode.toUtf8()) + "<EOR>";
}

} // namespace Wsjtx
