#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Starts a probe program with one argument and returns the first line it
// writes on its standard output, once it has ended; nothing when it could not
// start or wrote nothing. A probe runs in a process of its own so that each
// measure starts the program afresh.
std::optional<QByteArray> runProbe(const QString& probe, const QString& argument);
