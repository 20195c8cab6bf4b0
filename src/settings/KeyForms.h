#pragma once

#include "ConfigurationKeys.h"

#include <QString>
#include <QStringList>
#include <optional>

// The rules of each key's form: reading a value from its line, checking
// what "Réglages" is given. Lists of names and of files are read and
// written by Configuration.
namespace KeyForms {

// The value a file's line gives after its "=": blanks around it dropped, or
// for a secret the one blank after "=" only.
QString fromLine(KeyForm form, QString text);
// A value the files give that the program does not take, as said at start-up
// with the default put in its place; nothing when it is taken.
std::optional<QString> notTakenFromFile(ConfigKey::Id key, const QString& value);
// The value as the program keeps it: a site or a file address without a
// trailing "/".
QString kept(KeyForm form, QString value);

// The value written for what a field holds: a callsign in capitals.
QString written(KeyForm form, const QString& text);
// Why "Réglages" refuses `text` for the key, in French, naming the field;
// nothing when it is accepted.
std::optional<QString> refusal(ConfigKey::Id key, const QString& text);
// A line break or another control character: never part of a value.
bool holdsControlCharacter(const QString& text);
} // namespace KeyForms
