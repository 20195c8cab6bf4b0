#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class Configuration;
class QLabel;
class QWidget;
class SpotRefresh;

// The one status line of the main window: where the spots come from, what
// was read of the log, the country data's updates and WSJT-X's. Between refreshes it
// follows the local spot server, once a first page was shown; a message of
// the window's own stays a while first.
class StatusLine : public QObject {
    Q_OBJECT

public:
    static inline const QString SettingsSaved = QStringLiteral("Réglages enregistrés");
    // Until the first page: start-up fetches none.
    static inline const QString ChooseABand =
        QStringLiteral("Choisissez une bande puis appuyez sur « Afficher »");
    static constexpr int FollowMs = 1000;

    // `pageShown` tells whether a first page was shown.
    StatusLine(const Configuration& config, SpotRefresh& refresh, std::function<bool()> pageShown);

    // The lines, in a widget of `parent`: the spot source's status first,
    // the log's and the country data's each on a line of its own below it
    // when they have something to say.
    QWidget* create(QWidget* parent);
    QLabel* spots() const { return spots_; }
    QLabel* log() const { return log_; }
    QLabel* countries() const { return countries_; }
    QLabel* wsjtx() const { return wsjtx_; }

    void startFollowing() { follower_.start(); }
    void stopFollowing() { follower_.stop(); }
    // Where the spots come from, told by the spot refresh.
    void showSourceStatus(const QString& text);
    // The settings were saved: said for a while before the source again.
    void showSettingsSaved();
    void showLog(const QString& status, bool hasLog);
    void showCountryUpdating();
    // The site's country file was tried: a failure unasked stays in the line.
    void showCountrySiteAttempt(const QString& versionInUse, const QString& result,
                                bool failedUnasked);
    // What became of WSJT-X's listening and of a call sent it; empty: none.
    void showWsjtx(const QString& text);

private:
    void followSourceStatus();

    const Configuration& config_;
    SpotRefresh& refresh_;
    std::function<bool()> pageShown_;
    QLabel* spots_ = nullptr;
    QLabel* log_ = nullptr;
    QLabel* countries_ = nullptr;
    QLabel* wsjtx_ = nullptr;
    QTimer follower_;
    // A message of the window's own stays this long in the status line.
    QDeadlineTimer held_;
};
