#pragma once

#include "HeldQuestion.h"
#include "RelayProtocol.h"

#include <QObject>
#include <vector>

// The spots of the local spot server for the band map, each as the server
// receives it: one question held open for those that follow the last one
// had (GET /spots?since=N); the first answer brings the last hour's.
class RelaySpotFeed : public QObject {
    Q_OBJECT

public:
    RelaySpotFeed();

    // Follows the server on this loopback port; 0 stops following.
    void watch(quint16 port) { question_.watch(port); }

signals:
    void spotsHeard(const std::vector<RelayProtocol::HeardSpot>& spots);
    // The server gives no spots one by one: it has no node.
    void notServed();

private:
    // Two thousand spots with their remarks.
    static constexpr qsizetype LongestAnswer = 4 * 1024 * 1024;
    HeldQuestion question_;
};
