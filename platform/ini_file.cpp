#include "platform/ini_file.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <string_view>

#include "platform/ascii_text.h"

namespace corvane {

namespace {

// A value wholly enclosed in a pair of double or single quotes loses them.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

IniFile::IniFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string_view rest = text;
    if (rest.starts_with("\xEF\xBB\xBF"))
        rest.remove_prefix(3);  // saved by an editor as UTF-8
    std::string section;
    bool inSection = false;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        line = TrimBlanks(line);
        if (line.empty() || line.starts_with(';'))
            continue;
        if (line.starts_with('[')) {
            const auto close = line.find(']');
            inSection = close != std::string_view::npos;
            if (inSection)
                section = TrimBlanks(line.substr(1, close - 1));
            continue;
        }
        const auto equals = line.find('=');
        if (!inSection || equals == std::string_view::npos)
            continue;
        const std::string_view key = TrimBlanks(line.substr(0, equals));
        if (key.empty())
            continue;
        entries_.push_back(
            {section, std::string(key), std::string(Unquote(TrimBlanks(line.substr(equals + 1))))});
    }
}

const IniFile::Entry* IniFile::Find(const std::string& section, const std::string& key) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return EqualsIgnoringCase(entry.section, section) && EqualsIgnoringCase(entry.key, key);
    });
    return found == entries_.end() ? nullptr : &*found;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    const Entry* entry = Find(section, key);
    return entry != nullptr ? entry->value : defaultValue;
}

std::int32_t IniFile::ReadInteger(const std::string& section, const std::string& key,
                                  std::int32_t defaultValue) const {
    const Entry* entry = Find(section, key);
    if (entry == nullptr)
        return defaultValue;
    std::string_view digits = entry->value;
    if (digits.starts_with('+') && digits.size() > 1 && digits[1] != '-')
        digits.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return defaultValue;
    return value;
}

std::string IniPathForProgram(const std::string& programPath) {
    if (programPath.empty())
        return {};
    const auto nameStart = programPath.rfind('/') + 1;  // 0 when there is no folder part
    const auto dot = programPath.rfind('.');
    // A dot that starts the name marks a hidden file, not an extension.
    if (dot == std::string::npos || dot <= nameStart)
        return programPath + ".INI";
    return programPath.substr(0, dot) + ".INI";
}

}  // namespace corvane
