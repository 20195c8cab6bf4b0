#include "RelayProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace RelayProtocol {

QByteArray changesRequest(quint64 since) {
    return "GET " + QByteArray(ChangesPath.data(), ChangesPath.size()) + '?' +
           QByteArray(SinceParameter.data(), SinceParameter.size()) + '=' +
           QByteArray::number(since) + " HTTP/1.0\r\n\r\n";
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

} // namespace RelayProtocol
