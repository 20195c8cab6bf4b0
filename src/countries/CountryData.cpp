#include "CountryData.h"

#include <QDeadlineTimer>
#include <atomic>
#include <mutex>
#include <utility>

namespace {

// Closing the window waits no longer for an update to stop.
constexpr int StopWaitMs = 1000;

std::shared_ptr<const CountryTable> tableOf(const QString& folder) {
    return std::make_shared<const CountryTable>(CountryTable::load(folder));
}

} // namespace

struct CountryData::Link {
    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    // Null once the owner is being destroyed.
    CountryData* owner = nullptr;

    // Runs `what` on the owner's thread, if the owner is still there.
    void tell(std::function<void(CountryData&)> what) {
        const std::lock_guard lock(mutex);
        if (owner != nullptr)
            QMetaObject::invokeMethod(
                owner, [owner = owner, what = std::move(what)] { what(*owner); },
                Qt::QueuedConnection);
    }
    // From the update's thread: the owner takes the new copy, read here
    // rather than on the owner's thread.
    void publish(const CountryUpdateResult& result, const CountryFolders& folders) {
        if (result.kind != CountryUpdateResult::Kind::Updated)
            return;
        const QString folder = folders.inUse();
        tell([folder, table = tableOf(folder)](CountryData& data) {
            data.inUse_ = data.folders_.inUse();
            // Other folders given meanwhile.
            data.table_ = data.inUse_ == folder ? table : tableOf(data.inUse_);
            emit data.inUseChanged();
        });
    }
    void attempted(const CountryUpdateResult& result, bool asked) {
        tell([result, asked](CountryData& data) { emit data.siteAttempted(result, asked); });
    }
};

CountryData::CountryData(CountryFolders folders, HttpClient& http, QObject* parent)
    : QObject(parent), folders_(std::move(folders)), http_(http), inUse_(folders_.inUse()),
      table_(tableOf(inUse_)), link_(std::make_shared<Link>()) {
    link_->owner = this;
}

CountryData::~CountryData() {
    {
        const std::lock_guard lock(link_->mutex);
        link_->owner = nullptr;
    }
    link_->cancelled = true;
    if (job_ && !job_->wait(QDeadlineTimer(StopWaitMs))) {
        // Destroying a running thread would abort the program.
        QThread* stuck = job_.release();
        stuck->disconnect(this);
        connect(stuck, &QThread::finished, stuck, &QObject::deleteLater);
    }
}

void CountryData::setFolders(CountryFolders folders) {
    folders_ = std::move(folders);
    const QString before = std::exchange(inUse_, folders_.inUse());
    if (inUse_ != before) {
        table_ = tableOf(inUse_);
        emit inUseChanged();
    }
}

void CountryData::startUp(bool fromSite, const QString& site) {
    run([&http = http_, folders = folders_, fromSite, site](Link& link) {
        link.publish(updateFromDebian(folders, link.cancelled), folders);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        if (!fromSite || link.cancelled || !siteUpdateDue(folders, now))
            return;
        noteSiteAttempt(folders, now);
        const CountryUpdateResult result = updateFromSite(http, site, folders, link.cancelled);
        link.publish(result, folders);
        link.attempted(result, false);
    });
}

void CountryData::update(const QString& site) {
    run([&http = http_, folders = folders_, site](Link& link) {
        const CountryUpdateResult result = updateFromSite(http, site, folders, link.cancelled);
        link.publish(result, folders);
        link.attempted(result, true);
    });
}

void CountryData::run(std::function<void(Link&)> work) {
    if (running())
        return;
    job_.reset(QThread::create([link = link_, work = std::move(work)] { work(*link); }));
    job_->setObjectName(QStringLiteral("country update"));
    connect(job_.get(), &QThread::finished, this, &CountryData::idle);
    job_->start(QThread::LowPriority);
}
