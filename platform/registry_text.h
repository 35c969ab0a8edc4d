#pragma once

// The text form of the per-user registry file: the Windows registry export format
// ("REGEDIT4"), so the user can read and edit it or carry values over from a
// Windows export. Values are Windows-1252 byte strings.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum class RegistryType {
    String,   // "text"; also hex(1) and hex(2) as exported by Windows
    Integer,  // dword:0000000a
    Binary,   // hex:01,02
    Other,    // any other type Windows exports (hex(7), hex(b), ...): kept as written, never read
};

struct RegistryValue {
    std::string name;  // empty for the key's default value, written "@"
    RegistryType type = RegistryType::String;
    std::string data;          // the text, the bytes, or for Other the text after "="
    std::uint32_t number = 0;  // the Integer value
};

struct RegistryKey {
    std::string path;  // the header without brackets: "HKEY_CURRENT_USER\Software\..."
    std::vector<RegistryValue> values;

    // Key and value names are matched without regard to ASCII case, as Windows does.
    RegistryValue* FindValue(std::string_view name);
    const RegistryValue* FindValue(std::string_view name) const;
    // Replaces the value of the same name in place, or appends it.
    void SetValue(RegistryValue value);
};

struct RegistryDocument {
    std::vector<RegistryKey> keys;

    RegistryKey* FindKey(std::string_view path);
    const RegistryKey* FindKey(std::string_view path) const;
    // The key of that path, appended empty when it is not there yet.
    RegistryKey& AddKey(std::string_view path);
};

// Reads REGEDIT4 text, and Windows' "Version 5.00" exports (UTF-16 or UTF-8 files,
// hex values continued over lines ending in a backslash). Blank lines, ';' comments
// and either line end are accepted; a line that cannot be read is skipped, as are
// deletion entries. A key given twice is merged; a value given twice keeps the last.
RegistryDocument ParseRegistryText(std::string_view text);

// Writes REGEDIT4 text with LF line ends and a blank line before every key. A string
// holding a line break or a zero byte, which a quoted string cannot carry, is written
// as hex(1) bytes with a closing zero byte, the way Windows exports such a string.
std::string FormatRegistryText(const RegistryDocument& document);

// True when `name` can stand in the text: no zero byte and no line break.
bool IsWritableRegistryName(std::string_view name);

}  // namespace corvane
