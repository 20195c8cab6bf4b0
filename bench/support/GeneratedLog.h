#pragma once

#include <QString>

// An ADI log of `contacts` records as WSJT-X writes them (about 330 bytes
// each, no DXCC field: every entity found from the call), the calls real
// ones from Debian's MASTER.SCP (package hamradio-files, about 84,000
// calls), bands and modes of every kind, some confirmed; written to `path`.
// False, and why on the standard error, when it could not be written.
bool writeGeneratedLog(const QString& path, int contacts);
// Record number n of that log, to append one more.
QByteArray generatedLogRecord(int n);
