#include "SettingsStore.h"
#include "TempSettings.h"

#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

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
    EXPECT_EQ(store.read("Tri_Call", "x"), "x");
    store.save("Port Com", "5");
    QSettings file(TempSettings::iniFile(), QSettings::IniFormat);
    EXPECT_EQ(file.value("Setup/Port Com").toString(), "3");
    EXPECT_EQ(file.value("Setup /Port Com").toString(), "5");
    TempSettings::clear();
}
