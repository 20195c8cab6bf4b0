#pragma once

#include "ProgramDirectory.h"
#include "SharedState.h"

#include <QString>
#include <cstdint>

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
    struct Services {
        HttpClient& http;
        SoundPlayer& sound;
        MessageBox& messages;
        const Clock& clock;
    };

    SpotRefresh(SharedState& state, SortedSpotLines& Liste_Stations_Bis, SpotView& view,
                Services services, ProgramDirectory directory, PageScratchFiles& scratch,
                QString siteBase);

    // Shows the spots of one band index. A site that does not answer sounds
    // "ringin.wav", shows the no-answer message and leaves the timer off.
    void Affiche_Dedirad(std::int16_t Bande);
    // The first band, then the second one unless it is 0 ("Sans"): the
    // sorted list keeps the first band's lines, so the second display shows
    // both bands merged.
    void Affiche_Bandes(std::int16_t Bande, std::int16_t Bande2);
    // Plays the alert sound once.
    void playAlert();

private:
    void play(const QString& soundFile);

    SharedState& state_;
    SortedSpotLines& sortedLines_;
    SpotView& view_;
    Services services_;
    ProgramDirectory directory_;
    PageScratchFiles& scratch_;
    QString siteBase_;
};
