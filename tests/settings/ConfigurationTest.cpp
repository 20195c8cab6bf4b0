// The configuration files as the program reads and writes them, and the
// store of the user's choices.
#include "Configuration.h"
#include "SettingsStore.h"
#include "TempSettings.h"
#include "TestSupport.h"

#include <sys/stat.h>

TEST(Configuration, DefaultsAndKeysIgnoringCommentsBlanksAndUnknownKeys) {
    // A missing, an empty and the shipped file all give the defaults.
    const Configuration defaults;
    for (const Configuration& config :
         {Configuration::load("/nonexistent/Pelk_Dedirad.conf"), Configuration::parse(QString()),
          Configuration::load(QDir(PELK_PROGRAM_DIR).filePath(Configuration::FileName))}) {
        for (int key = 0; key < ConfigKey::Count; ++key)
            EXPECT_EQ(config.value(ConfigKey::Id(key)), defaults.value(ConfigKey::Id(key)));
    }
    EXPECT_EQ(defaults.portDevice(6), "/dev/ttyS5");

    const Configuration config = Configuration::parse(QStringLiteral(
        "# comment\n ; other comment\nspot_site =  http://example.org:81/ \n"
        "lookup_site=http://127.0.0.1:9000\r\ncom3 = /dev/ttyUSB0\ncom7 = /dev/x\n"
        "com2 =\nnonsense line\n= value\ncluster = dxc.example.org:7300\ncallsign=F4ABC\n"));
    // An empty value keeps the default (com2).
    EXPECT_EQ((QStringList{config.spotSite(), config.lookupSite(), config.lookupSiteName(),
                           config.portDevice(3), config.portDevice(2), config.cluster(),
                           config.callsign()}),
              (QStringList{"http://example.org:81", "http://127.0.0.1:9000", "127.0.0.1",
                           "/dev/ttyUSB0", "/dev/ttyS1", "dxc.example.org:7300", "F4ABC"}));

    // The log's files: a value of before reads as it did; names holding ";"
    // or ending in a backslash come back whole from what "Parcourir…" writes.
    EXPECT_EQ(Configuration::splitFiles(" /a.adi; ~/b.adx;;"), QStringList({"/a.adi", "~/b.adx"}));
    const QStringList names{"/logs/f4abc;2024.adi", "/logs/dos\\", "/logs/c.adi"};
    EXPECT_EQ(Configuration::splitFiles(Configuration::joinFiles(names)), names);
}

TEST(Configuration, ASiteIsOfTheWebWithNothingAfterItsHostElseTheDefaultIsTaken) {
    const std::tuple<ConfigKey::Id, const char*, const char*> rows[] = {
        // The value, and what is taken; none: the default, and said.
        {ConfigKey::LookupSite, "https://www.hamqth.com/", "https://www.hamqth.com"},
        {ConfigKey::LookupSite, "file:///etc/passwd", nullptr},
        {ConfigKey::SpotSite, "data:text/html,<script>", nullptr},
        {ConfigKey::SpotSite, "http://", nullptr},
        {ConfigKey::LookupSite, "https://www.qrz.com/db", nullptr},
        {ConfigKey::LookupSite, "https://user@www.qrz.com", nullptr},
        {ConfigKey::SpotSite, "http://127.0.0.1:8073/?x=1", nullptr},
        {ConfigKey::CountrySite, "https://example.org/cty.csv/", "https://example.org/cty.csv"},
        {ConfigKey::CountrySite, "https://example.org", nullptr},
    };
    const Configuration defaults;
    for (const auto& [key, value, taken] : rows) {
        const QString name = QLatin1String(ConfigurationKeys[key].name);
        const Configuration config = Configuration::parse(name + " = " + value);
        EXPECT_EQ(config.value(key), taken ? taken : defaults.value(key)) << value;
        const QString told = name + " « " + value +
                             " » n'est pas un site http ou https : " + defaults.value(key) +
                             " est pris à sa place";
        EXPECT_EQ(config.problems(), taken ? QStringList() : QStringList{told}) << value;
    }
}

TEST(Configuration, TheUsersFileOverridesKeyByKeyAndIsWrittenInPlace) {
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    const QString user = Configuration::userFile();
    EXPECT_EQ(user, folder.path() + "/pelk-dedirad/Pelk_Dedirad.conf");
    const QString beside = folder.filePath("Pelk_Dedirad.conf");
    ASSERT_TRUE(writeFile(beside, "cluster = a.example.org:7300\ncom1 = /dev/ttyUSB0\n"));

    // No file of the user's: the one beside the program, as it is.
    EXPECT_EQ(Configuration::load(beside, user).cluster(), "a.example.org:7300");

    // The user's keys over those beside the program.
    ASSERT_TRUE(QDir().mkpath(folder.path() + "/pelk-dedirad"));
    ASSERT_TRUE(writeFile(user, "# mine\nfuture_key = 42\ncluster = b.example.org:7000\n"));
    ASSERT_FALSE(Configuration::saveKeys(
        user, {{"cluster", "c.example.org:8000"}, {"callsign", "F4XYZ-7"}}));
    const Configuration both = Configuration::load(beside, user);
    EXPECT_EQ(both.cluster(), "c.example.org:8000");
    EXPECT_EQ(both.callsign(), "F4XYZ-7");
    EXPECT_EQ(both.portDevice(1), "/dev/ttyUSB0"); // from beside the program

    // Written through a link to a regular file; never into a FIFO or device.
    const QString target = folder.filePath("elsewhere.conf");
    QFile(target).open(QIODevice::WriteOnly);
    QFile::remove(user);
    ASSERT_TRUE(QFile::link(target, user));
    EXPECT_FALSE(Configuration::saveKeys(user, {{"mode", "bandplan"}}));
    EXPECT_EQ(Configuration::load(beside, user).mode(), "bandplan");
    EXPECT_TRUE(QFileInfo(user).isSymLink());
    QFile::remove(user);
    ASSERT_EQ(::mkfifo(QFile::encodeName(user).constData(), 0600), 0);
    EXPECT_EQ(Configuration::saveKeys(user, {{"mode", "none"}}),
              "ce n'est pas un fichier ordinaire");
    const Configuration fifo = Configuration::load(beside, user); // no hang
    EXPECT_EQ(fifo.cluster(), "a.example.org:7300");
    EXPECT_EQ(fifo.problems().size(), 1);
    // Whatever its caller, a value never carries a line of its own.
    QFile::remove(user);
    EXPECT_TRUE(Configuration::saveKeys(user, {{"password", "pw\nlookup_site=file:///etc"}}));
    EXPECT_FALSE(QFile::exists(user));
    // A password keeps its blanks.
    EXPECT_FALSE(Configuration::saveKeys(user, {{"password", " two  blanks "}}));
    EXPECT_EQ(Configuration::load(beside, user).password(), " two  blanks ");
    // A file chosen by mistake is not read.
    ASSERT_TRUE(writeFile(user, QByteArray(2 << 20, '#')));
    EXPECT_EQ(Configuration::load(beside, user).problems().size(), 1);
    qunsetenv("XDG_CONFIG_HOME");
}

TEST(SettingsStore, ReadsOnlyItsOwnSectionAsHandEdited) {
    TempSettings::clear();
    {
        QFile file(TempSettings::iniFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // "Setup" without the trailing blank is another section; unquoted
        // commas make QSettings read a list.
        file.write("[Setup]\nPort Com=3\n[Setup%20]\nBaud=9600,n,8,1\nTri_Rem=\n");
    }
    SettingsStore store;
    EXPECT_EQ(store.read("Port Com", "0"), "0");
    EXPECT_EQ(store.read("Baud", "0"), "9600,n,8,1");
    EXPECT_EQ(store.read("Tri_Rem", "x"), ""); // empty text is no missing key
    store.save("Port Com", "5");
    QSettings file(TempSettings::iniFile(), QSettings::IniFormat);
    EXPECT_EQ(file.value("Setup/Port Com").toString(), "3");
    EXPECT_EQ(file.value("Setup /Port Com").toString(), "5");
}
