#pragma once

#include <QString>

// "12 345" as French writes it, with a narrow blank between the thousands.
QString frenchNumber(int number);
