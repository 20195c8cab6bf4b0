#include "TempSettings.h"
#include "TestSupport.h"

#include <QtWidgets>

int main(int argc, char** argv) {
    // Offscreen, unless a test asks for another platform or screen.
    const QByteArray platform = qgetenv("PELK_TEST_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    TempSettings::installPrivateLocation();
    // Nothing a test writes for the user lands in the real home.
    QTemporaryDir userData;
    qputenv("XDG_DATA_HOME", userData.path().toLocal8Bit());
    // The lookup window's browser program, started by the tests, runs
    // without a GPU on the offscreen platform.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
