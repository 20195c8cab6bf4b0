#pragma once

#include "Program.h"
#include "TestSupport.h"

#include <QtWidgets>
#include <memory>

// The program as a user runs it: his settings file in his configuration
// folder names the cluster node and his callsign, the program lies in the
// build's program folder and starts its own spot server there, its window
// shown. The user's gestures are the only way in.
class UserProgram {
public:
    explicit UserProgram(const QByteArray& cluster)
        : previousConfigHome_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
        QDir(home_.path()).mkpath(QStringLiteral("pelk-dedirad"));
        writeFile(Configuration::userFile(),
                  "spot_site = http://127.0.0.1:" + QByteArray::number(freePort()) +
                      "\ncluster = " + cluster + "\ncallsign = F4TEST\ncountry_update = manual\n");
        program_ =
            std::make_unique<Program>(std::function<void(Configuration&)>{}, QStringLiteral("null"),
                                      QStringLiteral(PELK_PROGRAM_DIR));
        program_->window().show();
    }
    ~UserProgram() {
        program_->window().close();
        program_.reset();
        if (previousConfigHome_.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", previousConfigHome_);
    }

    Durerur& window() { return program_->window(); }

    // Chooses the band in its list and clicks "Afficher".
    void show(int band) {
        window().Bande_CL->setCurrentIndex(band);
        QTest::mouseClick(window().Afficher, Qt::LeftButton);
    }
    bool listed(const QString& dx) {
        return !window().Liste_Stations->findItems(dx, Qt::MatchContains).isEmpty();
    }

private:
    QTemporaryDir home_;
    QByteArray previousConfigHome_;
    std::unique_ptr<Program> program_;
};
