#include "platform/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace corvane {

namespace {

// The base directory conventions ignore unset, empty and relative values.
std::string AbsoluteEnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/')
        return {};
    return value;
}

std::string UnderHome(const char* relative) {
    const std::string home = HomeFolder();
    if (home.empty())
        return {};
    return (home == "/" ? std::string() : home) + relative;
}

}  // namespace

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return {};
}

std::string ConfigHome() {
    std::string folder = AbsoluteEnvironmentPath("XDG_CONFIG_HOME");
    return folder.empty() ? UnderHome("/.config") : folder;
}

std::string DataHome() {
    std::string folder = AbsoluteEnvironmentPath("XDG_DATA_HOME");
    return folder.empty() ? UnderHome("/.local/share") : folder;
}

}  // namespace corvane
