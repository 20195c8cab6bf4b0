#include "SettingsStore.h"
#include "TempSettings.h"

#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { TempSettings::clear(); }
    void TearDown() override { TempSettings::clear(); }
};

TEST_F(SettingsStoreTest, AbsentKeyGivesTheDefaultAndIsNotCreated) {
    SettingsStore store;
    EXPECT_EQ(store.read("bande Durerur", "0"), "0");
    EXPECT_EQ(store.read("Tri_Rem", ""), "");
    EXPECT_FALSE(QFile::exists(TempSettings::iniFile()));
}

TEST_F(SettingsStoreTest, EmptyStoredTextIsReturnedEmpty) {
    SettingsStore store;
    store.save("Tri_Rem", "");
    EXPECT_EQ(store.read("Tri_Rem", "default"), "");
}

TEST_F(SettingsStoreTest, TextsSurviveAsWrittenAcrossInstances) {
    const QString texts[] = {" 1.4.6", "19200,n,8,1", "48.52N", "é à ç", "a=b;c", "  "};
    {
        SettingsStore store;
        for (int i = 0; i < 6; ++i)
            store.save(QStringLiteral("k%1").arg(i), texts[i]);
    }
    SettingsStore again;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(again.read(QStringLiteral("k%1").arg(i), "x"), texts[i]);
}

TEST_F(SettingsStoreTest, SectionWithoutTheTrailingBlankIsAnotherSection) {
    {
        QSettings file(TempSettings::iniFile(), QSettings::IniFormat);
        file.setValue("Setup/Port Com", "3");
    }
    SettingsStore store;
    EXPECT_EQ(store.read("Port Com", "0"), "0");
    store.save("Port Com", "5");
    QSettings file(TempSettings::iniFile(), QSettings::IniFormat);
    EXPECT_EQ(file.value("Setup/Port Com").toString(), "3");
    EXPECT_EQ(file.value("Setup /Port Com").toString(), "5");
}

TEST_F(SettingsStoreTest, HandEditedCommasReadBackAsText) {
    QFile file(TempSettings::iniFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Setup%20]\nBaud=9600,n,8,1\n");
    file.close();
    SettingsStore store;
    EXPECT_EQ(store.read("Baud", "0"), "9600,n,8,1");
}
