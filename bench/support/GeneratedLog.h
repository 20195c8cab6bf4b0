#pragma once

#include <QString>

// An ADI log of `contacts` records as loggers export them (about 330 bytes
// each: calls, bands and modes of every kind, some confirmed), written to
// `path`; true when written.
bool writeGeneratedLog(const QString& path, int contacts);
// Record number n of that log, to append one more.
QByteArray generatedLogRecord(int n);
