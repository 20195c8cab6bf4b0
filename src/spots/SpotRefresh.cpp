#include "SpotRefresh.h"

#include "BandTable.h"
#include "DisplayPass.h"
#include "HttpClient.h"
#include "MessageBox.h"
#include "PageScratchFiles.h"
#include "RelayProtocol.h"
#include "SortedSpotLines.h"
#include "SoundPlayer.h"
#include "SpotCollection.h"
#include "SpotSourceStatusText.h"
#include "SpotTexts.h"
#include "SpotView.h"
#include "TimeOfDay.h"
#include "WhileWindowPaints.h"

namespace {

// The fetch ends at its own limit; the wait's is only a backstop.
constexpr std::chrono::milliseconds FetchGrace{2000};

// The HTTP client lives as long as the program, so a fetch that outlived
// its wait still finds it.
QString fetchWhileWindowPaints(HttpClient& http, const QString& address,
                               std::chrono::milliseconds timeLimit) {
    return WhileWindowPaints::result<QString>(
               [&http, address, timeLimit] { return http.get(address, timeLimit); },
               timeLimit + FetchGrace)
        .value_or(QString());
}

} // namespace

SpotRefresh::SpotRefresh(SharedState& state, SortedSpotLines& Liste_Stations_Bis, SpotView& view,
                         Services services, ProgramDirectory directory, PageScratchFiles& scratch,
                         QString siteBase, std::chrono::milliseconds timeLimit)
    : state_(state), sortedLines_(Liste_Stations_Bis), view_(view), services_(services),
      directory_(std::move(directory)), scratch_(scratch), siteBase_(std::move(siteBase)),
      timeLimit_(timeLimit) {}

void SpotRefresh::setBusy(bool busy) {
    running_ = busy;
    view_.showBusy(busy);
}

void SpotRefresh::play(const QString& soundFile) {
    Joue_Son(services_.sound, directory_.file(soundFile));
}

void SpotRefresh::playAlert() {
    play(SpotTexts::AlertSound);
}

void SpotRefresh::Affiche_Dedirad(std::int16_t Bande) {
    revivedThisRefresh_ = false;
    shownPages_.clear();
    std::chrono::milliseconds timeLeft = timeLimit_;
    showBand(Bande, timeLeft);
    showSourceStatus();
}

void SpotRefresh::Affiche_Bandes(std::int16_t Bande, std::int16_t Bande2) {
    revivedThisRefresh_ = false;
    shownPages_.clear();
    std::chrono::milliseconds timeLeft = timeLimit_;
    showBand(Bande, timeLeft);
    if (Bande2 != 0) {
        view_.clearSpotLines();
        showBand(Bande2, timeLeft);
    }
    showSourceStatus();
}

void SpotRefresh::showSourceStatus() {
    if (const QString problem = services_.http.problem(); !problem.isEmpty()) {
        view_.showSourceStatus(SpotTexts::ProgramIncomplete.arg(problem));
        return;
    }
    if (!sourceStatusAsked_)
        return;
    const QString status = fetchWhileWindowPaints(
        services_.http, siteBase_ + RelayProtocol::StatusPath, StatusTimeLimit);
    view_.showSourceStatus(spotSourceStatusText(status.toUtf8()));
}

void SpotRefresh::showBand(std::int16_t Bande, std::chrono::milliseconds& timeLeft) {
    view_.stopRefreshTimer();
    setBusy(true);

    QString body = fetch(Bande, timeLeft);
    if (body.isEmpty() && revive_ && !revivedThisRefresh_) {
        revivedThisRefresh_ = true;
        if (revive_())
            body = fetch(Bande, timeLeft);
    }
    const QString page = PageScratchFiles::capitals(body);
    // Not the site's fault: said in the status line, which tells the cure.
    if (page.isEmpty() && !services_.http.problem().isEmpty()) {
        setBusy(false);
        return;
    }
    if (page.isEmpty()) {
        play(SpotTexts::NoAnswerSound);
        services_.messages.show(SpotTexts::NoAnswer);
        setBusy(false);
        return;
    }

    state_.Page_Prete = true;
    view_.showUpdateTime(Heure_TU(services_.clock).left(5) + SpotTexts::UniversalTime);

    // A scratch file that fails leaves a page without spots; the refresh
    // still ends normally.
    if (const std::optional<QString> stored = scratch_.keep(page)) {
        collectSpots(*stored, state_.Mode_Tri, view_.filterChoices(), sortedLines_,
                     [this] { playAlert(); });
        shownPages_.append(*stored);
    }

    setBusy(false);
    view_.startRefreshTimer();
    view_.appendSpotLines(displayPass(sortedLines_, state_.Mode_Tri));
}

bool SpotRefresh::updateBands(std::int16_t Bande, std::int16_t Bande2,
                              const QSet<QString>& listed) {
    std::chrono::milliseconds timeLeft = timeLimit_;
    QStringList pages;
    for (const std::int16_t band : {Bande, Bande2}) {
        if (band == Bande2 && Bande2 == 0)
            break;
        pages.append(PageScratchFiles::capitals(fetch(band, timeLeft)));
        if (pages.last().isEmpty())
            return false;
    }
    view_.showUpdateTime(Heure_TU(services_.clock).left(5) + SpotTexts::UniversalTime);
    sortedLines_.clear();
    shownPages_.clear();
    const FilterChoices choices = view_.filterChoices();
    for (const QString& page : pages) {
        if (const std::optional<QString> stored = scratch_.keep(page)) {
            collectSpots(
                *stored, state_.Mode_Tri, choices, sortedLines_, [this] { playAlert(); }, listed);
            shownPages_.append(*stored);
        }
    }
    view_.updateSpotLines(displayPass(sortedLines_, state_.Mode_Tri));
    return true;
}

bool SpotRefresh::redisplay() {
    if (shownPages_.isEmpty())
        return false;
    sortedLines_.clear();
    const FilterChoices choices = view_.filterChoices();
    for (const QString& page : shownPages_)
        collectSpots(page, state_.Mode_Tri, choices, sortedLines_, [] {});
    view_.updateSpotLines(displayPass(sortedLines_, state_.Mode_Tri));
    return true;
}

QString SpotRefresh::fetch(std::int16_t Bande, std::chrono::milliseconds& timeLeft) {
    if (timeLeft.count() <= 0)
        return QString();
    const auto waitStarted = std::chrono::steady_clock::now();
    QString body =
        fetchWhileWindowPaints(services_.http, BandTable::pageAddress(siteBase_, Bande), timeLeft);
    timeLeft -= std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - waitStarted);
    return body;
}
