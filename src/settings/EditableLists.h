#pragma once

#include <QString>

class QComboBox;
class QWidget;

// The editable lists of "Réglages": a field that offers entries, each with
// its description after " — ", and takes any text typed.
QComboBox* editableList(QWidget& parent, const char* name, const QString& current);
// The serial devices present, by their stable names when the system has them.
void offerSerialDevices(QComboBox* list);
// The speeds a radio's serial link commonly takes.
void offerSpeeds(QComboBox* list);
// The public cluster nodes.
void offerClusterNodes(QComboBox* list);
// The text of an editable list: its device or address, without the description.
QString valueOf(const QComboBox* list);
