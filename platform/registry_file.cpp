#include "platform/registry_file.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/user_folders.h"

namespace corvane {

namespace {

constexpr std::string_view kRootKey = "HKEY_CURRENT_USER";

RegistryError WrongType(const std::string& name) {
    return RegistryError("Invalid data type for '" + name + "'");
}
RegistryError ReadFailed(const std::string& name) {
    return RegistryError("Failed to get data for '" + name + "'");
}
RegistryError WriteFailed(const std::string& name) {
    return RegistryError("Failed to set data for '" + name + "'");
}

QString NativePath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// "\Software\Corvane" -> "HKEY_CURRENT_USER\Software\Corvane"; nothing for a path
// the file cannot hold.
std::optional<std::string> HeaderPath(std::string_view key) {
    if (key.starts_with('\\'))
        key.remove_prefix(1);
    if (key.ends_with('\\'))
        key.remove_suffix(1);
    if (key.empty() || key.starts_with('\\') || key.ends_with('\\') ||
        key.find("\\\\") != std::string_view::npos || !IsWritableRegistryName(key)) {
        return std::nullopt;
    }
    return std::string(kRootKey) + "\\" + std::string(key);
}

// Missing folders are made private to the user, as the settings include a password.
bool MakeFolders(const std::filesystem::path& folder) {
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error))
        return true;
    if (!MakeFolders(folder.parent_path()))
        return false;
    if (!std::filesystem::create_directory(folder, error) && error)
        return false;
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, error);
    return !error;
}

enum class LoadResult { Loaded, Missing, Unreadable };

LoadResult LoadDocument(const std::string& path, RegistryDocument& document) {
    document = {};
    QFile file(NativePath(path));
    if (!file.exists())
        return LoadResult::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return LoadResult::Unreadable;
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return LoadResult::Unreadable;
    document = ParseRegistryText(std::string_view(text.constData(), text.size()));
    return LoadResult::Loaded;
}

// Writes a new file beside the old one and renames it over it, so a failed write
// leaves the old file whole and a reader never sees half a file.
bool SaveDocument(const std::string& path, const RegistryDocument& document) {
    if (!MakeFolders(std::filesystem::path(path).parent_path()))
        return false;
    QSaveFile file(NativePath(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        file.cancelWriting();
        return false;
    }
    const std::string text = FormatRegistryText(document);
    if (file.write(text.data(), static_cast<qint64>(text.size())) !=
        static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace

std::string DefaultRegistryPath() {
    return ConfigHome() + "/Corvane/registry.reg";
}

Registry::Registry(std::string path) : path_(std::move(path)) {}

bool Registry::OpenKey(const std::string& key, bool canCreate) {
    CloseKey();
    std::optional<std::string> header = HeaderPath(key);
    if (!header)
        return false;
    if (LoadDocument(path_, document_) == LoadResult::Unreadable)
        return false;
    if (document_.FindKey(*header) == nullptr) {
        if (!canCreate)
            return false;
        document_.AddKey(*header);
        if (!SaveDocument(path_, document_)) {
            document_ = {};
            return false;
        }
    }
    openKey_ = std::move(header);
    return true;
}

void Registry::CloseKey() {
    openKey_.reset();
    document_ = {};
}

bool Registry::ValueExists(const std::string& name) const {
    if (!openKey_)
        return false;
    const RegistryKey* key = document_.FindKey(*openKey_);
    return key != nullptr && key->FindValue(name) != nullptr;
}

const RegistryValue& Registry::Find(const std::string& name, RegistryType type) const {
    const RegistryKey* key = openKey_ ? document_.FindKey(*openKey_) : nullptr;
    const RegistryValue* value = key != nullptr ? key->FindValue(name) : nullptr;
    if (value == nullptr)
        throw ReadFailed(name);
    if (value->type != type)
        throw WrongType(name);
    return *value;
}

std::string Registry::ReadString(const std::string& name) const {
    return Find(name, RegistryType::String).data;
}

std::int32_t Registry::ReadInteger(const std::string& name) const {
    return static_cast<std::int32_t>(Find(name, RegistryType::Integer).number);
}

std::string Registry::ReadBinaryData(const std::string& name, std::size_t maxBytes) const {
    const RegistryValue& value = Find(name, RegistryType::Binary);
    if (value.data.size() > maxBytes)
        throw WrongType(name);
    return value.data;
}

void Registry::WriteString(const std::string& name, const std::string& value) {
    Write({name, RegistryType::String, value, 0});
}

void Registry::WriteInteger(const std::string& name, std::int32_t value) {
    Write({name, RegistryType::Integer, {}, static_cast<std::uint32_t>(value)});
}

void Registry::WriteBinaryData(const std::string& name, const std::string& data) {
    Write({name, RegistryType::Binary, data, 0});
}

// Applies the change to the file as it is now, not as it was when the key was
// opened, so a write never undoes what another Registry wrote in between.
void Registry::Write(RegistryValue value) {
    const std::string name = value.name;
    if (!openKey_ || !IsWritableRegistryName(name))
        throw WriteFailed(name);
    RegistryDocument current;
    if (LoadDocument(path_, current) == LoadResult::Unreadable)
        throw WriteFailed(name);
    current.AddKey(*openKey_).SetValue(std::move(value));
    if (!SaveDocument(path_, current))
        throw WriteFailed(name);
    document_ = std::move(current);
}

}  // namespace corvane
