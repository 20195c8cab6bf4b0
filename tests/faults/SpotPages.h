#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QListWidget;

// One spot as the site writes it, in lower case.
struct Spot {
    QByteArray dx;
    QByteArray qrg;
    QByteArray date;
    QByteArray spotter;
    QByteArray remark;
};

// The rows of a spot page in the site's table form.
QByteArray spotRows(const QList<Spot>& spots);
// A whole page: heading, the rows and the end of the table.
QByteArray spotPage(const QList<Spot>& spots);
// The line the list shows for a spot whose fields fit their columns.
QString spotLine(const Spot& spot);
QStringList spotLines(const QList<Spot>& spots);

// Distinct spots K0000AB, K0001AB, ... spread over the minutes of a day.
QList<Spot> numberedSpots(int count);

// The lines of a list widget, top to bottom.
QStringList linesOf(const QListWidget& list);
// True when the line has the fixed columns of a spot line.
bool wellFormed(const QString& line);
