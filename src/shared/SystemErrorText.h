#pragma once

#include <QString>

// The system's reason for a failed call (an errno value) in French, whatever
// the user's locale: "disque plein", "permission refusée".
QString systemErrorText(int error);
