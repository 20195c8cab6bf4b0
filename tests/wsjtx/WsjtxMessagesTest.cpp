// WSJT-X's datagrams as its version 2.6 writes them, built here byte by byte
// from the layout its documentation gives.
#include "WsjtxMessages.h"
#include "DecodeSpot.h"
#include "WsjtxListener.h"

#include <QNetworkDatagram>
#include <QTest>
#include <QtEndian>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

QByteArray be32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray utf8(const char* text) {
    return text == nullptr ? be32(0xffffffff) : be32(quint32(qstrlen(text))) + text;
}

QByteArray header(quint32 type, quint32 schema = 3) {
    return be32(Wsjtx::Magic) + be32(schema) + be32(type) + utf8("WSJT-X");
}

// 14:30:15 UTC, -12 dB, 0.1 s late, 1523 Hz, FT8.
QByteArray decodeFields(const char* message) {
    QByteArray deltaTime(8, '\0');
    qToBigEndian(0.1, deltaTime.data());
    return be32(52215000) + be32(quint32(-12)) + deltaTime + be32(1523) + utf8("~") +
           utf8(message) + '\0';
}

} // namespace

TEST(WsjtxMessages, ADecodeCallingCqIsASpotAndItsReplyRepeatsItsFieldsExactly) {
    const Wsjtx::Datagram datagram =
        Wsjtx::readDatagram(header(2) + '\1' + decodeFields("CQ DX 3Y0J JD15") + '\0');
    ASSERT_EQ(datagram.fault, Wsjtx::Fault::None);
    const auto& decode = std::get<Wsjtx::Decode>(datagram.message.value());
    const std::optional<Spot> spot = spotOfDecode(decode, 14074000);
    ASSERT_TRUE(spot);
    EXPECT_EQ(spotLine(*spot), spotLine(Spot{"3Y0J", "14075.5", "143015", "WSJT-X",
                                             "CQ DX 3Y0J JD15", SpotSource::Decode}));
    EXPECT_EQ(spot->band(), 5);
    EXPECT_EQ(spotOfDecode(decode, 0)->frequency, QString());

    // Type 4, the instance's id, the decode's fields, no modifier key.
    EXPECT_EQ(Wsjtx::replyDatagram(decode, 3), header(4) + decodeFields("CQ DX 3Y0J JD15") + '\0');
}

TEST(WsjtxMessages, OnlyCqAndQrzCallsAreStationsToCall) {
    const std::pair<const char*, const char*> messages[] = {
        {"CQ 3Y0J JD15", "3Y0J"},
        {"CQ DX K1ABC FN42", "K1ABC"},
        {"CQ POTA K1ABC", "K1ABC"},
        {"CQ 290 K1ABC FN42", "K1ABC"},
        {"QRZ VP2V/DL1AB", "VP2V/DL1AB"},
        {"CQ <PJ4/K1ABC>", "PJ4/K1ABC"},
        {"K1ABC F5XYZ -10", nullptr},
        {"CQ DX", nullptr},
        {"CQ <...> FN42", nullptr},
        {"TNX 73 GL", nullptr},
        {"", nullptr},
    };
    for (const auto& [message, call] : messages)
        EXPECT_EQ(callingStation(QString::fromLatin1(message)).value_or(QString()),
                  QString::fromLatin1(call))
            << message;
}

TEST(WsjtxMessages, WhatIsNotWsjtxOrIsCutIsDroppedAndTrailingFieldsIgnored) {
    const QByteArray decode = header(2) + '\1' + decodeFields("CQ 3Y0J JD15");
    const std::pair<QByteArray, Wsjtx::Fault> datagrams[] = {
        {QByteArray(), Wsjtx::Fault::NotWsjtx},
        {QByteArray(65536, '\xAD'), Wsjtx::Fault::NotWsjtx},
        {header(2, 4) + '\1', Wsjtx::Fault::UnknownSchema},
        {decode.left(decode.size() - 20), Wsjtx::Fault::Cut},
        {header(2).left(14) + be32(0x7fffffff), Wsjtx::Fault::Cut},
        {header(99) + "anything", Wsjtx::Fault::None},
        {decode + "\1\1 fields of a later version", Wsjtx::Fault::None},
    };
    for (const auto& [bytes, fault] : datagrams)
        EXPECT_EQ(Wsjtx::readDatagram(bytes).fault, fault) << bytes.toHex().left(40).toStdString();
    // A heartbeat of an instance older than schema 3 says no maximum: 2.
    EXPECT_EQ(std::get<Wsjtx::Heartbeat>(*Wsjtx::readDatagram(header(0, 2)).message).maximumSchema,
              2u);
}

TEST(WsjtxListener, EachInstanceIsAnsweredAtItsOwnAddressWithItsOwnDial) {
    WsjtxListener listener;
    ASSERT_EQ(listener.listen({QStringLiteral("127.0.0.1"), 0}), std::nullopt);
    const quint16 port = listener.localPort();
    QList<Wsjtx::Decode> decodes;
    QObject::connect(&listener, &WsjtxListener::decoded,
                     [&decodes](const Wsjtx::Decode& decode) { decodes.append(decode); });

    // Another program holding the port is told, with the cure.
    WsjtxListener second;
    EXPECT_THAT(
        second.listen({QStringLiteral("127.0.0.1"), port}).value_or(QString()).toStdString(),
        ::testing::HasSubstr("239.255.0.1"));

    QUdpSocket wsjtx;
    ASSERT_TRUE(wsjtx.bind(QHostAddress::LocalHost, 0));
    const auto sendToListener = [&](const QByteArray& bytes) {
        wsjtx.writeDatagram(bytes, QHostAddress::LocalHost, port);
    };
    // A heartbeat of schema 2 offering 3 is answered in 3.
    sendToListener(header(0, 2) + be32(3) + utf8("2.6.1") + utf8("abc"));
    ASSERT_TRUE(QTest::qWaitFor([&wsjtx] { return wsjtx.hasPendingDatagrams(); }, 2000));
    EXPECT_TRUE(wsjtx.receiveDatagram().data().startsWith(be32(Wsjtx::Magic) + be32(3) + be32(0)));

    sendToListener(header(1) + QByteArray::fromHex("0000000000d6c090") + utf8("FT8"));
    sendToListener(QByteArray(100, 'x'));
    sendToListener(header(2) + '\1' + decodeFields("CQ 3Y0J JD15"));
    ASSERT_TRUE(QTest::qWaitFor([&decodes] { return decodes.size() == 1; }, 2000));
    EXPECT_EQ(listener.dialOf(QStringLiteral("WSJT-X")), 14074000u);
    EXPECT_EQ(listener.dropped(), 1);

    ASSERT_TRUE(listener.reply(decodes[0]));
    ASSERT_TRUE(QTest::qWaitFor([&wsjtx] { return wsjtx.hasPendingDatagrams(); }, 2000));
    EXPECT_EQ(wsjtx.receiveDatagram().data(), header(4) + decodeFields("CQ 3Y0J JD15") + '\0');
}
