#pragma once

// The program's own version information, compiled in from the build's version:
// a translation table and string tables keyed by language and code page, read
// back the way Windows programs read their version resource.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct VersionTranslation {
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
};

struct VersionInfo {
    std::vector<VersionTranslation> translations;
    // Keyed by language and code page as eight upper-case hex digits ("080904E4").
    std::map<std::string, std::map<std::string, std::string, std::less<>>, std::less<>>
        stringTables;
};

// UK English, Windows-1252: "080904E4", with FileVersion from the build.
const VersionInfo& ProgramVersionInfo();

// The string value of the table named by the first translation; empty when there
// is no translation, no such table or no such value.
std::string ReadVersionString(const VersionInfo& info, std::string_view valueName);
std::string ReadVersionString(std::string_view valueName);

}  // namespace corvane
