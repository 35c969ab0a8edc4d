#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/registry_file.h"
#include "session/support.h"
#include "settings/settings_store.h"
#include "tests/support/box_recorder.h"
#include "tests/support/environment_guard.h"
#include "tests/support/temp_profile.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Every folder the load looks at lies in a temporary folder of the test.
class SettingsStoreTest : public ::testing::Test {
  protected:
    std::string DefaultFolder() const { return profile_.DataFolder(); }

    void WriteIni(const std::string& text) {
        fs::create_directories(root_ + "/opt");
        std::ofstream(env_.iniPath) << text;
    }

    template <typename Access>
    void WithSettings(Access access) {
        profile_.WithSettings(access);
    }

    bool Load() {
        settings_ = AppSettings();
        return LoadSettings(settings_, env_);
    }

    test::TempProfile profile_;
    const std::string& root_ = profile_.Root();
    SettingsEnvironment& env_ = profile_.Environment();
    AppSettings settings_;
};

TEST_F(SettingsStoreTest, FirstRunWithoutIniTakesTheBuiltInDefaults) {
    EXPECT_TRUE(Load());
    EXPECT_TRUE(fs::is_directory(DefaultFolder()));
    EXPECT_EQ(settings_.DataFolder, DefaultFolder());
    EXPECT_EQ(settings_.ServerIPAddress, "");
    EXPECT_EQ(settings_.ServerIPPort, 2708);
    EXPECT_EQ(settings_.DefaultCountryCode, "44");
    EXPECT_EQ(settings_.Signature, "");
    EXPECT_EQ(settings_.ServerPassword, "");
    WithSettings([&](Registry& r) { EXPECT_EQ(r.ReadString("DBName"), DefaultFolder()); });
}

TEST_F(SettingsStoreTest, FirstRunTakesTheIniDefaults) {
    WriteIni("[DefaultSetup]\nIPAddress=sms.example.net\nIPPort=2709\nDefaultCountryCode=353\n");
    EXPECT_TRUE(Load());
    EXPECT_EQ(settings_.ServerIPAddress, "sms.example.net");
    EXPECT_EQ(settings_.ServerIPPort, 2709);
    // No country code is stored yet, and the INI file's one is the one the user asked for.
    EXPECT_EQ(settings_.DefaultCountryCode, "353");
}

TEST_F(SettingsStoreTest, StoredValuesOutrankTheIniOnTheFirstRun) {
    WriteIni("[DefaultSetup]\nIPAddress=ini.example.net\nIPPort=1\nDefaultCountryCode=353\n");
    WithSettings([](Registry& r) {
        r.WriteInteger("ServerIPPort", 4000);
        r.WriteString("DefaultCountryCode", "49");
    });
    EXPECT_TRUE(Load());
    EXPECT_EQ(settings_.ServerIPAddress, "ini.example.net");
    EXPECT_EQ(settings_.ServerIPPort, 4000);
    EXPECT_EQ(settings_.DefaultCountryCode, "49");
}

TEST_F(SettingsStoreTest, LaterStartReadsOnlyTheRegistry) {
    WriteIni("[DefaultSetup]\nIPAddress=sms.example.net\nIPPort=2709\nDefaultCountryCode=353\n");
    ASSERT_TRUE(Load());
    EXPECT_FALSE(Load());
    EXPECT_EQ(settings_.ServerIPAddress, "");
    EXPECT_EQ(settings_.ServerIPPort, 0);  // the setup dialog then asks for it
    EXPECT_EQ(settings_.DefaultCountryCode, "44");
    EXPECT_EQ(settings_.DataFolder, DefaultFolder());
}

TEST_F(SettingsStoreTest, LaterStartReadsEveryStoredValue) {
    ASSERT_TRUE(Load());
    WithSettings([](Registry& r) {
        r.WriteString("ServerIPAddress", "10.1.2.3");
        r.WriteInteger("ServerIPPort", 2708);
        r.WriteString("Signature", "Ann");
        WriteScrambledValue(r, "SenderNumber", "447700900123");
        r.WriteString("ServerLoginName", "ann");
        WriteScrambledValue(r, "ServerPassword", "s3cret");
        r.WriteString("DefaultCountryCode", "1");
    });
    EXPECT_FALSE(Load());
    EXPECT_EQ(settings_.ServerIPAddress, "10.1.2.3");
    EXPECT_EQ(settings_.ServerIPPort, 2708);
    EXPECT_EQ(settings_.Signature, "Ann");
    EXPECT_EQ(settings_.SenderNumber, "447700900123");
    EXPECT_EQ(settings_.ServerLoginName, "ann");
    EXPECT_EQ(settings_.ServerPassword, "s3cret");
    EXPECT_EQ(settings_.DefaultCountryCode, "1");
}

TEST_F(SettingsStoreTest, DBNameElsewhereMovesTheDataFolder) {
    ASSERT_TRUE(Load());
    WithSettings([&](Registry& r) { r.WriteString("DBName", root_ + "/elsewhere"); });
    EXPECT_FALSE(Load());
    EXPECT_EQ(settings_.DataFolder, root_ + "/elsewhere");
    EXPECT_EQ(DataFolderDefault(env_), DefaultFolder());
}

TEST_F(SettingsStoreTest, DataFolderFallsBackUnderTheHomeFolder) {
    struct Case {
        std::string dataHome;
        std::string expected;
    };
    const Case cases[] = {
        {root_ + "/share", root_ + "/share/Corvane/Data"},
        {root_ + "/share/", root_ + "/share/Corvane/Data"},
        {root_ + "/no-such-folder", root_ + "/home/Corvane/Data"},
        {"", root_ + "/home/Corvane/Data"},
    };
    for (const Case& c : cases) {
        env_.dataHome = c.dataHome;
        EXPECT_EQ(DataFolderDefault(env_), c.expected) << c.dataHome;
    }
    EXPECT_TRUE(Load());  // the missing home folder is made along with the data folder
    EXPECT_TRUE(fs::is_directory(root_ + "/home/Corvane/Data"));
}

TEST_F(SettingsStoreTest, FolderThatCannotBeMadeIsNoError) {
    std::ofstream(root_ + "/share/Corvane") << "a file in the way";
    EXPECT_TRUE(Load());
    EXPECT_EQ(settings_.DataFolder, DefaultFolder());
    EXPECT_EQ(settings_.ServerIPPort, 2708);
    EXPECT_TRUE(Load());  // still no folder: still a first run
}

TEST_F(SettingsStoreTest, WrongTypedValueIsShownAndTheRestIsRead) {
    ASSERT_TRUE(Load());
    WithSettings([](Registry& r) {
        r.WriteString("ServerIPAddress", "10.1.2.3");
        r.WriteString("ServerIPPort", "2708");
        r.WriteString("Signature", "Ann");
        r.WriteInteger("ServerLoginName", 7);
        WriteScrambledValue(r, "ServerPassword", "pw");
        r.WriteString("DefaultCountryCode", "353");
    });
    test::BoxRecorder boxes;
    EXPECT_FALSE(Load());
    const std::vector<BoxRequest> shown = boxes.Take();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].kind, BoxKind::Exception);
    EXPECT_EQ(shown[0].title, "Corvane");
    EXPECT_EQ(shown[0].text, "Invalid data type for 'ServerIPPort'");
    EXPECT_EQ(shown[1].text, "Invalid data type for 'ServerLoginName'");
    EXPECT_EQ(settings_.ServerIPAddress, "10.1.2.3");
    EXPECT_EQ(settings_.ServerIPPort, 0);
    EXPECT_EQ(settings_.Signature, "Ann");
    EXPECT_EQ(settings_.ServerLoginName, "");
    EXPECT_EQ(settings_.ServerPassword, "pw");
    EXPECT_EQ(settings_.DefaultCountryCode, "353");
}

TEST_F(SettingsStoreTest, WrongTypedCountryCodeFallsBackToTheDefault) {
    ASSERT_TRUE(Load());
    WithSettings([](Registry& r) { r.WriteInteger("DefaultCountryCode", 44); });
    test::BoxRecorder boxes;
    EXPECT_FALSE(Load());
    EXPECT_EQ(boxes.TakeTexts(),
              std::vector<std::string>{"Invalid data type for 'DefaultCountryCode'"});
    EXPECT_EQ(settings_.DefaultCountryCode, "44");
}

TEST_F(SettingsStoreTest, TwentyCharacterPasswordIsStoredAsTwentyBytes) {
    const std::string password = "abcdefghij0123456789";
    ASSERT_TRUE(Load());
    WithSettings([&](Registry& r) { WriteScrambledValue(r, "ServerPassword", password); });
    WithSettings([&](Registry& r) {
        const std::string stored = r.ReadBinaryData("ServerPassword", 50);
        EXPECT_EQ(stored.size(), 20u);
        EXPECT_NE(stored, password);
    });
    EXPECT_FALSE(Load());
    EXPECT_EQ(settings_.ServerPassword, password);
}

// "R" is the first key byte of TRIGOLDEX, so this password scrambles to a leading
// zero byte; read as a zero-terminated text it would come back empty.
TEST_F(SettingsStoreTest, PasswordScramblingToAZeroByteReadsBackWhole) {
    const std::string password = "Rover2708";
    ASSERT_TRUE(Load());
    WithSettings([&](Registry& r) { WriteScrambledValue(r, "ServerPassword", password); });
    WithSettings([&](Registry& r) {
        const std::string stored = r.ReadBinaryData("ServerPassword", 50);
        ASSERT_EQ(stored.size(), password.size());
        EXPECT_EQ(stored[0], '\0');
    });
    EXPECT_FALSE(Load());
    EXPECT_EQ(settings_.ServerPassword, password);
}

// Bytes as earlier versions stored "secret" (ScrambleText with TRIGOLDEX, one byte
// per character), written into the file by hand.
TEST_F(SettingsStoreTest, ValuesStoredByEarlierVersionsReadBack) {
    ASSERT_TRUE(Load());
    std::ofstream(env_.registryPath, std::ios::app)
        << "\"ServerPassword\"=hex:21,f7,b6,4e,19,ec\n"
           "\"SenderNumber\"=hex:66,a6,e2,0b,4c,a8,da,f0,62,a3\n";
    EXPECT_FALSE(Load());
    EXPECT_EQ(settings_.ServerPassword, "secret");
    EXPECT_EQ(settings_.SenderNumber, "4477009001");
}

TEST_F(SettingsStoreTest, ScrambledValueOverFiftyBytesIsShown) {
    ASSERT_TRUE(Load());
    WithSettings([](Registry& r) {
        r.WriteBinaryData("ServerPassword", std::string(51, 'x'));
        WriteScrambledValue(r, "SenderNumber", std::string(50, '7'));
        r.WriteString("DefaultCountryCode", "353");
    });
    test::BoxRecorder boxes;
    EXPECT_FALSE(Load());
    EXPECT_EQ(boxes.TakeTexts(),
              std::vector<std::string>{"Invalid data type for 'ServerPassword'"});
    EXPECT_EQ(settings_.ServerPassword, "");
    EXPECT_EQ(settings_.SenderNumber, std::string(50, '7'));
    EXPECT_EQ(settings_.DefaultCountryCode, "353");
}

TEST(SettingsEnvironment, TakesTheFoldersOfTheDesktopAndTheProgramFile) {
    test::EnvironmentGuard home("HOME");
    test::EnvironmentGuard data("XDG_DATA_HOME");
    test::EnvironmentGuard config("XDG_CONFIG_HOME");
    setenv("HOME", "/home/ann", 1);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_CONFIG_HOME");
    SettingsEnvironment env = SettingsEnvironment::FromProcess();
    EXPECT_EQ(env.homeDir, "/home/ann");
    EXPECT_EQ(env.dataHome, "/home/ann/.local/share");
    EXPECT_EQ(env.registryPath, "/home/ann/.config/Corvane/registry.reg");
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    EXPECT_EQ(env.iniPath, program + ".INI");  // the test program's name has no extension
    setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(SettingsEnvironment::FromProcess().dataHome, "/srv/data");
}

TEST(SignatureSuffix, SuffixAndEditorLimit) {
    struct Case {
        std::size_t signatureLength;
        std::size_t suffixLength;
        int memoLimit;
    };
    const Case cases[] = {{0, 0, 804}, {3, 6, 798}, {800, 803, 1}, {801, 804, 0}, {5000, 5003, 0}};
    for (const Case& c : cases) {
        AppSettings settings;
        settings.Signature = std::string(c.signatureLength, 'a');
        const std::string suffix = SignatureSuffix(settings);
        EXPECT_EQ(suffix.size(), c.suffixLength) << c.signatureLength;
        EXPECT_EQ(MemoLimit(suffix), c.memoLimit) << c.signatureLength;
    }
    AppSettings settings;
    settings.Signature = "Ann";
    EXPECT_EQ(SignatureSuffix(settings), " <Ann>");
}

TEST(ApplySettingsToSocket, NumericAddressOrHostName) {
    using Kind = SocketTarget::Kind;
    const std::pair<const char*, Kind> cases[] = {
        {"192.168.1.20", Kind::Address},
        {"127.0.0.1", Kind::Address},
        {"", Kind::Address},
        {"192.168.1.20a", Kind::Host},
        {"sms-gw.example.net", Kind::Host},
        {"10-0-0-1", Kind::Host},
        {"localhost", Kind::Host},
        {" 10.0.0.1", Kind::Host},
    };
    for (const auto& [address, kind] : cases) {
        AppSettings settings;
        settings.ServerIPAddress = address;
        settings.ServerIPPort = 2708;
        EXPECT_EQ(ApplySettingsToSocket(settings), (SocketTarget{kind, address, 2708})) << address;
    }
}

}  // namespace
}  // namespace corvane
