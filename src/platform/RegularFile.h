#pragma once

#include <QString>

// True when nothing is at `path`, or a regular file once links are followed.
// A device, a FIFO or a dangling link there is never to be opened: writing
// would replace or feed the device, reading a FIFO would hang.
bool regularOrAbsent(const QString& path);
