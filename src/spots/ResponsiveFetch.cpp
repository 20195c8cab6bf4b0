#include "ResponsiveFetch.h"

#include "HttpClient.h"

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <thread>

QString fetchKeepingWindowAlive(HttpClient& http, const QString& address,
                                std::chrono::milliseconds timeLimit) {
    const QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() != app->thread())
        return http.get(address, timeLimit);

    QString body;
    std::atomic<bool> done{false};
    // Posting to it wakes the event loop below when the page is there.
    QObject waker;
    std::thread worker([&] {
        body = http.get(address, timeLimit);
        done = true;
        QMetaObject::invokeMethod(
            &waker, [] {}, Qt::QueuedConnection);
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::WaitForMoreEvents);
    worker.join();
    return body;
}
