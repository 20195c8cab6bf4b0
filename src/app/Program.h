#pragma once

#include "Configuration.h"
#include "Durerur.h"
#include "LocalSpotServer.h"
#include "OnDemandParts.h"
#include "ProgramDirectory.h"
#include "QtMessageBox.h"
#include "QtSerialLink.h"
#include "SettingsStore.h"
#include "SharedState.h"
#include "SystemClock.h"

#include <QCoreApplication>
#include <functional>
#include <memory>

// What must be set before the QApplication exists.
void prepareProgram();
// The program's look, once the QApplication exists: the same on every desktop,
// and one that honours the colours of the sort buttons.
void applyProgramStyle();

// The running program: its folder and configuration, its spot source when
// that is the local spot server, the real platform parts, the settings store,
// the shared state and the main window over them.
class Program {
public:
    // `adjust` may change the configuration read from the program's folder
    // (a local site for a demonstration); `soundDevice` names the ALSA device;
    // `folder` is the program's own, where its data files and helpers lie.
    explicit Program(const std::function<void(Configuration&)>& adjust = {},
                     const QString& soundDevice = QStringLiteral("default"),
                     const QString& folder = QCoreApplication::applicationDirPath());
    ~Program();

    // The main window, created (and so started up) at first use.
    Durerur& window();

    ProgramDirectory directory;
    Configuration config;
    LocalSpotServer spotSource;
    OnDemandHttpClient http;
    QtSerialLink serial;
    OnDemandSoundPlayer sound;
    QtMessageBox messages;
    SystemClock clock;
    SettingsStore settings;
    SharedState state;

private:
    std::unique_ptr<Durerur> window_;
};
