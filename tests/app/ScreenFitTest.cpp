// The windows on the screen they are shown on, whatever its size: run once
// per screen size, offscreen and under Xvfb.
#include "DurerurFixture.h"
#include "QRZ_Web.h"
#include "Reglages.h"
#include "Station.h"
#include "TestSpots.h"

#include <map>

namespace {

constexpr QSize ClientDesign{704, 657};

QRect availableArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Shows the window and waits until the window system has it where asked.
void showAndWait(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);
}

void expectInsideTheScreen(const QWidget& window) {
    EXPECT_TRUE(availableArea().contains(window.frameGeometry()))
        << window.objectName().toStdString();
}

class ScreenFit : public DurerurFixture {
protected:
    // Geometries of the client area's named controls, in its coordinates.
    std::map<QString, QRect> controls() {
        QWidget& client = *window().centralWidget();
        std::map<QString, QRect> found;
        for (QWidget* control : client.findChildren<QWidget*>()) {
            const QString name = control->objectName();
            if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
                found[name] = QRect(control->mapTo(&client, QPoint()), control->size());
        }
        return found;
    }
};

} // namespace

void PrintTo(const QRect& r, std::ostream* out) {
    *out << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
}

TEST_F(ScreenFit, EveryWindowOpensInsideTheScreenAndNoneOutlivesTheMainOne) {
    showAndWait(window());
    expectInsideTheScreen(window());
    // The design size where it fits; else only the height is short, and all
    // of the screen's is used.
    const QSize frameExtra = window().frameGeometry().size() - window().size();
    const QSize client = window().centralWidget()->size();
    EXPECT_EQ(client.width(), ClientDesign.width());
    if (availableArea().height() >= window().sizeHint().height() + frameExtra.height())
        EXPECT_EQ(client, ClientDesign);
    else
        EXPECT_EQ(window().frameGeometry().height(), availableArea().height());
    // Even the smallest window fits a 1024 x 600 screen with its menu bar.
    EXPECT_TRUE(
        QRect(0, 0, 1024, 600).contains(QRect({0, 0}, window().minimumSize() + frameExtra)));

    window().Voir_Mem->click();
    window().Mnu_Coordonnees->trigger();
    window().Mnu_Reglages->trigger();
    // The lookup window as its browser program builds it, around a page of
    // the browser's size.
    QRZ_Web lookup(QStringLiteral("QRZ.com"), QUrl(QStringLiteral("http://127.0.0.1/db/f5abc")),
                   [](QWidget* parent, const QUrl&) { return new QWidget(parent); });
    for (QWidget* secondary :
         std::initializer_list<QWidget*>{window().memoryWindow(), window().stationWindow(),
                                         window().reglagesWindow(), &lookup}) {
        showAndWait(*secondary);
        expectInsideTheScreen(*secondary);
    }
    EXPECT_NE(window().reglagesWindow()->Enregistrer->visibleRegion(), QRegion());
    // At its natural size: every field, no more, where the screen holds them.
    Reglages& reglages = *window().reglagesWindow();
    EXPECT_LE(reglages.width(), 640);
    if (availableArea().height() >= 768 - 40) // a screen that holds every field
        EXPECT_LT(reglages.frameGeometry().height(), availableArea().height());

    // Left open, one would keep the program running with no main window.
    window().close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window().memoryWindow(), nullptr);
    EXPECT_EQ(window().stationWindow(), nullptr);
    EXPECT_EQ(window().reglagesWindow(), nullptr);
}

TEST_F(ScreenFit, ResizingTheMainWindowChangesOnlyTheSpotList) {
    showAndWait(window());
    QWidget& client = *window().centralWidget();
    const int room = client.height() - client.minimumSizeHint().height();
    // Larger, then down to the smallest height.
    for (const QSize change : {QSize(120, 90), QSize(-120, -90 - room)}) {
        const std::map<QString, QRect> before = controls();
        const QSize wanted = client.size() + change;
        window().resize(window().size() + change);
        ASSERT_TRUE(QTest::qWaitFor([&] { return client.size() == wanted; }, 5000));
        const std::map<QString, QRect> after = controls();
        const QRect list = before.at("Liste_Stations");
        for (const auto& [name, geometry] : before) {
            // The list takes it all, the heading beside it follows its right
            // edge, what lies below follows its bottom, the rest stays.
            QRect expected =
                geometry.translated(0, geometry.top() > list.bottom() ? change.height() : 0);
            if (name == "Liste_Stations")
                expected = list.adjusted(0, 0, change.width(), change.height());
            if (name == "Text1")
                expected = geometry.adjusted(0, 0, change.width(), 0);
            EXPECT_EQ(after.at(name), expected) << name.toStdString();
        }
    }
    const QListWidget& list = *window().Liste_Stations;
    EXPECT_GE(list.height(), 4 * list.fontMetrics().lineSpacing());
}

TEST_F(ScreenFit, EveryStatusReadsWholeAtTheWindowsOwnSizeTheSpotSourceFirst) {
    Durerur& w = window();
    showAndWait(w);
    w.Etat_Spots->setText(QStringLiteral("Spots : dxc.example.org a déconnecté F4ABC, connecté "
                                         "ailleurs (utilisez un SSID : F4ABC-7)"));
    w.Etat_Journal->setText(QStringLiteral("Journal : 20 QSO, 17 entités dont 15 confirmées ; 1 "
                                           "enregistrement illisible ignoré"));
    w.Etat_Pays->setText(QStringLiteral("Pays : version du 2 mai 2023, mise à jour impossible"));
    w.Etat_Journal->show();
    w.Etat_Pays->show();
    QTest::qWait(50);
    int above = -1;
    for (QLabel* status : {w.Etat_Spots, w.Etat_Journal, w.Etat_Pays}) {
        const QRect place(status->mapTo(&w, QPoint()), status->size());
        const QRect needed = status->fontMetrics().boundingRect(QRect(0, 0, status->width(), 1000),
                                                                Qt::TextWordWrap, status->text());
        EXPECT_TRUE(status->isVisible() && w.rect().contains(place) &&
                    needed.width() <= status->width() && needed.height() <= status->height() &&
                    place.top() > above)
            << status->objectName().toStdString();
        above = place.top();
    }
}
