// The least a Qt Widgets program of this window's kind costs: the same style,
// a main window of the same size with a menu bar, a list, a combo box and a
// line edit, and nothing else. bench_startup_peers measures it beside the
// program to tell Qt's own share from the program's.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QMainWindow window;
    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    (new QListWidget(client))->setGeometry(8, 200, 688, 296);
    (new QComboBox(client))->setGeometry(96, 614, 144, 24);
    (new QLineEdit(client))->setGeometry(8, 510, 80, 22);
    window.menuBar()->addMenu(QStringLiteral("Port Com"));
    window.resize(704, 680);
    window.show();
    return app.exec();
}
