// ADIF files, ADI and ADX, as loggers and WSJT-X write them and as they get
// damaged, read into what a contact with each spot would bring.
#include "CountryTable.h"
#include "FrenchNumber.h"
#include "LogBook.h"
#include "LogFile.h"
#include "TestSpots.h"
#include "TestSupport.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

const std::shared_ptr<const CountryTable>& entities() {
    static const auto numbers =
        std::make_shared<const CountryTable>(CountryTable::load(QStringLiteral(PELK_PROGRAM_DIR)));
    return numbers;
}

// A header without "<" first, field names in both cases, a type indicator,
// a band from FREQ only and FT4 written as MFSK.
const QByteArray Adi = "Exported by a logger\n<ADIF_VER:5>3.1.4 <EOH>\n"
                       "<CALL:6>JA1XYZ<BAND:3>20M<MODE:2>CW<LOTW_QSL_RCVD:1>Y<EOR>\n"
                       "<call:6>JA2XYZ<band:3>40m<mode:3>SSB<submode:3>USB<QSL_RCVD:1:S>N<eor>\n"
                       "<CALL:6>DL1XYZ<FREQ:6>14.080<MODE:4>MFSK<SUBMODE:3>FT4"
                       "<EQSL_QSL_RCVD:1>Y<EOR>\n";

const QByteArray Adx = R"(<?xml version="1.0" encoding="UTF-8"?>
<ADX><HEADER><ADIF_VER>3.1.4</ADIF_VER></HEADER><RECORDS>
<RECORD><CALL>JA1XYZ</CALL><BAND>20m</BAND><MODE>CW</MODE><LOTW_QSL_RCVD>Y</LOTW_QSL_RCVD></RECORD>
<RECORD><CALL>JA2XYZ</CALL><BAND>40m</BAND><MODE>SSB</MODE></RECORD>
<RECORD><CALL>DL1XYZ</CALL><FREQ>14.080</FREQ><MODE>MFSK</MODE><SUBMODE>FT4</SUBMODE>
<EQSL_QSL_RCVD>Y</EQSL_QSL_RCVD></RECORD>
</RECORDS></ADX>
)";

class AdifLog : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }
    LogSnapshot read(LogFile& file, std::uint8_t counted = PaperQsl | Lotw) {
        file.refresh(*entities(), stop);
        LogSnapshot log{true, entities(), WorkedIndex(counted), {}};
        for (const LoggedContact& contact : file.contacts())
            log.index.add(contact);
        return log;
    }
    LogSnapshot read(const QString& path, std::uint8_t counted = PaperQsl | Lotw) {
        LogFile file(path);
        return read(file, counted);
    }

    QTemporaryDir folder;
    std::atomic<bool> stop{false};
};

// The spots of the ladder against the log above, in its order, and what the
// window says of each.
const std::tuple<const char*, double, const char*, const char*> Spots[] = {
    {"VK2AAA", 14025, "", "Nouvelle entité"},
    {"JA3AAA", 21025, "", "Nouvelle bande"},
    // Neither the band nor the mode group worked: the band comes first.
    {"DL3AAA", 7010, "", "Nouvelle bande"},
    {"JA3AAA", 14074, "FT8", "Nouveau mode"},
    {"JA3AAA", 7010, "", "Nouveau créneau"},
    {"DL3AAA", 14080, "FT4", "Entité à confirmer"},
    {"JA3AAA", 7150, "", "Créneau à confirmer"},
    {"JA3AAA", 14025, "", "Confirmé"},
    {"JA3AAA", 5000, "", ""}, // no ADIF band
};

} // namespace

TEST_F(AdifLog, AdiAndAdxWithOrWithoutDxccGiveEveryStatusOfTheLadder) {
    QByteArray withDxcc = Adi;
    // A DXCC number that is no entity gives way to the call's.
    withDxcc.replace("<CALL:6>JA1XYZ", "<CALL:6>JA1XYZ<DXCC:3>339")
        .replace("<call:6>JA2XYZ", "<call:6>JA2XYZ<dxcc:3>999")
        .replace("<CALL:6>DL1XYZ", "<CALL:6>DL1XYZ<DXCC:5>99999");
    // ADX as other programs write it: no declaration, a comment or blanks
    // first, the root in another case, UTF-16 of either byte order.
    const QByteArray bare = Adx.sliced(Adx.indexOf('\n') + 1);
    QByteArray otherCase = bare;
    otherCase.replace("ADX>", "Adx>");
    QByteArray utf16 = Adx;
    utf16.replace("UTF-8", "UTF-16");
    QStringEncoder withMark(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QStringEncoder bigEndian(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
    for (const QString& path :
         {write("log.adi", Adi), write("log.adx", Adx), write("dxcc.adi", withDxcc),
          write("comment.adx", "<!-- Exported by a logger -->\n" + bare),
          write("blanks.adx", QByteArray(5000, '\n') + bare), write("case.adx", otherCase),
          write("mark.adx", withMark(QString::fromUtf8(utf16))),
          write("be.adx", bigEndian(QString::fromUtf8(utf16)))}) {
        SCOPED_TRACE(path.toStdString());
        const LogSnapshot log = read(path);
        EXPECT_EQ(log.index.contacts(), 3);
        for (const auto& [call, khz, remark, status] : Spots)
            EXPECT_EQ(
                neededText(log.statusOfSpot(testSpot(
                    QString::fromLatin1(call), QString::number(khz), QString::fromLatin1(remark)))),
                QString::fromUtf8(status))
                << call << " " << khz;
    }
    // eQSL counts when chosen.
    EXPECT_EQ(read(write("eqsl.adi", Adi), PaperQsl | Lotw | Eqsl)
                  .statusOfSpot(testSpot("DL3AAA", "14080", "FT4")),
              NeededStatus::Confirmed);
    EXPECT_EQ(frenchNumber(1234567), QStringLiteral("1\u202F234\u202F567"));
}

TEST_F(AdifLog, DamagedRecordsLoseOnlyThemselves) {
    QByteArray garbage(1 << 20, '\0');
    for (qsizetype i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919) % 251);
    const std::tuple<const char*, QByteArray, int, int, bool> cases[] = {
        // name, file, contacts, records skipped, whether DL1XYZ was read
        {"length past the end", "<CALL:6>JA1XYZ<EOR><CALL:50>DL1XYZ<EOR>", 1, 0, false},
        {"huge length", "<CALL:99999999999>JA1XYZ<EOR><CALL:6>DL1XYZ<EOR>", 1, 1, true},
        {"length not a number", "<CALL:x>JA1XYZ<EOR><CALL:6>DL1XYZ<EOR>", 1, 1, true},
        {"no EOR at the end", "<CALL:6>JA1XYZ<EOR><CALL:6>DL1XYZ<BAND:3>20m", 2, 0, true},
        {"no EOH", "Log of F4ABC <ADIF_VER:5>3.1.4 <CALL:6>JA1XYZ<EOR>", 1, 0, false},
        {"lengths in characters and in bytes",
         "<NAME:4>J\xC3\xB6"
         "el<CALL:6>JA1XYZ<EOR><NAME:5>J\xC3\xB6"
         "el<CALL:6>DL1XYZ<EOR>",
         2, 0, true},
        {"a length neither",
         "<NAME:2>J\xC3\xB6"
         "el<CALL:6>JA1XYZ<EOR><CALL:6>DL1XYZ<EOR>",
         1, 1, true},
        {"binary garbage", garbage + "<EOR><CALL:6>DL1XYZ<EOR>", 1, 0, true},
        {"blanks after a value",
         "<CALL:6>JA1XYZ" + QByteArray(4 << 20, ' ') + "<EOR><CALL:6>DL1XYZ<EOR>", 2, 0, true},
    };
    for (const auto& [name, bytes, contacts, skipped, dlRead] : cases) {
        SCOPED_TRACE(name);
        LogFile file(write("damaged.adi", bytes));
        const LogSnapshot log = read(file);
        EXPECT_EQ(log.index.contacts(), contacts);
        EXPECT_EQ(file.unreadable(), skipped);
        EXPECT_EQ(log.statusOfSpot(testSpot("DL3AAA")) != NeededStatus::NewEntity, dlRead);
    }
}

TEST_F(AdifLog, AFileFollowedAsItGrowsIsReplacedOrGoes) {
    const QString path =
        write("live.adi", "<EOH><CALL:6>JA1XYZ<BAND:3>20m<MODE:2>CW<EOR><CALL:6>DL1");
    LogFile file(path);
    EXPECT_EQ(read(file).index.contacts(), 1);
    // The logger ends the record it was writing, then adds one.
    QFile log(path);
    ASSERT_TRUE(log.open(QIODevice::Append));
    log.write("XYZ<BAND:3>20m<EOR>\n<CALL:6>VK2XYZ<EOR>\n");
    log.close();
    LogSnapshot grown = read(file);
    EXPECT_EQ(grown.index.contacts(), 3);
    EXPECT_EQ(grown.statusOfSpot(testSpot("DL3AAA")), NeededStatus::NewMode);
    EXPECT_EQ(read(file).index.contacts(), 3); // unchanged: nothing read again

    // Replaced by a shorter export, then deleted: the last contacts stay.
    write("live.adi", "<CALL:6>JA1XYZ<EOR>");
    EXPECT_EQ(read(file).index.contacts(), 1);
    QFile::remove(path);
    EXPECT_EQ(read(file).index.contacts(), 1);
    EXPECT_EQ(file.problem(), QStringLiteral("fichier introuvable"));

    // Files that are no log: refused without hanging, as is invalid XML.
    const QString fifo = folder.filePath("fifo.adi");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString dangling = folder.filePath("dangling.adi");
    ASSERT_TRUE(QFile::link(folder.filePath("gone"), dangling));
    const std::pair<QString, QString> refused[] = {
        {fifo, "pas un fichier ordinaire"},
        {"/dev/null", "pas un fichier ordinaire"},
        {dangling, "fichier introuvable"},
        {write("bad.adx", "<?xml version=\"1.0\"?>\n<ADX><RECORDS>\n<RECORD><CALL>JA1XYZ</CALL>"
                          "</RECORDS></ADX>\n"),
         "XML invalide ligne 3"},
        {write("long.adx", "<?xml version=\"1.0\"?>\n<ADX><RECORDS><RECORD><CALL>" +
                               QByteArray(3 << 20, 'A') + "</CALL></RECORD></RECORDS></ADX>\n"),
         "valeur de plus de 1 Mo ligne 2"},
        {write("utf16.adi", QStringEncoder(QStringEncoder::Utf16LE)(u"<CALL:6>JA1XYZ<EOR>")),
         "ni ADI ni ADX"},
    };
    for (const auto& [refusedPath, problem] : refused) {
        LogFile other(refusedPath);
        read(other);
        EXPECT_EQ(other.problem(), problem) << refusedPath.toStdString();
    }
}
