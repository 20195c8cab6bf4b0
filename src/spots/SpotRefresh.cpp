#include "SpotRefresh.h"

#include "BandTable.h"
#include "DisplayPass.h"
#include "HttpClient.h"
#include "MessageBox.h"
#include "PageScratchFiles.h"
#include "SortedSpotLines.h"
#include "SoundPlayer.h"
#include "SpotCollection.h"
#include "SpotTexts.h"
#include "SpotView.h"
#include "TimeOfDay.h"

SpotRefresh::SpotRefresh(SharedState& state, SortedSpotLines& Liste_Stations_Bis, SpotView& view,
                         Services services, ProgramDirectory directory, PageScratchFiles& scratch,
                         QString siteBase)
    : state_(state), sortedLines_(Liste_Stations_Bis), view_(view), services_(services),
      directory_(std::move(directory)), scratch_(scratch), siteBase_(std::move(siteBase)) {}

void SpotRefresh::play(const QString& soundFile) {
    Joue_Son(services_.sound, directory_.file(soundFile));
}

void SpotRefresh::playAlert() {
    play(SpotTexts::AlertSound);
}

void SpotRefresh::Affiche_Dedirad(std::int16_t Bande) {
    view_.stopRefreshTimer();
    view_.showBusy(true);

    const QString page =
        PageScratchFiles::capitals(services_.http.get(BandTable::pageAddress(siteBase_, Bande)));
    if (page.isEmpty()) {
        play(SpotTexts::NoAnswerSound);
        services_.messages.show(SpotTexts::NoAnswer);
        view_.showBusy(false);
        return;
    }

    state_.Page_Prete = true;
    view_.showUpdateTime(Heure_TU(services_.clock).left(5) + SpotTexts::UniversalTime);

    // A scratch file that fails leaves a page without spots; the refresh
    // still ends normally.
    if (scratch_.store(page)) {
        if (const std::optional<QString> stored = scratch_.readPage())
            collectSpots(*stored, state_.Mode_Tri, view_.filterChoices(), sortedLines_,
                         [this] { playAlert(); });
    }

    view_.showBusy(false);
    view_.startRefreshTimer();
    view_.appendSpotLines(displayPass(sortedLines_, state_.Mode_Tri));
}

void SpotRefresh::Affiche_Bandes(std::int16_t Bande, std::int16_t Bande2) {
    Affiche_Dedirad(Bande);
    if (Bande2 != 0) {
        view_.clearSpotLines();
        Affiche_Dedirad(Bande2);
    }
}
