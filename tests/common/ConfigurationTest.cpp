#include "Configuration.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(Configuration, DefaultsAndKeysIgnoringCommentsBlanksAndUnknownKeys) {
    // A missing, an empty and the shipped file all give the defaults.
    for (const Configuration& config :
         {Configuration::load("/nonexistent/Pelk_Dedirad.conf"), Configuration::parse(QString()),
          Configuration::load(QDir(PELK_PROGRAM_DIR).filePath(Configuration::FileName))}) {
        EXPECT_EQ(config.spotSite(), "http://127.0.0.1:8073");
        EXPECT_EQ(config.lookupSite(), "https://www.qrz.com");
        EXPECT_EQ(config.cluster(), QString());
        EXPECT_EQ(config.callsign(), QString());
        for (int n = 1; n <= 6; ++n)
            EXPECT_EQ(config.portDevice(n), QStringLiteral("/dev/ttyS%1").arg(n - 1));
    }

    const Configuration config = Configuration::parse(QStringLiteral(
        "# comment\n ; other comment\nspot_site =  http://example.org:81/ \n"
        "lookup_site=http://127.0.0.1:9000\r\ncom3 = /dev/ttyUSB0\ncom7 = /dev/x\n"
        "com2 =\nnonsense line\n= value\ncluster = dxc.example.org:7300\ncallsign=F4ABC\n"));
    EXPECT_EQ(config.spotSite(), "http://example.org:81");
    EXPECT_EQ(config.lookupSite(), "http://127.0.0.1:9000");
    EXPECT_EQ(config.lookupSiteName(), "127.0.0.1");
    EXPECT_EQ(config.portDevice(3), "/dev/ttyUSB0");
    EXPECT_EQ(config.portDevice(2), "/dev/ttyS1"); // empty value keeps the default
    EXPECT_EQ(config.cluster(), "dxc.example.org:7300");
    EXPECT_EQ(config.callsign(), "F4ABC");
}
