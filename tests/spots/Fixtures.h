#pragma once

#include <QByteArray>
#include <QString>

// A hand-made page of tests/data, as the site would send it.
QByteArray fixturePage(const QString& name);

// A page as the decoder reads it: upper-cased and passed through the scratch
// files in a temporary folder.
QString storedPage(const QByteArray& html);
