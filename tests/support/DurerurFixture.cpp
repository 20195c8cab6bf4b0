#include "DurerurFixture.h"

#include "TempSettings.h"

namespace {

// Copies the data files, the lookup window's browser program and the modules
// loaded on demand that lie beside the program into the test's folder.
QString preparedProgramFolder(const QTemporaryDir& folder) {
    const QDir built(QStringLiteral(PELK_PROGRAM_DIR));
    const QStringList files =
        built.entryList({"*.txt", "*.wav", "*.conf", "pelk_browser", "libpelk_*.so"},
                        QDir::Files | QDir::NoDotAndDotDot);
    for (const QString& name : files)
        QFile::copy(built.filePath(name), QDir(folder.path()).filePath(name));
    return folder.path();
}

QString captureDevice(const QTemporaryDir& folder) {
    return QStringLiteral("file:'%1',raw").arg(QDir(folder.path()).filePath("played.raw"));
}

} // namespace

DurerurFixture::DurerurFixture()
    : directory(preparedProgramFolder(programFolder)),
      serial([this](int n) { return config.portDevice(n); }), sound(captureDevice(programFolder)) {
    TempSettings::clear();
    // What the window saves of the configuration ("Nouveaux seulement",
    // Réglages) goes to a file of the test's, never the user's.
    qputenv("XDG_CONFIG_HOME", programFolder.path().toLocal8Bit());
    config.setPortDevice(1, pty.device());
    // The country file is fetched only by the tests that serve one.
    config.setValue(ConfigKey::CountryUpdate, QStringLiteral("manual"));
    // WSJT-X's port is listened at only by the tests of its decodes: windows
    // of tests run side by side would hold it from each other.
    config.setValue(ConfigKey::WsjtxUdp, QString());
}

DurerurFixture::~DurerurFixture() {
    closeWindow();
    TempSettings::clear();
    qunsetenv("XDG_CONFIG_HOME");
}

Durerur& DurerurFixture::window() {
    if (!window_) {
        window_ = std::make_unique<Durerur>(state, settings, config, directory,
                                            Platform{http, serial, counting, messages, clock});
        // Taken by the start-up's update, which waits for the events to run.
        window_->countries().setFolders(countryFolders());
    }
    return *window_;
}

void DurerurFixture::closeWindow() {
    if (window_)
        window_->close();
    window_.reset();
    // The windows that closed with it are deleted once events run.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void DurerurFixture::restart(const std::map<QString, QString>& values) {
    closeWindow();
    TempSettings::clear();
    for (const auto& [key, value] : values)
        settings.save(key, value);
    state = SharedState();
    window();
}

QString DurerurFixture::stored(const QString& key) const {
    QSettings file(TempSettings::iniFile(), QSettings::IniFormat);
    return file.value(SettingsStore::Section + QLatin1Char('/') + key).toString();
}

QStringList DurerurFixture::storedKeys() const {
    QSettings file(TempSettings::iniFile(), QSettings::IniFormat);
    file.beginGroup(SettingsStore::Section);
    QStringList keys = file.childKeys();
    keys.sort();
    return keys;
}

CountryFolders DurerurFixture::countryFolders() const {
    const QDir folder(programFolder.path());
    return {folder.path(), folder.filePath("donnees"), folder.filePath("hamradio-files")};
}

QString DurerurFixture::soundCapture() const {
    return QDir(programFolder.path()).filePath("played.raw");
}
