// WSJT-X's datagrams read, and a decode calling CQ made into a spot.
#include "DecodeSpot.h"
#include "WsjtxDatagrams.h"

#include <gtest/gtest.h>

TEST(WsjtxMessages, ADecodeCallingCqIsASpotAtTheDialPlusItsAudioOffset) {
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
