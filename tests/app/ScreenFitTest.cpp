// The windows on the screen they are shown on, whatever its size: run once
// per screen size, offscreen and under Xvfb.
#include "DurerurFixture.h"
#include "Memoire_CL.h"
#include "QRZ_Web.h"
#include "Reglages.h"
#include "SpotRow.h"
#include "Station.h"
#include "WindowPlacement.h"

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <map>

namespace {

// The design size of the main window's client area.
constexpr QSize ClientDesign{704, 657};

std::string describe(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4")
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height())
        .toStdString();
}

// Shows the window and waits until the window system has it where asked.
void showAndWait(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);
}

void expectInsideTheScreen(const QWidget& window) {
    const QRect area = availableArea();
    EXPECT_TRUE(area.contains(window.frameGeometry()))
        << window.objectName().toStdString() << " at " << describe(window.frameGeometry())
        << " outside " << describe(area);
}

// The left edges of the runs of ink along a band of an image, a run ending
// where at least `gap` columns hold no ink: the starts of the words drawn there.
std::vector<int> inkRunStarts(const QImage& image, const QRect& band, int gap) {
    std::vector<int> starts;
    int blank = gap;
    for (int x = band.left(); x <= band.right(); ++x) {
        bool ink = false;
        for (int y = band.top(); y <= band.bottom() && !ink; ++y)
            ink = qGray(image.pixel(x, y)) < 128;
        if (ink && blank >= gap)
            starts.push_back(x);
        blank = ink ? 0 : blank + 1;
    }
    return starts;
}

class ScreenFit : public DurerurFixture {
protected:
    // The windows closed with the main one are deleted once events run.
    void TearDown() override {
        closeWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Geometries of the client area's controls, by name.
    std::map<QString, QRect> controls() {
        std::map<QString, QRect> found;
        for (QWidget* control : window().centralWidget()->findChildren<QWidget*>(
                 QString(), Qt::FindDirectChildrenOnly))
            found[control->objectName()] = control->geometry();
        return found;
    }

    void resizeClientBy(const QSize& change) {
        QWidget* client = window().centralWidget();
        const QSize wanted = client->size() + change;
        window().resize(window().size() + change);
        ASSERT_TRUE(QTest::qWaitFor([&] { return client->size() == wanted; }, 5000))
            << client->width() << "x" << client->height();
    }
};

} // namespace

void PrintTo(const QRect& rect, std::ostream* out) {
    *out << describe(rect);
}

TEST_F(ScreenFit, TheMainWindowOpensAtItsDesignSizeWhereItFitsAndElseFillsTheScreen) {
    showAndWait(window());
    expectInsideTheScreen(window());
    const QRect area = availableArea();
    const QSize frameExtra = window().frameGeometry().size() - window().size();
    const QSize design = window().sizeHint() + frameExtra;
    const QSize client = window().centralWidget()->size();
    if (area.height() >= design.height()) {
        EXPECT_EQ(client, ClientDesign);
    } else {
        // Only the height is short, and all of it is used.
        EXPECT_EQ(client.width(), ClientDesign.width());
        EXPECT_EQ(window().frameGeometry().height(), area.height());
    }
    // Even the smallest window fits a 1024 x 600 screen with its menu bar.
    const QSize smallest = window().minimumSize() + frameExtra;
    EXPECT_LE(smallest.width(), 1024);
    EXPECT_LE(smallest.height(), 600);
}

TEST_F(ScreenFit, ResizingTheMainWindowChangesOnlyTheSpotList) {
    showAndWait(window());
    const std::map<QString, QRect> before = controls();
    const QRect listBefore = before.at("Liste_Stations");
    const QWidget& client = *window().centralWidget();
    const int room = client.height() - client.minimumHeight();
    for (const QSize change : {QSize(120, 90), QSize(-120, -90 - room)}) {
        const std::map<QString, QRect> start = controls();
        resizeClientBy(change);
        const std::map<QString, QRect> after = controls();
        const QRect list = start.at("Liste_Stations");
        EXPECT_EQ(after.at("Liste_Stations"), list.adjusted(0, 0, change.width(), change.height()));
        EXPECT_EQ(after.at("Text1"), start.at("Text1").adjusted(0, 0, change.width(), 0));
        for (const auto& [name, geometry] : start) {
            if (name == "Liste_Stations" || name == "Text1")
                continue;
            // What lies below the list follows its bottom; the rest stays.
            const int down = geometry.top() > list.bottom() ? change.height() : 0;
            EXPECT_EQ(after.at(name), geometry.translated(0, down)) << name.toStdString();
        }
    }
    // The smallest window still shows a few spot lines.
    window().resize(window().minimumSize());
    QTest::qWait(50);
    const QListWidget& list = *window().Liste_Stations;
    EXPECT_GE(list.height(), 4 * list.fontMetrics().lineSpacing());
    EXPECT_LT(list.height(), listBefore.height());
}

TEST_F(ScreenFit, TheSecondaryWindowsLieInsideTheScreen) {
    showAndWait(window());
    window().Voir_Mem->click();
    ASSERT_NE(window().memoryWindow(), nullptr);
    showAndWait(*window().memoryWindow());
    expectInsideTheScreen(*window().memoryWindow());

    window().Mnu_Coordonnees->trigger();
    ASSERT_NE(window().stationWindow(), nullptr);
    showAndWait(*window().stationWindow());
    expectInsideTheScreen(*window().stationWindow());

    window().Mnu_Reglages->trigger();
    ASSERT_NE(window().reglagesWindow(), nullptr);
    showAndWait(*window().reglagesWindow());
    expectInsideTheScreen(*window().reglagesWindow());
    EXPECT_NE(window().reglagesWindow()->Enregistrer->visibleRegion(), QRegion());

    // The lookup window as its browser program builds it, around a page of
    // the browser's size.
    QRZ_Web lookup(QStringLiteral("QRZ.com"), QUrl(QStringLiteral("http://127.0.0.1/db/f5abc")),
                   [](QWidget* parent, const QUrl&) { return new QWidget(parent); });
    showAndWait(lookup);
    expectInsideTheScreen(lookup);

    // None of them outlives the main window, which would keep the program
    // running with no main window.
    window().close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window().memoryWindow(), nullptr);
    EXPECT_EQ(window().stationWindow(), nullptr);
    EXPECT_EQ(window().reglagesWindow(), nullptr);
}

TEST_F(ScreenFit, TheMemoryHeadersWordsStandOverTheirFields) {
    ModalCloser closer; // the station's position is not known yet
    // Fields without blanks of their own, so that each is one run of ink.
    const QString line =
        spotLine({QStringLiteral("06-Dec-1405Z").leftJustified(13),
                  QStringLiteral("VK2ABC").leftJustified(12), QStringLiteral("10368000"),
                  QStringLiteral("DL1XYZ").leftJustified(11), QStringLiteral("CW599")});
    window().Liste_Stations->addItem(line);
    window().Liste_Stations->setCurrentRow(0);
    window().Memoriser->click();
    window().Voir_Mem->click();
    Memoire_CL& memory = *window().memoryWindow();
    showAndWait(memory);
    memory.Mem_Dedirad->clearSelection();
    memory.Mem_Dedirad->setCurrentRow(-1);
    EXPECT_EQ(memory.Label3->text(), Memoire_CL::ColumnHeader);

    const QImage image = memory.grab().toImage();
    const QRect header(memory.Label3->mapTo(&memory, QPoint(0, 0)), memory.Label3->size());
    const QRect row = memory.Mem_Dedirad->visualItemRect(memory.Mem_Dedirad->item(0))
                          .translated(memory.Mem_Dedirad->viewport()->mapTo(&memory, QPoint(0, 0)));
    const int gap = memory.Mem_Dedirad->fontMetrics().horizontalAdvance(QLatin1Char(' ')) - 1;
    const std::vector<int> words = inkRunStarts(image, header, gap);
    const std::vector<int> fields = inkRunStarts(image, row.intersected(image.rect()), gap);
    ASSERT_EQ(words.size(), 5u);
    ASSERT_EQ(fields.size(), 5u);
    for (std::size_t i = 0; i < words.size(); ++i)
        EXPECT_NEAR(words[i], fields[i], 2) << "word " << i;
}
