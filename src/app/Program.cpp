#include "Program.h"

#include <QApplication>
#include <QStyleFactory>

namespace {

Configuration adjusted(const ProgramDirectory& directory,
                       const std::function<void(Configuration&)>& adjust) {
    Configuration config =
        Configuration::load(directory.file(Configuration::FileName), Configuration::userFile());
    if (adjust)
        adjust(config);
    return config;
}

} // namespace

void prepareProgram() {
    // Named here rather than after the command that started it, so that the
    // window's class matches the desktop entry and the per-user data folder
    // stays the same whether it was started as Pelk_Dedirad or pelk-dedirad.
    QCoreApplication::setApplicationName(QStringLiteral("Pelk_Dedirad"));
    QGuiApplication::setDesktopFileName(QStringLiteral("pelk-dedirad"));
}

void applyProgramStyle() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

Program::Program(const std::function<void(Configuration&)>& adjust, const QString& soundDevice,
                 const QString& folder)
    : directory(folder), config(adjusted(directory, adjust)),
      spotSource(directory, config.spotSite()),
      http(directory.file(OnDemandHttpClient::ModuleName)),
      serial([this](int n) { return config.portDevice(n); }),
      sound(directory.file(OnDemandSoundPlayer::ModuleName), soundDevice) {}

Program::~Program() = default;

Durerur& Program::window() {
    if (!window_) {
        window_ = std::make_unique<Durerur>(state, settings, config, directory,
                                            Platform{http, serial, sound, messages, clock});
        window_->setSpotSourceReviver([this] { return spotSource.revive(); });
        window_->setSpotSourceRestarter([this] { spotSource.restart(config.spotSite()); });
    }
    return *window_;
}
