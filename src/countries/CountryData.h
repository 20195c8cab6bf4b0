#pragma once

#include "CountryTable.h"
#include "CountryUpdate.h"

#include <QObject>
#include <QThread>
#include <functional>
#include <memory>

// The country data in use and its updates, run off the window's thread: at
// start-up from Debian's package and, when due, from the site; on demand
// from the site.
class CountryData : public QObject {
    Q_OBJECT

public:
    CountryData(CountryFolders folders, HttpClient& http, QObject* parent = nullptr);
    // Stops a running update and waits for it a second at most: an update
    // stuck past that is left to end alone. The copy in use stays as it was.
    ~CountryData() override;

    // Taken at the next update (the start-up's included).
    void setFolders(CountryFolders folders);
    // The folder of the copy in use, and that copy in memory: built once for
    // each copy taken into use, shared by whoever looks a callsign up.
    QString folderInUse() const { return inUse_; }
    std::shared_ptr<const CountryTable> table() const { return table_; }
    CountryVersion versionInUse() const { return CountryVersion::read(inUse_); }

    // Debian's copy when it is newer; then, with `fromSite`, the site's when
    // it is due.
    void startUp(bool fromSite, const QString& site);
    // The site's, asked by the user; nothing while an update runs.
    void update(const QString& site);
    bool running() const { return job_ != nullptr && job_->isRunning(); }

signals:
    // Another copy is in use, or an update rewrote the one in use: table()
    // holds it.
    void inUseChanged();
    // An attempt at the site ended; `asked`: by the user.
    void siteAttempted(const CountryUpdateResult& result, bool asked);
    // The update ended: another may start.
    void idle();

private:
    // What an update's thread shares with its owner, which may be gone
    // before the thread ends.
    struct Link;

    // Runs `work` on a thread of its own, one at a time.
    void run(std::function<void(Link&)> work);

    CountryFolders folders_;
    HttpClient& http_;
    QString inUse_;
    std::shared_ptr<const CountryTable> table_;
    std::unique_ptr<QThread> job_;
    std::shared_ptr<Link> link_;
};
