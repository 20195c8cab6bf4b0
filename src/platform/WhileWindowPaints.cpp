#include "WhileWindowPaints.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// Shared by the waiting thread and the work's, so that a work outliving the
// wait finds it still there.
struct Wait {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    // The window's thread is in its loop: posting to the application wakes
    // it, and the application exists.
    bool looping = false;
};

bool onWindowThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

} // namespace

bool WhileWindowPaints::run(std::function<void()> work, std::chrono::milliseconds limit) {
    auto wait = std::make_shared<Wait>();
    const bool windowThread = onWindowThread();
    wait->looping = windowThread;
    std::thread([wait, work = std::move(work)] {
        work();
        const std::lock_guard lock(wait->mutex);
        wait->done = true;
        wait->ended.notify_all();
        if (wait->looping)
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] {}, Qt::QueuedConnection);
    }).detach();

    std::unique_lock lock(wait->mutex);
    if (!windowThread) {
        wait->ended.wait_for(lock, limit, [&wait] { return wait->done; });
        return wait->done;
    }
    // Its expiry wakes the loop below.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(limit);
    while (!wait->done && deadline.isActive()) {
        lock.unlock();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::WaitForMoreEvents);
        lock.lock();
    }
    wait->looping = false;
    return wait->done;
}
