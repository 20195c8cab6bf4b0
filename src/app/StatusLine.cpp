#include "StatusLine.h"

#include "Configuration.h"
#include "SpotRefresh.h"
#include "SpotSourceStatusText.h"

#include <QLabel>
#include <QVBoxLayout>

StatusLine::StatusLine(const Configuration& config, SpotRefresh& refresh,
                       std::function<bool()> pageShown)
    : config_(config), refresh_(refresh), pageShown_(std::move(pageShown)) {
    follower_.setInterval(FollowMs);
    connect(&follower_, &QTimer::timeout, this, &StatusLine::followSourceStatus);
}

QWidget* StatusLine::create(QWidget* parent) {
    // Each reads whole at the window's own width, and one too long wraps
    // rather than widening the window or hiding the others.
    auto* statuses = new QWidget(parent);
    auto* statusLines = new QVBoxLayout(statuses);
    statusLines->setContentsMargins(0, 0, 0, 0);
    statusLines->setSpacing(0);
    const auto statusLine = [&](const char* name) {
        auto* line = new QLabel(statuses);
        line->setObjectName(QString::fromLatin1(name));
        line->setTextFormat(Qt::PlainText);
        line->setWordWrap(true);
        statusLines->addWidget(line);
        return line;
    };
    spots_ = statusLine("Etat_Spots");
    spots_->setText(ChooseABand);
    log_ = statusLine("Etat_Journal");
    log_->hide();
    countries_ = statusLine("Etat_Pays");
    countries_->hide();
    wsjtx_ = statusLine("Etat_Wsjtx");
    wsjtx_->hide();
    return statuses;
}

void StatusLine::showSourceStatus(const QString& text) {
    const bool firstRun = text == DemonstrationStatus && config_.callsign().isEmpty();
    spots_->setText(firstRun ? FirstRunStatus : text);
}

void StatusLine::showSettingsSaved() {
    spots_->setText(SettingsSaved);
    held_.setRemainingTime(3 * FollowMs);
}

void StatusLine::showLog(const QString& status, bool hasLog) {
    log_->setText(status);
    log_->setVisible(hasLog);
}

void StatusLine::showCountryUpdating() {
    countries_->setText(QStringLiteral("Pays : mise à jour…"));
    countries_->setToolTip(QString());
    countries_->show();
}

void StatusLine::showCountrySiteAttempt(const QString& versionInUse, const QString& result,
                                        bool failedUnasked) {
    countries_->setText(QStringLiteral("Pays : %1, mise à jour impossible").arg(versionInUse));
    countries_->setToolTip(result);
    countries_->setVisible(failedUnasked);
}

void StatusLine::showWsjtx(const QString& text) {
    wsjtx_->setText(text);
    wsjtx_->setVisible(!text.isEmpty());
}

void StatusLine::followSourceStatus() {
    if (!pageShown_() || refresh_.running() || !held_.hasExpired())
        return;
    refresh_.showSourceStatus();
}
