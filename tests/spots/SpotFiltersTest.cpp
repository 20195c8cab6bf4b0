#include "SpotFilters.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

SpotRow rowOf(const QString& dx, const QString& remark = QString()) {
    return SpotRow{QStringLiteral("06 DEC 14:05Z"), dx.leftJustified(12),
                   QStringLiteral(" 14025.0"), QStringLiteral("DL1XYZ     "), remark};
}

FilterChoices checked(bool french, bool callsign, bool remark, bool alert) {
    FilterChoices choices;
    choices.Check1 = french;
    choices.Check2 = callsign;
    choices.Check4 = remark;
    choices.Check3 = alert;
    return choices;
}

int additions(const QString& dx, const FilterChoices& choices, const QString& remark = QString()) {
    return judgeSpot(rowOf(dx, remark), choices).additions;
}

int alerts(const QString& dx, const FilterChoices& choices, const QString& remark = QString()) {
    return judgeSpot(rowOf(dx, remark), choices).alerts;
}

} // namespace

TEST(SpotFilters, FrenchStations) {
    for (const char* dx : {"F5ABC", "TM1X", "TK5EP", "HW9A", "FO5XY", "TH2A", "TQ8A", "TV6A",
                           "TW2A", "HX1A", "HY1A", "TP2CE"})
        EXPECT_TRUE(isFrenchStation(QString::fromLatin1(dx))) << dx;
    for (const char* dx : {"EA5/F5ABC", "ZF1A", "TA1A", "HB9A", "T", ""})
        EXPECT_FALSE(isFrenchStation(QString::fromLatin1(dx))) << dx;
    EXPECT_EQ(additions(QStringLiteral("F5ABC"), checked(true, false, false, false)), 1);
    EXPECT_EQ(additions(QStringLiteral("ZF1A"), checked(true, false, false, false)), 0);
}

TEST(SpotFilters, NoFilterAddsEveryRowOnce) {
    EXPECT_EQ(judgeSpot(rowOf(QStringLiteral("JA1ABC")), FilterChoices{}).additions, 1);
    EXPECT_EQ(judgeSpot(rowOf(QStringLiteral("JA1ABC")), FilterChoices{}).alerts, 0);
}

TEST(SpotFilters, CallsignFilterComparesTheStartOfThePaddedField) {
    FilterChoices choices = checked(false, true, false, false);
    choices.Indicatif = QStringLiteral("F5");
    EXPECT_EQ(additions(QStringLiteral("F5ABC"), choices), 1);
    EXPECT_EQ(additions(QStringLiteral("F6ABC"), choices), 0);
    // Typed text is compared in capitals.
    choices.Indicatif = QStringLiteral("f5");
    EXPECT_EQ(additions(QStringLiteral("F5ABC"), choices), 1);
    // The trailing blanks of the field count; longer than the field never matches.
    choices.Indicatif = QStringLiteral("F5ABC ");
    EXPECT_EQ(additions(QStringLiteral("F5ABC"), choices), 1);
    choices.Indicatif = QStringLiteral("F5ABCDEFGHIJK");
    EXPECT_EQ(additions(QStringLiteral("F5ABCDEFGHIJ"), choices), 0);
    choices.Indicatif.clear();
    EXPECT_EQ(additions(QStringLiteral("F5ABC"), choices), 0);
}

TEST(SpotFilters, RemarkFilterNeedsARemark) {
    FilterChoices choices = checked(false, false, true, false);
    choices.Remarque = QStringLiteral("CQ");
    EXPECT_EQ(additions(QStringLiteral("JA1ABC"), choices, QStringLiteral("CQ CQ TEST")), 1);
    EXPECT_EQ(additions(QStringLiteral("JA1ABC"), choices, QString()), 0);
    // Exact, case-sensitive search.
    choices.Remarque = QStringLiteral("cq");
    EXPECT_EQ(additions(QStringLiteral("JA1ABC"), choices, QStringLiteral("CQ CQ TEST")), 0);
    choices.Remarque.clear();
    EXPECT_EQ(additions(QStringLiteral("JA1ABC"), choices, QStringLiteral("TEST")), 1);
    EXPECT_EQ(additions(QStringLiteral("JA1ABC"), choices, QString()), 0);
}

TEST(SpotFilters, EachPassingFilterAddsTheLineOnceMore) {
    FilterChoices choices = checked(true, true, true, false);
    choices.Indicatif = QStringLiteral("F");
    choices.Remarque = QStringLiteral("CQ");
    EXPECT_EQ(additions(QStringLiteral("F5ABC"), choices, QStringLiteral("CQ")), 3);
    EXPECT_EQ(additions(QStringLiteral("F5ABC"), choices), 2);
    EXPECT_EQ(additions(QStringLiteral("TM1X"), choices), 1);
    EXPECT_EQ(additions(QStringLiteral("JA1ABC"), choices), 0);
}

TEST(SpotFilters, CallsignAlertComparesTheTextAsTyped) {
    FilterChoices choices = checked(false, true, false, true);
    choices.Indicatif = QStringLiteral("F5");
    EXPECT_EQ(alerts(QStringLiteral("F5ABC"), choices), 1);
    EXPECT_EQ(alerts(QStringLiteral("F6ABC"), choices), 0);
    // Lower case shows the spot but does not sound.
    choices.Indicatif = QStringLiteral("f5");
    EXPECT_EQ(judgeSpot(rowOf(QStringLiteral("F5ABC")), choices).additions, 1);
    EXPECT_EQ(alerts(QStringLiteral("F5ABC"), choices), 0);
    // Compared without the field's blanks, so the whole callsign can match.
    choices.Indicatif = QStringLiteral("F5ABC");
    EXPECT_EQ(alerts(QStringLiteral("F5ABC"), choices), 1);
    // An empty text sounds for every row, though it shows none.
    choices.Indicatif.clear();
    EXPECT_EQ(alerts(QStringLiteral("JA1ABC"), choices), 1);
    EXPECT_EQ(additions(QStringLiteral("JA1ABC"), choices), 0);
}

TEST(SpotFilters, AlertsNeedTheirFilterBoxAndAlertBox) {
    FilterChoices choices = checked(false, false, false, true);
    choices.Indicatif = QStringLiteral("F5");
    choices.Remarque = QStringLiteral("CQ");
    EXPECT_EQ(alerts(QStringLiteral("F5ABC"), choices, QStringLiteral("CQ")), 0);
    choices.Check3 = false;
    choices.Check2 = true;
    choices.Check4 = true;
    EXPECT_EQ(alerts(QStringLiteral("F5ABC"), choices, QStringLiteral("CQ")), 0);
}

TEST(SpotFilters, RemarkAlert) {
    FilterChoices choices = checked(false, false, true, true);
    choices.Remarque = QStringLiteral("IOTA");
    EXPECT_EQ(alerts(QStringLiteral("JA1ABC"), choices, QStringLiteral("IOTA AS-007")), 1);
    EXPECT_EQ(alerts(QStringLiteral("JA1ABC"), choices, QStringLiteral("CQ")), 0);
    EXPECT_EQ(alerts(QStringLiteral("JA1ABC"), choices, QString()), 0);
    choices.Remarque.clear();
    EXPECT_EQ(alerts(QStringLiteral("JA1ABC"), choices, QStringLiteral("CQ")), 1);
    EXPECT_EQ(alerts(QStringLiteral("JA1ABC"), choices, QString()), 0);
    // Both alerts met: two sounds.
    choices.Check2 = true;
    choices.Indicatif = QStringLiteral("JA");
    EXPECT_EQ(alerts(QStringLiteral("JA1ABC"), choices, QStringLiteral("CQ")), 2);
}
