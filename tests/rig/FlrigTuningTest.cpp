// Tuning through flrig, whose place a small XML-RPC responder takes here
// (flrig itself needs a radio): the calls Hamlib's flrig back end makes are
// recorded and answered as an IC-7300 under flrig would.
#include "DurerurFixture.h"

#include <QComboBox>
#include <QListWidget>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {

constexpr int FlrigIndex = 15; // "flrig" in Emetteur

class FlrigResponder {
public:
    FlrigResponder() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead,
                                 [this, socket] { serve(*socket); });
        });
    }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort()); }
    // "method value" of every call that sets something, in order.
    QStringList sets;
    // Answers every call with a value of 12,000 characters, which ended
    // Hamlib's flrig back end with a crash.
    bool hostile = false;

private:
    void serve(QTcpSocket& socket) {
        pending_ += socket.readAll();
        for (;;) {
            const qsizetype headEnd = pending_.indexOf("\r\n\r\n");
            if (headEnd < 0)
                return;
            static const QRegularExpression lengthField(QStringLiteral("content-length: *(\\d+)"),
                                                        QRegularExpression::CaseInsensitiveOption);
            const qsizetype length =
                lengthField.match(QString::fromLatin1(pending_.left(headEnd))).captured(1).toInt();
            if (pending_.size() < headEnd + 4 + length)
                return;
            const QString call = QString::fromLatin1(pending_.mid(headEnd + 4, length));
            pending_.remove(0, headEnd + 4 + length);
            socket.write(respond(call));
        }
    }
    QByteArray respond(const QString& call) {
        static const QRegularExpression methodName(QStringLiteral("<methodName>([^<]*)<"));
        static const QRegularExpression firstValue(
            QStringLiteral("<value>(?:<[a-z0-9]+>)?([^<]*)<"));
        const QString method = methodName.match(call).captured(1);
        const QString param = firstValue.match(call).captured(1);
        static const QMap<QString, QString> answers{
            {"main.get_version", "1.4.7"},
            {"rig.get_xcvr", "IC-7300"},
            {"rig.get_AB", "A"},
            {"rig.get_modes", "<array><data><value>LSB</value><value>USB</value><value>CW</value>"
                              "<value>USB-D</value></data></array>"}};
        QString value = answers.value(method, QStringLiteral("0"));
        if (method.startsWith(QLatin1String("rig.set"))) {
            sets.append(method + ' ' + param);
            if (method.contains(QLatin1String("vfo")))
                frequency_ = param;
            if (method.contains(QLatin1String("mode")))
                mode_ = param;
        } else if (method.startsWith(QLatin1String("rig.get_mode")) && !answers.contains(method)) {
            value = mode_;
        } else if (method.startsWith(QLatin1String("rig.get_vfo"))) {
            value = frequency_;
        }
        if (hostile)
            value = QString(12000, QLatin1Char('x'));
        const QByteArray body = ("<?xml version=\"1.0\"?>\n<methodResponse><params><param><value>" +
                                 value + "</value></param></params></methodResponse>\n")
                                    .toLatin1();
        return "HTTP/1.1 200 OK\r\nServer: XMLRPC++ 0.8\r\nContent-Type: text/xml\r\n"
               "Content-length: " +
               QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }

    QTcpServer server_;
    QByteArray pending_;
    QString frequency_ = QStringLiteral("14000000");
    QString mode_ = QStringLiteral("USB");
};

class FlrigTuning : public DurerurFixture {
protected:
    // A window with "flrig" chosen, two spots (CW, FT8) in its list.
    Durerur& start() {
        config.setFlrig(flrig.address());
        restart({{"Latitude", "48.52N"},
                 {"Longitude", "2.31E"},
                 {"Transceiver", QString::number(FlrigIndex)}});
        Durerur& w = window();
        w.Liste_Stations->addItems({" 06 DEC 14:05Z F5ABC         14025.5 DL1XYZ      CW",
                                    " 06 DEC 14:05Z JA1ABC        14074.0 DL1XYZ      FT8"});
        return w;
    }

    FlrigResponder flrig;
};

} // namespace

// Hostile answers, then sane ones: the spots tune as each comes in.
TEST_F(FlrigTuning, FlrigIsToldTheFrequencyAndModeOfEachSpotAndAHostileOneFailsOnlyTheTuning) {
    config.setMode(QStringLiteral("bandplan"));
    flrig.hostile = true;
    Durerur& w = start();
    ModalCloser closer;
    const auto click = [&](int row) {
        w.Liste_Stations->setCurrentRow(row);
        QCoreApplication::processEvents();
    };
    click(0);
    ASSERT_EQ(closer.texts().size(), 1);
    EXPECT_TRUE(closer.texts()[0].startsWith("flrig ne répond pas sur " + flrig.address()))
        << closer.texts()[0].toStdString();

    flrig.hostile = false;
    flrig.sets.clear();
    click(1);
    click(0);
    EXPECT_EQ(flrig.sets.filter(QRegularExpression(QStringLiteral("vfo|mode[AB] "))),
              (QStringList{"rig.set_vfoA 14074000", "rig.set_modeA USB-D", "rig.set_vfoA 14025500",
                           "rig.set_modeA CW"}))
        << flrig.sets.join(" / ").toStdString();
    EXPECT_EQ(closer.texts().size(), 1);
}
