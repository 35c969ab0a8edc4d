#pragma once

// Loading the user's settings at start: where the data folder is, the first-run
// defaults from the INI file beside the program, and the values kept in the
// registry; and the values derived from the settings.

#include <cstddef>
#include <string>

#include "session/socket_target.h"
#include "settings/app_settings.h"

namespace corvane {

class Registry;

inline constexpr const char* kSettingsKey = "\\Software\\Corvane\\SMSClient\\Settings";

// The password and the sender number are read back from at most this many bytes;
// their editors keep the texts within it.
inline constexpr std::size_t kScrambledValueLimit = 50;

// What the load reads from outside the program, so tests can point it elsewhere.
struct SettingsEnvironment {
    std::string dataHome;      // $XDG_DATA_HOME, else $HOME/.local/share (may be empty)
    std::string homeDir;       // $HOME
    std::string iniPath;       // the INI file beside the program file
    std::string registryPath;  // DefaultRegistryPath()

    static SettingsEnvironment FromProcess();
};

// <dataHome>/Corvane/Data when dataHome is an existing folder, else <homeDir>/Corvane/Data.
std::string DataFolderDefault(const SettingsEnvironment& env);

// Fills `settings` and returns FirstRun: true when no folder was found at
// DataFolderDefault, which is then created, recorded as "DBName" and seeded from
// the INI file. A registry value that cannot be read is shown in the exception
// box and keeps its previous contents; the load goes on with the next value.
bool LoadSettings(AppSettings& settings, const SettingsEnvironment& env);

// " <Signature>", or empty for an empty signature.
std::string SignatureSuffix(const AppSettings& settings);

// The editor's length limit: six 134-character parts less the signature suffix,
// never below 0.
int MemoLimit(const std::string& signatureSuffix);

// A ServerIPAddress of digits and dots only (or empty) is a numeric address,
// anything else a host name to resolve; the port is ServerIPPort.
SocketTarget ApplySettingsToSocket(const AppSettings& settings);

// Stores `text` scrambled with TRIGOLDEX as binary data of the text's length,
// under the key open in `registry`. Throws RegistryError when it cannot be saved.
void WriteScrambledValue(Registry& registry, const std::string& name, const std::string& text);

}  // namespace corvane
