#pragma once

#include "BandMap.h"
#include "BrowserProcess.h"
#include "Configuration.h"
#include "CountryData.h"
#include "LiveSpotUpdates.h"
#include "LogBook.h"
#include "Memoire_CL.h"
#include "PageScratchFiles.h"
#include "Platform.h"
#include "ProgramDirectory.h"
#include "QRZ_Web.h"
#include "Radio.h"
#include "Reglages.h"
#include "SharedState.h"
#include "SortedSpotLines.h"
#include "SpotLogColours.h"
#include "SpotRefresh.h"
#include "SpotView.h"
#include "Station.h"
#include "StatusLine.h"
#include "WsjtxDecodes.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class SettingsStore;

// The main window. Its controls carry the names of the original form; each
// handler is named after its control and event. It keeps the controls and
// wires them to the classes that hold each concern: the radio, the live
// updates, the status line, the log's colours. The handlers of each
// subsystem live in their own file (DurerurControls.cpp, DurerurStartup.cpp,
// DurerurPortMenus.cpp, DurerurRefresh.cpp, DurerurSelection.cpp,
// DurerurMemory.cpp, DurerurLog.cpp, DurerurCountries.cpp,
// DurerurDecodes.cpp, DurerurBandMap.cpp).
class Durerur : public QMainWindow, private SpotView {
    Q_OBJECT

public:
    // `config` is the program's configuration, which the settings window
    // changes.
    Durerur(SharedState& state, SettingsStore& settings, Configuration& config,
            ProgramDirectory directory, Platform platform, QWidget* parent = nullptr);
    ~Durerur() override;

    // What brings the local spot server back when a refresh finds it silent.
    void setSpotSourceReviver(std::function<bool()> revive);
    // What starts the local spot server afresh once the settings change.
    void setSpotSourceRestarter(std::function<void()> restart) {
        restartSpotSource_ = std::move(restart);
    }

    // Controls, in design order.
    QPushButton* Test_alerte = nullptr;
    QLineEdit* QRB = nullptr;
    QLineEdit* Dec = nullptr;
    QLineEdit* Azi = nullptr;
    QLineEdit* ITU = nullptr;
    QLineEdit* CQ = nullptr;
    QLineEdit* Cont = nullptr;
    QLineEdit* Pref = nullptr;
    QLineEdit* Pays = nullptr;
    QPushButton* QRZ = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Tri_Date = nullptr;
    QPushButton* Tri_DX = nullptr;
    QPushButton* Tri_QRG = nullptr;
    QComboBox* Bande_CL2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLineEdit* Indicatif = nullptr;
    QComboBox* Emetteur = nullptr;
    QPushButton* Voir_Mem = nullptr;
    QPushButton* Memoriser = nullptr;
    QListWidget* Liste_Stations = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label7 = nullptr;
    QComboBox* Bande_CL = nullptr;
    QPushButton* Afficher = nullptr;
    QTimer* Timer2 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* Remarque = nullptr;
    QCheckBox* Check4 = nullptr;
    QLabel* QTR = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label4 = nullptr;
    QFrame* Line1 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* NumPort = nullptr;
    QLabel* DebitPort = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Patientez = nullptr;
    // The status line under the controls: where the spots come from.
    QLabel* Etat_Spots = nullptr;
    // What a contact with the clicked spot's station would bring.
    QLineEdit* Journal = nullptr;
    QLabel* Label_Journal = nullptr;
    // "Nouveaux seulement": the spots a contact would bring something.
    QCheckBox* Check5 = nullptr;
    // Beside Etat_Spots: what was read of the log.
    QLabel* Etat_Journal = nullptr;
    // Beside them, while the country data is fetched and when it could not be.
    QLabel* Etat_Pays = nullptr;
    // And what became of WSJT-X's listening and calls.
    QLabel* Etat_Wsjtx = nullptr;

    // Menu items.
    QAction* Mnu_SansCom = nullptr;
    std::array<QAction*, 6> Mnu_Com{};   // Mnu_Com1 to Mnu_Com6
    std::array<QAction*, 4> Mnu_Speed{}; // Mnu_4800, Mnu_9600, Mnu_19200, Mnu_57600
    QAction* Mnu_Coordonnees = nullptr;
    QAction* Mnu_Reglages = nullptr;
    QAction* Mnu_Historique = nullptr;
    QAction* Mnu_A_Propos = nullptr;
    QAction* Mnu_Maj_Pays = nullptr;
    // "Voir Décodages": the stations WSJT-X decodes.
    QAction* Mnu_Decodages = nullptr;
    // "Voir Carte": the band map.
    QAction* Mnu_Carte = nullptr;

    // The station coordinates window while it is open.
    Station* stationWindow() const { return station_; }

    // Start-up: restores the choices of the last run (run by the constructor).
    void Form_Load();
    // Shutdown: stops the timer, closes the port and the secondary windows.
    void Form_Unload();

    // Application shell.
    void Emetteur_Click();
    void Mnu_Coordonnees_Click();
    void Mnu_Reglages_Click();
    // The settings window, while it is open.
    Reglages* reglagesWindow() const { return reglages_; }
    void Mnu_A_Propos_Click();
    void Mnu_Historique_Click();

    // Serial port and speed menus.
    void Mnu_Com_Click(int n);
    void Mnu_SansCom_Click();
    void Mnu_Speed_Click(int index);

    // Spot acquisition and display (DurerurRefresh.cpp).
    // Shows the spots of one band index.
    void Affiche_Dedirad(std::int16_t Bande);
    // The band of Bande_CL, then the one of Bande_CL2 unless it is "Sans".
    void Affiche_Bandes();
    void Afficher_Click();
    void Timer2_Timer();
    void Tri_Date_Click();
    void Tri_DX_Click();
    void Tri_QRG_Click();
    void Check1_Click();
    void Check2_Click();
    void Check4_Click();
    // A key typed in a filter text; true when the key was handled here.
    bool Indicatif_KeyPress(QKeyEvent* event);
    bool Remarque_KeyPress(QKeyEvent* event);
    void Test_alerte_Click();
    // The hidden sorted list the spot lines are ordered in.
    SortedSpotLines Liste_Stations_Bis;

    // Spot selection and details panel (DurerurSelection.cpp).
    // A click on a spot line: takes it as the selected line and shows its
    // details, once the own position has been entered.
    void Liste_Stations_Click();
    // Fills the details panel for the selected line, then tunes to it.
    void Dedirad_Liste();

    // Writes the settings window's values into the user's file, reads the
    // configuration again and applies it at once; why not, when it could not
    // be written.
    std::optional<QString> saveSettings(const Reglages::Values& values);
    void applyConfiguration();

    // The operator's log (DurerurLog.cpp).
    LogBook& logBook() { return log_; }
    void Check5_Click();

    // The country data (DurerurCountries.cpp).
    CountryData& countries() { return countries_; }
    // Fetches the country file from the site, off the window's thread.
    void Mnu_Maj_Pays_Click();

    // The band map (DurerurBandMap.cpp).
    BandMap& bandMap() { return bandMap_; }
    void Mnu_Carte_Click();

    // WSJT-X's decodes (DurerurDecodes.cpp).
    WsjtxDecodes& decodes() { return decodes_; }
    void Mnu_Decodages_Click();

    // Spot memory and callsign lookup (DurerurMemory.cpp).
    // Adds the selected spot line to the memory, which stays hidden.
    void Memoriser_Click();
    // Shows the memory window with its column header.
    void Voir_Mem_Click();
    // Opens the lookup window on the selected spot's callsign, or brings
    // the open one forward unchanged.
    void QRZ_Click();
    // Empties the memory list, creating the memory window hidden if needed.
    void clearMemory();
    // The memory window while it exists; the lookup window's browser program,
    // and the lookup window shown without it when that program cannot run.
    Memoire_CL* memoryWindow() const { return memoire_; }
    BrowserProcess& lookupBrowser() { return browser_; }
    QRZ_Web* lookupWindowWithoutBrowser() const { return qrzWeb_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window's parts, each control created in design order.
    struct Panels {
        QWidget* client;
        QWidget* top;
        QWidget* band;
        QWidget* bottom;
        QWidget* headings;
    };
    void createControls();
    Panels createPanels();
    void createDetails(const Panels& panels);
    void createHeadings(const Panels& panels);
    void createChoices(const Panels& panels);
    void createListControls(const Panels& panels);
    void createCaptions(const Panels& panels);
    void layOutSpotList(const Panels& panels);
    void createMenus();
    void connectHandlers();
    // The headings stand over the columns of the spot lines.
    void layOutHeadings(QWidget& headings);
    void tickPort(int n);
    void tickSpeed(int index);
    // Form_Load's steps: the choices of the last run, the station position.
    void restoreChoices();
    void restoreStation();
    void restorePort();
    int portNumberShown() const;
    // The memory window, created hidden with an empty list if needed.
    Memoire_CL& ensureMemoryWindow();

    // The spot refresh's side of the window (DurerurRefresh.cpp).
    void showBusy(bool busy) override;
    void stopRefreshTimer() override;
    void startRefreshTimer() override;
    void showUpdateTime(const QString& caption) override;
    void clearSpotLines() override;
    void showSourceStatus(const QString& text) override;
    void appendSpotLines(const QStringList& lines) override;
    void updateSpotLines(const QStringList& lines) override;
    void logChanged();
    // Reads the log of the configuration, off the window's thread.
    void applyLogConfiguration();
    void applyWsjtxConfiguration();
    void applyBandMapConfiguration();
    // A spot of the band map chosen: tuned as a click on its line would.
    void tuneToSpot(const Spot& spot);
    // Whether the station's position was entered, else says so.
    bool positionEntered();
    bool positionGiven() const;
    QString operatorContinent() const;
    // Debian's country data when newer, then the site's when due.
    void startCountryUpdates();
    void countryDataChanged();
    void countrySiteAttempted(const CountryUpdateResult& result, bool asked);
    // The local spot server's changes to the bands shown, between refreshes.
    void updateSpots();
    FilterChoices filterChoices() const override;
    // Whether a refresh has shown a page since start-up.
    bool firstPageShown() const;
    // The band indexes of Bande_CL and Bande_CL2.
    std::pair<int, int> shownBands() const;
    void sortBy(std::int16_t mode, QPushButton* button);
    // Steps 1 to 5 of a filter box; true when they started a refresh.
    bool filterBoxClicked();
    bool filterTextKeyPress(QLineEdit& box, const QString& emptyMessage, QKeyEvent* event);

    SharedState& state_;
    SettingsStore& settings_;
    Configuration& config_;
    ProgramDirectory directory_;
    Platform platform_;
    Radio radio_{platform_.serial, platform_.clock, platform_.messages,
                 directory_.file(HamlibModule::ModuleName), config_};
    QPointer<Station> station_;
    QPointer<Memoire_CL> memoire_;
    BrowserProcess browser_{directory_.file(BrowserProcess::ProgramName)};
    QPointer<QRZ_Web> qrzWeb_;
    QPointer<Reglages> reglages_;
    std::function<void()> restartSpotSource_;
    static constexpr int CountryCheckDelayMs = 2000;
    // Where the keyboard was when the busy state began.
    QPointer<QWidget> focusBeforeBusy_;
    CountryData countries_{CountryFolders::standard(directory_.path()), platform_.http};
    LogBook log_{countries_.table()};
    SpotLogColours colours_{log_, config_, [this] { refresh_.playAlert(); }};
    PageScratchFiles scratch_{directory_.path(), PageScratchFiles::userFolder()};
    SpotRefresh refresh_{state_,
                         Liste_Stations_Bis,
                         *this,
                         {platform_.http, platform_.sound, platform_.messages, platform_.clock},
                         directory_,
                         scratch_,
                         config_.spotSite()};
    StatusLine statusLine_{config_, refresh_, [this] { return firstPageShown(); }};
    WsjtxDecodes decodes_{{log_, [this] { return countries_.table(); },
                           [this] { return config_.isYes(ConfigKey::NeededOnly); },
                           [this] {
                               if (config_.isYes(ConfigKey::AlertNewEntity))
                                   refresh_.playAlert();
                           },
                           [this](const QString& text) { statusLine_.showWsjtx(text); }}};
    BandMap bandMap_{{log_, [this] { return countries_.table(); },
                      [this] { return config_.isYes(ConfigKey::NeededOnly); },
                      [this] { return config_.value(ConfigKey::BandMapMinutes).toInt(); },
                      [this] { return operatorContinent(); },
                      [this](std::function<void(std::optional<double>)> done) {
                          if (!radio_.frequencyReadable(state_.Emetteur_Choisi))
                              return false;
                          radio_.readFrequency(state_.Emetteur_Choisi, std::move(done));
                          return true;
                      },
                      [this](const Spot& spot) { tuneToSpot(spot); }}};
    LiveSpotUpdates live_{{[this] { return shownBands(); }, [this] { return refresh_.running(); },
                           [this] { updateSpots(); }}};
};
