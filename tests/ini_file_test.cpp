#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>

#include "platform/ini_file.h"

namespace corvane {
namespace {

class IniFileTest : public ::testing::Test {
  protected:
    std::string Write(const std::string& text) {
        const std::string path = dir_.path().toStdString() + "/corvane.INI";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(IniFileTest, ReadsValuesAsWindowsDoes) {
    const IniFile ini(
        Write("\xEF\xBB\xBF; defaults for new installations\r\n"
              "IPAddress=before any section\r\n"
              "[defaultsetup]\r\n"
              "  ipaddress  =  sms.example.net  \r\n"
              "Quoted=\" spaced \"\r\n"
              "Single='x'\r\n"
              "Empty=\r\n"
              "no equals sign here\r\n"
              "=no key\r\n"
              "IPAddress=second one\r\n"
              "[ Other ]\n"
              "IPAddress=other section\n"
              "[DefaultSetup]\n"
              "Late=read too\n"
              "Caf\xe9=\xe9t\xe9"));
    const std::string section = "DefaultSetup";
    EXPECT_EQ(ini.ReadString(section, "IPAddress", "d"), "sms.example.net");
    EXPECT_EQ(ini.ReadString(section, "Quoted", "d"), " spaced ");
    EXPECT_EQ(ini.ReadString(section, "Single", "d"), "x");
    EXPECT_EQ(ini.ReadString(section, "Empty", "d"), "");
    EXPECT_EQ(ini.ReadString(section, "Missing", "d"), "d");
    EXPECT_EQ(ini.ReadString(section, "Late", "d"), "read too");
    EXPECT_EQ(ini.ReadString(section, "Caf\xe9", "d"), "\xe9t\xe9");
    EXPECT_EQ(ini.ReadString("OTHER", "IPAddress", "d"), "other section");
    EXPECT_EQ(ini.ReadString("Nowhere", "IPAddress", "d"), "d");
}

TEST_F(IniFileTest, IntegersThatAreNotWholeNumbersGiveTheDefault) {
    struct Case {
        const char* value;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"2708", 2708},    {" 80 ", 80},  {"-1", -1},
        {"+443", 443},     {"0", 0},      {"2147483647", 2147483647},
        {"2147483648", 7}, {"", 7},       {"27o8", 7},
        {"2708.5", 7},     {"0x0A94", 7}, {"port", 7},
        {"+-1", 7},        {"- 1", 7},
    };
    for (const Case& c : cases) {
        const IniFile ini(Write(std::string("[DefaultSetup]\nIPPort=") + c.value + "\n"));
        EXPECT_EQ(ini.ReadInteger("DefaultSetup", "IPPort", 7), c.expected) << c.value;
    }
    const IniFile ini(Write("[DefaultSetup]\n"));
    EXPECT_EQ(ini.ReadInteger("DefaultSetup", "IPPort", 2708), 2708);
}

TEST_F(IniFileTest, MissingFileGivesEveryDefault) {
    const IniFile ini(dir_.path().toStdString() + "/absent.INI");
    EXPECT_EQ(ini.ReadString("DefaultSetup", "DefaultCountryCode", "44"), "44");
    EXPECT_EQ(ini.ReadInteger("DefaultSetup", "IPPort", 2708), 2708);
}

TEST(IniPathForProgram, ReplacesOrAppendsTheExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/corvane", "/usr/bin/corvane.INI"},
        {"/opt/corvane/Corvane.exe", "/opt/corvane/Corvane.INI"},
        {"/opt/app.v2/corvane", "/opt/app.v2/corvane.INI"},
        {"/opt/app/corvane.tar.gz", "/opt/app/corvane.tar.INI"},
        {"/opt/app/.corvane", "/opt/app/.corvane.INI"},
        {"corvane", "corvane.INI"},
        {"", ""},
    };
    for (const auto& [program, ini] : cases)
        EXPECT_EQ(IniPathForProgram(program), ini) << program;
}

}  // namespace
}  // namespace corvane
