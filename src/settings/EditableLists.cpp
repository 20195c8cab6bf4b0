#include "EditableLists.h"

#include "ClusterNodeList.h"
#include "NamedWidgets.h"

#include <QComboBox>
#include <QSerialPortInfo>
#include <array>

namespace {

constexpr std::array<const char*, 6> HamlibSpeeds{"4800",  "9600",  "19200",
                                                  "38400", "57600", "115200"};

} // namespace

QComboBox* editableList(QWidget& parent, const char* name, const QString& current) {
    auto* list = makeNamed<QComboBox>(&parent, name);
    list->setEditable(true);
    // The offered entries' descriptions show when the list opens; the field
    // itself needs room for an address or a device only.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(32);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setEditText(current);
    return list;
}

void offerSerialDevices(QComboBox* list) {
    const QString current = list->currentText();
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        const QString description =
            port.description().isEmpty() ? port.manufacturer() : port.description();
        list->addItem(port.systemLocation() +
                          (description.isEmpty() ? QString() : QStringLiteral(" — ") + description),
                      port.systemLocation());
    }
    list->setEditText(current);
}

void offerSpeeds(QComboBox* list) {
    const QString current = list->currentText();
    for (const char* speed : HamlibSpeeds)
        list->addItem(QString::fromLatin1(speed));
    list->setEditText(current);
}

void offerClusterNodes(QComboBox* list) {
    const QString current = list->currentText();
    for (const ClusterNode& node : WellKnownClusterNodes)
        list->addItem(QString::fromLatin1(node.address) + QStringLiteral(" — ") +
                      QString::fromLatin1(node.name) + QStringLiteral(" : ") +
                      QString::fromUtf8(node.description));
    list->setEditText(current);
    list->setToolTip(QStringLiteral("Jusqu'à trois nœuds hôte:port séparés par des virgules ; "
                                    "vide : spots de démonstration"));
}

QString valueOf(const QComboBox* list) {
    const QString text = list->currentText().trimmed();
    const qsizetype dash = text.indexOf(QStringLiteral(" — "));
    return dash < 0 ? text : text.left(dash).trimmed();
}
