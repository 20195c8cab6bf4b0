#include "QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

const QString QtMessageBox::Title = QStringLiteral("Pelk_Dedirad");

void QtMessageBox::show(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, Title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    // A callsign or a node's name is shown as typed, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
