#pragma once

// The current user's registry branch, kept in one file per user in the Windows
// registry export format (see registry_text.h). Like the registry it stands in
// for, every access opens a key, reads or writes values and closes it again;
// opening re-reads the file, so writes made by any other Registry are seen.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/registry_text.h"

namespace corvane {

// A value read as another type than it is stored with ("Invalid data type for
// 'Name'"), a value that is not there ("Failed to get data for 'Name'"), or a write
// that could not be saved ("Failed to set data for 'Name'").
class RegistryError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// $XDG_CONFIG_HOME/Corvane/registry.reg, by default ~/.config/Corvane/registry.reg.
std::string DefaultRegistryPath();

class Registry {
  public:
    explicit Registry(std::string path = DefaultRegistryPath());

    const std::string& Path() const { return path_; }

    // Opens a key of HKEY_CURRENT_USER given as "\Software\Corvane\SMSClient\Settings"
    // (the leading backslash may be left out; the path always starts at the root).
    // With canCreate a missing key is created and saved at once. False when the key
    // is missing and not created, when the file cannot be read, or for a path with an
    // empty part or a line break.
    bool OpenKey(const std::string& key, bool canCreate);
    void CloseKey();

    // False when no key is open.
    bool ValueExists(const std::string& name) const;

    // Each read throws RegistryError when the value is missing or of another type.
    std::string ReadString(const std::string& name) const;
    std::int32_t ReadInteger(const std::string& name) const;
    // The stored bytes; a stored value longer than maxBytes fails as a wrong type.
    std::string ReadBinaryData(const std::string& name, std::size_t maxBytes) const;

    // Each write replaces the file at once and throws RegistryError when it cannot.
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, std::int32_t value);
    void WriteBinaryData(const std::string& name, const std::string& data);

  private:
    const RegistryValue& Find(const std::string& name, RegistryType type) const;
    void Write(RegistryValue value);

    std::string path_;
    std::optional<std::string> openKey_;  // the open key's header path
    RegistryDocument document_;           // the file as read when the key was opened
};

}  // namespace corvane
