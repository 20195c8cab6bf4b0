#pragma once

#include "ProgramDirectory.h"
#include "SharedState.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdint>
#include <functional>

class Clock;
class HttpClient;
class MessageBox;
class PageScratchFiles;
class SortedSpotLines;
class SoundPlayer;
class SpotView;

// One refresh of the spot list: each band's page is fetched, stored in the
// scratch files, decoded through the filters and alerts into the sorted list
// and shown in the chosen order.
class SpotRefresh {
public:
    // The longest a refresh, one band or two, waits for its pages.
    static constexpr std::chrono::milliseconds TimeLimit{20000};
    // Where the local spot server tells where its spots come from, and the
    // longest that is waited for.
    static constexpr std::chrono::milliseconds StatusTimeLimit{2000};

    struct Services {
        HttpClient& http;
        SoundPlayer& sound;
        MessageBox& messages;
        const Clock& clock;
    };

    SpotRefresh(SharedState& state, SortedSpotLines& Liste_Stations_Bis, SpotView& view,
                Services services, ProgramDirectory directory, PageScratchFiles& scratch,
                QString siteBase, std::chrono::milliseconds timeLimit = TimeLimit);

    // Between two refreshes, when the spot source says the bands' pages
    // changed: the same decoding, filters, order and alerts (for spots not
    // in `listed` only), without the busy state or the refresh timer; a page
    // that does not come leaves the list as it is, silently. False then.
    bool updateBands(std::int16_t Bande, std::int16_t Bande2, const QSet<QString>& listed);

    // Shows the spots of one band index. A site that does not answer sounds
    // "ringin.wav", shows the no-answer message and leaves the timer off.
    void Affiche_Dedirad(std::int16_t Bande);
    // The first band, then the second one unless it is 0 ("Sans"): the
    // sorted list keeps the first band's lines, so the second display shows
    // both bands merged. The second page gets what time the first one left,
    // and counts as no answer when none is left.
    void Affiche_Bandes(std::int16_t Bande, std::int16_t Bande2);
    // The pages shown last, decoded again through the filters as they stand
    // now, without fetching them or sounding: the log changed. False when no
    // page is shown.
    bool redisplay();
    // Plays the alert sound once.
    void playAlert();
    // What brings a silent spot source back (the local spot server, killed):
    // tried once per refresh when a page does not come, and the page asked
    // again when it answers.
    void setSourceReviver(std::function<bool()> revive) { revive_ = std::move(revive); }
    // The spot site, changed in the settings.
    void setSiteBase(QString siteBase) { siteBase_ = std::move(siteBase); }
    // Whether the site is the local spot server, which tells at /status
    // where its spots come from; a site of the web is not asked.
    void setSourceStatusAsked(bool asked) { sourceStatusAsked_ = asked; }
    // The status line: after each refresh, and as the spot source changes.
    void showSourceStatus();
    // Whether a refresh is fetching its pages.
    bool running() const { return running_; }

private:
    // Affiche_Dedirad, its page waited for no longer than `timeLeft`, which
    // loses the time spent waiting.
    void showBand(std::int16_t Bande, std::chrono::milliseconds& timeLeft);
    // The page, waited for no longer than `timeLeft`, which loses the time
    // spent waiting; empty when the site did not answer.
    QString fetch(std::int16_t Bande, std::chrono::milliseconds& timeLeft);
    void play(const QString& soundFile);
    // Running, and the window busy, or neither.
    void setBusy(bool busy);

    SharedState& state_;
    SortedSpotLines& sortedLines_;
    SpotView& view_;
    Services services_;
    ProgramDirectory directory_;
    PageScratchFiles& scratch_;
    QString siteBase_;
    std::chrono::milliseconds timeLimit_;
    std::function<bool()> revive_;
    bool revivedThisRefresh_ = false;
    // The stored pages of the bands shown.
    QStringList shownPages_;
    bool sourceStatusAsked_ = false;
    bool running_ = false;
};
