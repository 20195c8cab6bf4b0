#pragma once

#include <QStringList>
#include <QVariantList>
#include <QWidget>

class QLabel;
class QListWidget;

// The "Décodages WSJT-X" window: the stations WSJT-X decoded lately, one
// line each in the colour of what a contact would bring. A double click or
// Enter on a line asks for that station to be called.
class Decodages : public QWidget {
    Q_OBJECT

public:
    // The header over the lines' columns.
    static const QString ColumnHeader;

    explicit Decodages(QWidget* parent = nullptr);

    QLabel* Entete = nullptr;
    QListWidget* Liste_Decodages = nullptr;

    // The lines, newest first, each in its colour (an invalid one: the usual)
    // and with the call it is about: the chosen line stays on its station as
    // new ones come above it, so that Enter never calls another.
    void showLines(const QStringList& lines, const QVariantList& colours, const QStringList& calls);

signals:
    void stationChosen(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList calls_;
};
