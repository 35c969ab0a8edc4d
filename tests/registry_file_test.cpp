#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/registry_file.h"
#include "tests/support/environment_guard.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_size_limit.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

using test::ReadFileBytes;

constexpr const char* kSettingsKey = "\\Software\\Corvane\\SMSClient\\Settings";

fs::perms Mode(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

class RegistryFileTest : public ::testing::Test {
  protected:
    fs::path Folder() const { return fs::path(dir_.path().toStdString()) / "config" / "Corvane"; }
    std::string FilePath() const { return (Folder() / "registry.reg").string(); }

    // Each step opens its own Registry, as each access of the program does.
    Registry OpenSettings() {
        Registry registry(FilePath());
        EXPECT_TRUE(registry.OpenKey(kSettingsKey, true));
        return registry;
    }

    QTemporaryDir dir_;
};

TEST_F(RegistryFileTest, EveryTypeReadsBackThroughAnotherRegistry) {
    const std::string strings[] = {"", "say \"hi\"", "C:\\dir\\", "caf\xe9 \x80\xff",
                                   "two\r\nlines"};
    const std::int32_t numbers[] = {0, 2708, -1, INT32_MIN, INT32_MAX};
    const std::string blobs[] = {"", std::string("\0\x01\xff", 3), std::string(50, '\0')};
    for (const std::string& text : strings) {
        OpenSettings().WriteString("Signature", text);
        EXPECT_EQ(OpenSettings().ReadString("Signature"), text);
    }
    for (std::int32_t number : numbers) {
        OpenSettings().WriteInteger("ServerIPPort", number);
        EXPECT_EQ(OpenSettings().ReadInteger("ServerIPPort"), number);
    }
    for (const std::string& bytes : blobs) {
        OpenSettings().WriteBinaryData("ServerPassword", bytes);
        EXPECT_EQ(OpenSettings().ReadBinaryData("ServerPassword", 50), bytes);
    }
}

TEST_F(RegistryFileTest, WritesTheExportFormat) {
    Registry registry = OpenSettings();
    registry.WriteString("ServerIPAddress", "127.0.0.1");
    registry.WriteInteger("ServerIPPort", 2708);
    registry.WriteBinaryData("ServerPassword", "\x35\x1f\xc2\x07");
    ASSERT_TRUE(Registry(FilePath()).OpenKey("\\Software\\Corvane\\SMSClient\\WINDOW\\", true));
    EXPECT_EQ(ReadFileBytes(FilePath()),
              "REGEDIT4\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Corvane\\SMSClient\\Settings]\n"
              "\"ServerIPAddress\"=\"127.0.0.1\"\n"
              "\"ServerIPPort\"=dword:00000a94\n"
              "\"ServerPassword\"=hex:35,1f,c2,07\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Corvane\\SMSClient\\WINDOW]\n");
}

TEST_F(RegistryFileTest, ReadingAnotherTypeNamesTheValue) {
    Registry writer = OpenSettings();
    writer.WriteString("ServerIPPort", "2708");
    writer.WriteInteger("Top", 5);
    writer.WriteBinaryData("ServerPassword", std::string(51, 'x'));
    Registry reader = OpenSettings();
    struct Case {
        const char* name;
        std::function<void()> read;
    };
    const Case cases[] = {
        {"ServerIPPort", [&] { reader.ReadInteger("ServerIPPort"); }},
        {"ServerIPPort", [&] { reader.ReadBinaryData("ServerIPPort", 50); }},
        {"Top", [&] { reader.ReadString("Top"); }},
        {"ServerPassword", [&] { reader.ReadString("ServerPassword"); }},
        // A stored value longer than the reader takes fails like a wrong type.
        {"ServerPassword", [&] { reader.ReadBinaryData("ServerPassword", 50); }},
    };
    for (const Case& c : cases) {
        try {
            c.read();
            ADD_FAILURE() << "no error for " << c.name;
        } catch (const RegistryError& error) {
            EXPECT_EQ(std::string(error.what()),
                      std::string("Invalid data type for '") + c.name + "'");
        }
    }
    EXPECT_EQ(reader.ReadBinaryData("ServerPassword", 51), std::string(51, 'x'));
}

TEST_F(RegistryFileTest, MissingValueIsReportedNotInvented) {
    Registry registry = OpenSettings();
    EXPECT_FALSE(registry.ValueExists("Signature"));
    try {
        registry.ReadString("Signature");
        ADD_FAILURE() << "no error";
    } catch (const RegistryError& error) {
        EXPECT_STREQ(error.what(), "Failed to get data for 'Signature'");
    }
    registry.CloseKey();
    EXPECT_FALSE(registry.ValueExists("Signature"));
    EXPECT_THROW(registry.WriteString("Signature", "x"), RegistryError);
}

TEST_F(RegistryFileTest, OpeningWithoutCreateLeavesNoFile) {
    Registry registry(FilePath());
    EXPECT_FALSE(registry.OpenKey(kSettingsKey, false));
    EXPECT_FALSE(fs::exists(Folder()));
    EXPECT_TRUE(registry.OpenKey(kSettingsKey, true));
    EXPECT_TRUE(Registry(FilePath()).OpenKey(kSettingsKey, false));
    // Windows matches key names without regard to case.
    EXPECT_TRUE(Registry(FilePath()).OpenKey("\\SOFTWARE\\corvane\\SMSClient\\settings", false));
    EXPECT_FALSE(Registry(FilePath()).OpenKey("\\Software\\Corvane", false));
}

TEST_F(RegistryFileTest, KeyPathsTheFileCannotHoldAreRefused) {
    for (const char* key : {"", "\\", "\\\\Software", "\\Software\\\\Corvane", "\\Soft\nware"}) {
        EXPECT_FALSE(Registry(FilePath()).OpenKey(key, true)) << key;
    }
    EXPECT_FALSE(fs::exists(FilePath()));
    Registry registry = OpenSettings();
    EXPECT_THROW(registry.WriteString("Bad\nName", "x"), RegistryError);
}

TEST_F(RegistryFileTest, OpeningSeesWritesOfAnotherRegistry) {
    Registry first = OpenSettings();
    Registry second = OpenSettings();
    second.WriteString("Signature", "Ann");
    EXPECT_FALSE(first.ValueExists("Signature"));  // read when the key was opened
    first.WriteString("ServerLoginName", "ann");   // does not undo the other write
    first.CloseKey();
    ASSERT_TRUE(first.OpenKey(kSettingsKey, false));
    EXPECT_EQ(first.ReadString("Signature"), "Ann");
    EXPECT_EQ(first.ReadString("ServerLoginName"), "ann");
}

TEST_F(RegistryFileTest, FolderAndFileArePrivate) {
    OpenSettings().WriteString("ServerPassword", "x");
    EXPECT_EQ(Mode(Folder()), fs::perms::owner_all);
    EXPECT_EQ(Mode(Folder().parent_path()), fs::perms::owner_all);
    EXPECT_EQ(Mode(FilePath()), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(RegistryFileTest, AnOpenFileBecomesPrivateAtTheNextWrite) {
    fs::create_directories(Folder());
    std::ofstream(FilePath()) << "REGEDIT4\n";
    fs::permissions(FilePath(), fs::perms(0644));
    OpenSettings().WriteInteger("ServerIPPort", 1);
    EXPECT_EQ(Mode(FilePath()), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(RegistryFileTest, WritesLeaveNoTemporaryFiles) {
    for (int i = 0; i < 5; ++i)
        OpenSettings().WriteInteger("COL0", i);
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"registry.reg"});
}

// A write that cannot finish (here: the file size limit is reached) must leave
// the previous file whole.
TEST_F(RegistryFileTest, FailedWriteKeepsTheOldFile) {
    OpenSettings().WriteString("Signature", "Ann");
    const std::string before = ReadFileBytes(FilePath());

    std::optional<std::string> error;
    {
        test::FileSizeLimit limit(4096);
        try {
            OpenSettings().WriteString("Signature", std::string(100000, 'x'));
        } catch (const RegistryError& e) {
            error = e.what();
        }
    }

    EXPECT_EQ(error, "Failed to set data for 'Signature'");
    EXPECT_EQ(ReadFileBytes(FilePath()), before);
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"registry.reg"});
    EXPECT_EQ(OpenSettings().ReadString("Signature"), "Ann");
}

TEST_F(RegistryFileTest, HandEditedFileIsRead) {
    fs::create_directories(Folder());
    std::ofstream(FilePath(), std::ios::binary)
        << "REGEDIT4\r\n\r\n; "
           "mine\r\n[HKEY_CURRENT_USER\\Software\\Corvane\\SMSClient\\Settings]\r\n"
           "what is this\r\n\"ServerIPPort\"=dword:00000a94\r\n";
    Registry registry = OpenSettings();
    EXPECT_EQ(registry.ReadInteger("ServerIPPort"), 2708);
}

TEST(DefaultRegistryPath, FollowsTheConfigFolderOfTheDesktop) {
    test::EnvironmentGuard config("XDG_CONFIG_HOME");
    test::EnvironmentGuard home("HOME");
    setenv("HOME", "/home/ann", 1);
    setenv("XDG_CONFIG_HOME", "/srv/cfg", 1);
    EXPECT_EQ(DefaultRegistryPath(), "/srv/cfg/Corvane/registry.reg");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(DefaultRegistryPath(), "/home/ann/.config/Corvane/registry.reg");
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(DefaultRegistryPath(), "/home/ann/.config/Corvane/registry.reg");
    setenv("XDG_CONFIG_HOME", "relative/cfg", 1);  // not absolute: ignored
    EXPECT_EQ(DefaultRegistryPath(), "/home/ann/.config/Corvane/registry.reg");
}

}  // namespace
}  // namespace corvane
