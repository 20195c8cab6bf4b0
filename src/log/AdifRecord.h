#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The fields of one logged contact that tell what it counts for; the others
// are not kept.
struct AdifRecord {
    QByteArray call;
    QByteArray band;
    QByteArray freq;
    QByteArray mode;
    QByteArray dxcc;
    QByteArray qslRcvd;
    QByteArray lotwQslRcvd;
    QByteArray eqslQslRcvd;

    // The field of this name (any case), or none that is kept.
    QByteArray* field(QByteArrayView name);
    bool isEmpty() const;
    // Empties every field, keeping its room for the next record's.
    void clear();
};
