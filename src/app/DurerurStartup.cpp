// Start-up, shutdown, the transceiver list, the coordinates window and the
// about and history boxes of the main window.
#include "BandTable.h"
#include "CoordinateText.h"
#include "Decodages.h"
#include "Durerur.h"
#include "LeadingNumber.h"
#include "LocalSpotServer.h"
#include "MessageBox.h"
#include "RevisionHistory.h"
#include "SerialLink.h"
#include "SettingsStore.h"
#include "Station.h"
#include "TransceiverModels.h"
#include "WindowGeometry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <optional>

namespace {

// The second band list: no second band, or one single band.
QStringList Bandes2() {
    return QStringList{QStringLiteral("Sans")} +
           BandTable::captions().mid(BandTable::FirstHf, BandTable::LastVhf);
}

// A stored band index: its leading number rounded half to even; -1 leaves
// the list without selection and any other index outside the list selects
// the first entry.
int storedBandIndex(const QString& text, int count) {
    const long long index = roundHalfEven(leadingNumber(text));
    if (index == -1)
        return -1;
    return index >= 0 && index < count ? static_cast<int>(index) : 0;
}

// A stored transceiver index: the whole text as a number, rounded half to
// even into a 16-bit integer, as the stored band indexes are; nothing when it
// is not a number or lies outside the list.
std::optional<int> storedTransceiverIndex(const QString& text) {
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || number < -32768.5 || number > 32767.5)
        return std::nullopt;
    const long long index = roundHalfEven(number);
    if (index < 0 || index >= static_cast<long long>(TransceiverModels.size()))
        return std::nullopt;
    return static_cast<int>(index);
}

} // namespace

void Durerur::Form_Load() {
    // 1. Centre the window.
    placeMainWindow(*this);

    // A settings file that is not a regular file is left alone: said once.
    if (!settings_.usable())
        platform_.messages.show(settings_.unusableMessage());
    for (const QString& problem : config_.problems())
        platform_.messages.show(problem);

    restoreChoices();
    restoreStation();

    // 11 to 13. The serial port and its speed.
    restorePort();

    refresh_.setSourceStatusAsked(LocalSpotServer::localPort(config_.spotSite()).has_value());

    // 14. The refresh timer.
    Timer2->start();
    statusLine_.startFollowing();
    // The log is read once the window shows, off its thread.
    QTimer::singleShot(0, this, &Durerur::applyLogConfiguration);
    applyWsjtxConfiguration();
    applyBandMapConfiguration();
    // The country data is looked at once the start-up's own work is done.
    QTimer::singleShot(CountryCheckDelayMs, this, &Durerur::startCountryUpdates);

    // 15 and 16.
    settings_.save(SettingsKeys::CheminRepertoire, directory_.path());
    state_.Texte_Historique = historyText(config_.spotSiteHost(), config_.lookupSiteName());
    state_.Texte_Revision = Texte_Revision_Courante;
    state_.Page_Prete = true;
    state_.Mode_Tri = 1;
    setWindowTitle(QStringLiteral("Pelk_Dedirad Rev ") + state_.Texte_Revision);
    settings_.save(SettingsKeys::Revision, state_.Texte_Revision);
}

// Steps 2 to 7 and 9 to 10: the lists, the bands, the transceiver and the
// filter texts.
void Durerur::restoreChoices() {
    // 2 to 4. Fill the lists; the transceiver's handler runs at step 7 only.
    Bande_CL->addItems(BandTable::captions());
    Bande_CL2->addItems(Bandes2());
    Bande_CL2->setCurrentIndex(0);
    {
        const QSignalBlocker quiet(Emetteur);
        for (const TransceiverModel& model : TransceiverModels)
            Emetteur->addItem(QString::fromLatin1(model.caption));
        Emetteur->setCurrentIndex(-1);
    }

    // 5 and 6. The bands.
    Bande_CL->setCurrentIndex(storedBandIndex(
        settings_.read(SettingsKeys::BandeDurerur, QStringLiteral("0")), Bande_CL->count()));
    Bande_CL2->setCurrentIndex(storedBandIndex(
        settings_.read(SettingsKeys::BandeDurerur1, QStringLiteral("0")), Bande_CL2->count()));

    // 7. The transceiver: selecting it runs Emetteur_Click, which saves it
    // again. A stored text it cannot use selects the model of a first run
    // and is left as it is.
    const std::optional<int> transceiver = storedTransceiverIndex(
        settings_.read(SettingsKeys::Transceiver, QString::number(DefaultTransceiverIndex)));
    if (transceiver) {
        Emetteur->setCurrentIndex(*transceiver);
    } else {
        const QSignalBlocker quiet(Emetteur);
        Emetteur->setCurrentIndex(DefaultTransceiverIndex);
        state_.Emetteur_Choisi = Emetteur->currentText();
    }

    // 9 and 10. The filter texts.
    Remarque->setText(settings_.read(SettingsKeys::TriRem, QString()));
    Indicatif->setText(settings_.read(SettingsKeys::TriCall, QString()));
}

void Durerur::restoreStation() {
    // 8. The station position; an empty stored text counts as the default.
    QString longitude = settings_.read(SettingsKeys::Longitude, DefaultLongitude);
    QString latitude = settings_.read(SettingsKeys::Latitude, DefaultLatitude);
    if (longitude.isEmpty())
        longitude = DefaultLongitude;
    if (latitude.isEmpty())
        latitude = DefaultLatitude;
    state_.Longitude_Station = longitude;
    state_.Latitude_Station = latitude;
    if (longitude != QLatin1String("0") && latitude != QLatin1String("0")) {
        state_.Longitude_Station = longitudeToSigned(longitude);
        state_.Latitude_Station = latitudeToSigned(latitude);
    }
}

void Durerur::Form_Unload() {
    Timer2->stop();
    statusLine_.stopFollowing();
    live_.stop();
    if (portNumberShown() != 0 && platform_.serial.isOpen())
        platform_.serial.close();
    // The memorised spots are lost with their window.
    if (memoire_ != nullptr)
        memoire_->close();
    browser_.end();
    if (station_ != nullptr)
        station_->close();
    if (qrzWeb_ != nullptr)
        qrzWeb_->close();
    if (reglages_ != nullptr)
        reglages_->close();
    decodes_.end();
    if (decodes_.window() != nullptr)
        decodes_.window()->close();
    if (bandMap_.window() != nullptr)
        bandMap_.window()->close();
}

void Durerur::Emetteur_Click() {
    const int index = Emetteur->currentIndex();
    if (index < 0)
        return;
    settings_.save(SettingsKeys::Transceiver, QString::number(index));
    state_.Emetteur_Choisi = Emetteur->itemText(index);
    radio_.startRigctldIfChosen(state_.Emetteur_Choisi);
}

void Durerur::Mnu_Coordonnees_Click() {
    if (station_ == nullptr) {
        station_ = new Station(settings_, state_, platform_.messages);
        station_->show();
    }
    station_->raise();
    station_->activateWindow();
}

void Durerur::Mnu_Reglages_Click() {
    if (reglages_ == nullptr) {
        // The files as they are now: another copy may have saved meanwhile.
        reglages_ =
            new Reglages(Configuration::load(directory_.file(Configuration::FileName),
                                             Configuration::userFile()),
                         radio_.hamlibModels(), platform_.messages,
                         [this](const Reglages::Values& values) { return saveSettings(values); });
        reglages_->show();
    }
    reglages_->raise();
    reglages_->activateWindow();
}

std::optional<QString> Durerur::saveSettings(const Reglages::Values& values) {
    if (std::optional<QString> problem = Configuration::saveKeys(Configuration::userFile(), values))
        return problem;
    config_ =
        Configuration::load(directory_.file(Configuration::FileName), Configuration::userFile());
    applyConfiguration();
    statusLine_.showSettingsSaved();
    return std::nullopt;
}

void Durerur::applyConfiguration() {
    refresh_.setSiteBase(config_.spotSite());
    refresh_.setSourceStatusAsked(LocalSpotServer::localPort(config_.spotSite()).has_value());
    QRZ->setText(config_.lookupSiteName());
    radio_.applyConfiguration();
    if (restartSpotSource_)
        restartSpotSource_();
    if (!QTR->text().isEmpty())
        live_.watch(LocalSpotServer::localPort(config_.spotSite()).value_or(0));
    applyLogConfiguration();
    applyWsjtxConfiguration();
    applyBandMapConfiguration();
}

void Durerur::Mnu_A_Propos_Click() {
    platform_.messages.show(aboutText(state_.Texte_Revision) + QStringLiteral("\r\n") +
                            countries_.versionInUse().aboutLine());
}

void Durerur::Mnu_Historique_Click() {
    platform_.messages.show(state_.Texte_Historique);
}
