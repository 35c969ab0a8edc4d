#include "settings/settings_store.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/registry_file.h"
#include "platform/user_folders.h"
#include "session/support.h"

namespace corvane {

namespace {

namespace fs = std::filesystem;

constexpr const char* kIniSection = "DefaultSetup";
constexpr std::int32_t kDefaultPort = 2708;
constexpr const char* kDefaultCountryCode = "44";
constexpr int kMessageCharacters = 804;  // six parts of 134 characters

std::string JoinPath(std::string folder, const char* relative) {
    while (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    return folder + relative;
}

// Reads one registry value when it exists. A value that cannot be read is shown,
// and its field keeps what it held, so one bad value costs no other setting.
template <typename Read>
bool ReadValue(const Registry& registry, const char* name, Read read) {
    if (!registry.ValueExists(name))
        return false;
    try {
        read();
        return true;
    } catch (const RegistryError& error) {
        ShowException(error.what());
        return false;
    }
}

// Unscrambles the whole stored value, so a text whose scrambled form holds a zero
// byte still reads back complete; values stored with the length of their text by
// earlier versions read back as they always did.
std::string ReadScrambledValue(const Registry& registry, const std::string& name) {
    std::string bytes = registry.ReadBinaryData(name, kScrambledValueLimit);
    ScrambleBytes(bytes, TRIGOLDEX);
    return bytes.substr(0, bytes.find('\0'));
}

void RecordDataFolder(const std::string& registryPath, const std::string& folder) {
    Registry registry(registryPath);
    if (!registry.OpenKey(kSettingsKey, true))
        return;
    try {
        registry.WriteString("DBName", folder);
    } catch (const RegistryError& error) {
        ShowException(error.what());
    }
    registry.CloseKey();
}

void ReadIniDefaults(AppSettings& settings, const std::string& iniPath) {
    const IniFile ini(iniPath);
    settings.ServerIPAddress = ini.ReadString(kIniSection, "IPAddress", "");
    settings.ServerIPPort = ini.ReadInteger(kIniSection, "IPPort", kDefaultPort);
    settings.DefaultCountryCode =
        ini.ReadString(kIniSection, "DefaultCountryCode", kDefaultCountryCode);
}

void ReadRegistryValues(AppSettings& settings, const std::string& registryPath, bool firstRun) {
    Registry registry(registryPath);
    bool haveCountryCode = false;
    if (registry.OpenKey(kSettingsKey, true)) {
        const Registry& r = registry;
        ReadValue(r, "ServerIPAddress",
                  [&] { settings.ServerIPAddress = r.ReadString("ServerIPAddress"); });
        ReadValue(r, "ServerIPPort",
                  [&] { settings.ServerIPPort = r.ReadInteger("ServerIPPort"); });
        ReadValue(r, "Signature", [&] { settings.Signature = r.ReadString("Signature"); });
        ReadValue(r, "DBName", [&] { settings.DataFolder = r.ReadString("DBName"); });
        ReadValue(r, "SenderNumber",
                  [&] { settings.SenderNumber = ReadScrambledValue(r, "SenderNumber"); });
        ReadValue(r, "ServerLoginName",
                  [&] { settings.ServerLoginName = r.ReadString("ServerLoginName"); });
        ReadValue(r, "ServerPassword",
                  [&] { settings.ServerPassword = ReadScrambledValue(r, "ServerPassword"); });
        haveCountryCode = ReadValue(r, "DefaultCountryCode", [&] {
            settings.DefaultCountryCode = r.ReadString("DefaultCountryCode");
        });
        registry.CloseKey();
    }
    // On the first run the INI file's country code stands until the setup dialog
    // stores one; later the program's own default applies.
    if (!haveCountryCode && !firstRun)
        settings.DefaultCountryCode = kDefaultCountryCode;
}

}  // namespace

SettingsEnvironment SettingsEnvironment::FromProcess() {
    SettingsEnvironment env;
    env.dataHome = DataHome();
    env.homeDir = HomeFolder();
    if (QCoreApplication::instance() != nullptr) {
        env.iniPath = IniPathForProgram(
            QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
    }
    env.registryPath = DefaultRegistryPath();
    return env;
}

std::string DataFolderDefault(const SettingsEnvironment& env) {
    std::error_code error;
    if (!env.dataHome.empty() && fs::is_directory(env.dataHome, error)) {
        return JoinPath(env.dataHome, "/Corvane/Data");
    }
    return JoinPath(env.homeDir, "/Corvane/Data");
}

bool LoadSettings(AppSettings& settings, const SettingsEnvironment& env) {
    const std::string dataFolder = DataFolderDefault(env);
    settings.DataFolder = dataFolder;
    std::error_code error;
    const bool firstRun = !fs::is_directory(dataFolder, error);
    if (firstRun) {
        // A folder that cannot be made is not reported here: the data files
        // report their own failures when they are written.
        fs::create_directories(dataFolder, error);
        RecordDataFolder(env.registryPath, dataFolder);
        ReadIniDefaults(settings, env.iniPath);
    }
    ReadRegistryValues(settings, env.registryPath, firstRun);
    return firstRun;
}

std::string SignatureSuffix(const AppSettings& settings) {
    return settings.Signature.empty() ? std::string() : " <" + settings.Signature + ">";
}

int MemoLimit(const std::string& signatureSuffix) {
    const auto length = std::min<std::size_t>(signatureSuffix.size(), kMessageCharacters);
    return kMessageCharacters - static_cast<int>(length);
}

SocketTarget ApplySettingsToSocket(const AppSettings& settings) {
    const std::string& address = settings.ServerIPAddress;
    const bool numeric = std::all_of(address.begin(), address.end(),
                                     [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
    return {numeric ? SocketTarget::Kind::Address : SocketTarget::Kind::Host, address,
            settings.ServerIPPort};
}

void WriteScrambledValue(Registry& registry, const std::string& name, const std::string& text) {
    std::string bytes = text.substr(0, text.find('\0'));
    ScrambleBytes(bytes, TRIGOLDEX);
    registry.WriteBinaryData(name, bytes);
}

}  // namespace corvane
