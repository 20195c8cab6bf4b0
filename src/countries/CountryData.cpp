#include "CountryData.h"

#include <utility>

CountryData::CountryData(CountryFolders folders, HttpClient& http, QObject* parent)
    : QObject(parent), folders_(std::move(folders)), http_(http), inUse_(folders_.inUse()) {}

CountryData::~CountryData() {
    cancelled_ = true;
    if (job_)
        job_->wait();
}

void CountryData::setFolders(CountryFolders folders) {
    folders_ = std::move(folders);
    const QString before = std::exchange(inUse_, folders_.inUse());
    if (inUse_ != before)
        emit inUseChanged();
}

void CountryData::startUp(bool fromSite, const QString& site) {
    run([this, folders = folders_, fromSite, site] {
        publish(updateFromDebian(folders));
        const QDateTime now = QDateTime::currentDateTimeUtc();
        if (!fromSite || cancelled_ || !siteUpdateDue(folders, now))
            return;
        noteSiteAttempt(folders, now);
        const CountryUpdateResult result = updateFromSite(http_, site, folders, cancelled_);
        publish(result);
        QMetaObject::invokeMethod(
            this, [this, result] { emit siteAttempted(result, false); }, Qt::QueuedConnection);
    });
}

void CountryData::update(const QString& site) {
    run([this, folders = folders_, site] {
        const CountryUpdateResult result = updateFromSite(http_, site, folders, cancelled_);
        publish(result);
        QMetaObject::invokeMethod(
            this, [this, result] { emit siteAttempted(result, true); }, Qt::QueuedConnection);
    });
}

void CountryData::run(std::function<void()> work) {
    if (running())
        return;
    job_.reset(QThread::create(std::move(work)));
    job_->setObjectName(QStringLiteral("country update"));
    connect(job_.get(), &QThread::finished, this, &CountryData::idle);
    job_->start(QThread::LowPriority);
}

void CountryData::publish(const CountryUpdateResult& result) {
    if (result.kind != CountryUpdateResult::Kind::Updated)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            inUse_ = folders_.inUse();
            emit inUseChanged();
        },
        Qt::QueuedConnection);
}
