#include "platform/version_info.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace corvane {

namespace {

constexpr const char* kFileVersion = CORVANE_FILE_VERSION;
constexpr const char* kProductName = "Corvane";

// "2.0.3.2" -> "2.0": the product is versioned by its major and minor numbers.
std::string ProductVersion(const std::string& fileVersion) {
    const auto firstDot = fileVersion.find('.');
    if (firstDot == std::string::npos)
        return fileVersion;
    return fileVersion.substr(0, fileVersion.find('.', firstDot + 1));
}

VersionInfo BuildProgramVersionInfo() {
    VersionInfo info;
    info.translations.push_back({0x0809, 0x04E4});
    info.stringTables["080904E4"] = {
        {"Comments", ""},
        {"CompanyName", "Corvane Software"},
        {"FileDescription", kProductName},
        {"FileVersion", kFileVersion},
        {"InternalName", kProductName},
        {"LegalCopyright", "Copyright (C) 2026 Corvane Software"},
        {"LegalTrademarks", ""},
        {"OriginalFilename", kProductName},
        {"ProductName", kProductName},
        {"ProductVersion", ProductVersion(kFileVersion)},
    };
    return info;
}

}  // namespace

const VersionInfo& ProgramVersionInfo() {
    static const VersionInfo info = BuildProgramVersionInfo();
    return info;
}

std::string ReadVersionString(const VersionInfo& info, std::string_view valueName) {
    if (info.translations.empty())
        return {};
    const VersionTranslation& first = info.translations.front();
    char key[16];
    std::snprintf(key, sizeof key, "%04x%04x", static_cast<unsigned>(first.language),
                  static_cast<unsigned>(first.codePage));
    std::string tableKey = key;
    std::transform(tableKey.begin(), tableKey.end(), tableKey.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    const auto table = info.stringTables.find(tableKey);
    if (table == info.stringTables.end())
        return {};
    const auto value = table->second.find(valueName);
    return value == table->second.end() ? std::string() : value->second;
}

std::string ReadVersionString(std::string_view valueName) {
    return ReadVersionString(ProgramVersionInfo(), valueName);
}

}  // namespace corvane
