#pragma once

#include "ClusterConnection.h"
#include "LiveSpotPages.h"
#include "RecentSpots.h"
#include "SpotPageServer.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class Configuration;

// The cluster relay: logs in to the cluster nodes the configuration names
// (the first three; the demonstration pages when it names none or cannot be
// read, with why at /status), keeps their live spots as
// band pages and serves those pages, with where they come from at /status,
// on 127.0.0.1; and every spot of the last hour at /spots, for the band map.
class SpotRelay : public QObject {
    Q_OBJECT

public:
    SpotRelay(const Configuration& config, ClusterTiming timing, QObject* parent = nullptr);
    ~SpotRelay() override;

    // Listens on the port (0 picks a free one), then logs in to the nodes.
    bool listen(quint16 port);
    quint16 port() const { return server_->port(); }
    QString errorString() const { return server_->errorString(); }

signals:
    // What a node did that its operator may want to read (English, for the
    // relay's standard error).
    void message(const QString& text);

private:
    void addNode(const HostPort& address, const QByteArray& password, ClusterTiming timing);
    // Files a node's spot and wakes the requests for changes.
    void add(const ClusterSpot& spot);
    QByteArray status() const;
    // What changed since the sequence number: the new number and the bands
    // whose pages changed; nothing when none has.
    std::optional<QByteArray> changes(quint64 since) const;
    // The spots received since the sequence number of the spots; nothing
    // when none has come.
    std::optional<QByteArray> spots(quint64 since) const;

    QByteArray callsign_;
    // Nodes past the third, left out.
    QStringList ignored_;
    LiveSpotPages live_;
    RecentSpots recent_;
    // Raised by every change of a page; the number at each band's last one.
    quint64 sequence_ = 0;
    std::array<quint64, BandTable::Count> changedAt_{};
    std::vector<std::unique_ptr<ClusterConnection>> nodes_;
    std::unique_ptr<SpotPageServer> server_;
};
