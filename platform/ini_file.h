#pragma once

// Read-only access to an INI file, answering the way Windows' profile functions
// do: section and key names match without regard to case, values are trimmed and
// may be quoted, and a key given twice reads its first value. A section given
// twice reads as one.
// Texts are Windows-1252 bytes as stored in the file.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

class IniFile {
  public:
    // Reads the file at once; a missing or unreadable file answers every default.
    explicit IniFile(const std::string& path);

    // The value, which may be empty; `defaultValue` when the key is not there.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // The value as a decimal whole number with an optional sign; `defaultValue`
    // when the key is not there or its value is no such number in 32 bits.
    std::int32_t ReadInteger(const std::string& section, const std::string& key,
                             std::int32_t defaultValue) const;

  private:
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };
    const Entry* Find(const std::string& section, const std::string& key) const;

    std::vector<Entry> entries_;
};

// The INI file that belongs to a program: its path with the extension replaced by
// ".INI", or ".INI" appended when the file name has none. Empty for an empty path.
std::string IniPathForProgram(const std::string& programPath);

}  // namespace corvane
