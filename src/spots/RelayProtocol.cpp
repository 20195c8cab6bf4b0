#include "RelayProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace RelayProtocol {

namespace {

QByteArray requestSince(QLatin1StringView path, quint64 since) {
    return "GET " + QByteArray(path.data(), path.size()) + '?' +
           QByteArray(SinceParameter.data(), SinceParameter.size()) + '=' +
           QByteArray::number(since) + " HTTP/1.0\r\n\r\n";
}

} // namespace

QByteArray changesRequest(quint64 since) {
    return requestSince(ChangesPath, since);
}

QByteArray encodeChanges(const Changes& changes) {
    QJsonArray bands;
    for (const int band : changes.bands)
        bands.append(band);
    return QJsonDocument(
               QJsonObject{{Key::Sequence, qint64(changes.sequence)}, {Key::Bands, bands}})
        .toJson(QJsonDocument::Compact);
}

std::optional<Changes> decodeChanges(const QByteArray& json) {
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    if (!object.contains(Key::Sequence))
        return std::nullopt;
    Changes changes;
    changes.sequence = object.value(Key::Sequence).toVariant().toULongLong();
    for (const QJsonValue& band : object.value(Key::Bands).toArray())
        changes.bands.push_back(band.toInt());
    return changes;
}

QByteArray spotsRequest(quint64 since) {
    return requestSince(SpotsPath, since);
}

QByteArray encodeSpots(const Spots& spots) {
    QJsonArray all;
    for (const HeardSpot& heard : spots.spots)
        all.append(QJsonObject{{Key::Call, heard.spot.call},
                               {Key::Frequency, heard.spot.frequency},
                               {Key::Time, heard.spot.time},
                               {Key::Spotter, heard.spot.spotter},
                               {Key::Remark, heard.spot.remark},
                               {Key::Heard, heard.heardMs}});
    return QJsonDocument(QJsonObject{{Key::Sequence, qint64(spots.sequence)}, {Key::Spots, all}})
        .toJson(QJsonDocument::Compact);
}

std::optional<Spots> decodeSpots(const QByteArray& json) {
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    if (!object.contains(Key::Sequence) || !object.value(Key::Spots).isArray())
        return std::nullopt;
    Spots spots;
    spots.sequence = object.value(Key::Sequence).toVariant().toULongLong();
    for (const QJsonValue& value : object.value(Key::Spots).toArray()) {
        const QJsonObject heard = value.toObject();
        spots.spots.push_back(
            {Spot{heard.value(Key::Call).toString(), heard.value(Key::Frequency).toString(),
                  heard.value(Key::Time).toString(), heard.value(Key::Spotter).toString(),
                  heard.value(Key::Remark).toString(), SpotSource::Cluster},
             heard.value(Key::Heard).toVariant().toLongLong()});
    }
    return spots;
}

} // namespace RelayProtocol
