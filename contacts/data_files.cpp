#include "contacts/data_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/dialogs.h"
#include "platform/win1252.h"

namespace corvane {

namespace {

// The lists hold the user's contacts and messages: readable by the user alone.
constexpr mode_t kDataFileMode = 0600;

// The data folder is kept as the file system's own bytes, as the settings
// store finds and records it, so any folder name reaches the same folder.
QString QtPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QByteArray NativePath(const std::string& path) {
    return QByteArray::fromStdString(path);
}

std::vector<std::string> SplitLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

// The file form of entries [first, end): each up to any NUL (which would end the
// text when read back, losing every later entry), then CR LF.
std::string FileText(const std::vector<std::string>& entries, std::size_t first) {
    std::size_t size = 0;
    for (std::size_t i = first; i < entries.size(); ++i)
        size += entries[i].size() + 2;
    std::string text;
    text.reserve(size);
    for (std::size_t i = first; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        text.append(entry, 0, entry.find('\0'));
        text += "\r\n";
    }
    return text;
}

// Whether `text` is exactly what FileText gives for the entries it splits into:
// CR LF after every entry, no other line end, no NUL.
bool IsInFileForm(std::string_view text) {
    if (text.empty())
        return true;
    if (text.size() < 2 || text.substr(text.size() - 2) != "\r\n")
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\0')
            return false;
        if (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
        if (c == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    }
    return true;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

DataFileStamp StampOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size), static_cast<std::int64_t>(info.st_mtim.tv_sec),
            static_cast<std::int64_t>(info.st_mtim.tv_nsec)};
}

// Appends `bytes` to the file at `path` provided it is still exactly as `expected`
// says. On a failed write the file is cut back to its old length, so that a later
// full rewrite, or the next try, finds no half line. Returns the new stamp.
std::optional<DataFileStamp> AppendToFile(const std::string& path, const DataFileStamp& expected,
                                          std::string_view bytes) {
    const int fd = ::open(NativePath(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<DataFileStamp> result;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && StampOf(info) == expected) {
        if (WriteAll(fd, bytes) && ::fdatasync(fd) == 0 && ::fstat(fd, &info) == 0) {
            result = StampOf(info);
        } else {
            // Best effort: should this fail too, the full rewrite that follows replaces the file.
            [[maybe_unused]] const int cut = ::ftruncate(fd, static_cast<off_t>(expected.size));
        }
    }
    ::close(fd);
    return result;
}

std::optional<DataFileStamp> StampOfPath(const std::string& path) {
    struct stat info {};
    if (::stat(NativePath(path).constData(), &info) != 0)
        return std::nullopt;
    return StampOf(info);
}

// Replaces the file at `path` with `bytes` through a temporary file in the same
// folder, renamed over it only once completely written. Returns the description
// of what failed, if anything did.
std::optional<QString> ReplaceFile(const std::string& path, std::string_view bytes) {
    QSaveFile file(QtPath(path));
    // Unbuffered, so that a short write shows in the count write() returns: commit()
    // flushes a buffer without looking at the outcome and would rename a truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    auto fail = [&file](QString error) {
        file.cancelWriting();
        return std::optional<QString>(std::move(error));
    };
    if (::fchmod(file.handle(), kDataFileMode) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    const auto size = static_cast<qint64>(bytes.size());
    if (size > 0 && file.write(bytes.data(), size) != size) {
        // A short write sets no error of its own; ask the system why the rest failed.
        const QString error = file.error() != QFileDevice::NoError
                                  ? file.errorString()
                                  : QString::fromLocal8Bit(std::strerror(errno));
        return fail(error);
    }
    // commit() ignores a failed sync too; data the disk could not take must not be renamed in.
    if (::fsync(file.handle()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

void ReportWriteError(const QString& description) {
    MessageBox("Error writing to data file: " + FromQString(description), kApplicationTitle);
}

}  // namespace

DataList::DataList(std::string fileName) : fileName_(std::move(fileName)) {}

void DataList::Append(std::string entry) {
    entries_.push_back(std::move(entry));
}

void DataList::Set(std::size_t index, std::string entry) {
    entries_.at(index) = std::move(entry);
    disk_.known = false;
}

void DataList::Assign(std::vector<std::string> entries) {
    entries_ = std::move(entries);
    disk_.known = false;
}

void DataList::Clear() {
    entries_.clear();
    disk_.known = false;
}

std::string DataFilePath(const DataList& list, const std::string& dataFolder) {
    return dataFolder + "/" + list.FileName();
}

void LoadDataFile(DataList& list, const std::string& dataFolder) {
    QFile file(QtPath(DataFilePath(list, dataFolder)));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return;
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    list.Assign(SplitLines(text));
    // A private file already in the form a save writes holds every entry as it
    // is: the next message of a long log is appended to it, not the whole log
    // rewritten. Any other file is rewritten (and made private) by the first save.
    const std::string path = DataFilePath(list, dataFolder);
    struct stat info {};
    if (IsInFileForm(text) && ::stat(NativePath(path).constData(), &info) == 0 &&
        (info.st_mode & 0077) == 0) {
        list.disk_ = {true, path, list.entries_.size(), StampOf(info)};
    }
}

void SaveDataFile(DataList& list, const std::string& dataFolder) {
    const std::string path = DataFilePath(list, dataFolder);
    DataList::DiskState& disk = list.disk_;
    const bool onlyAdded = disk.known && disk.path == path && disk.count <= list.entries_.size();
    if (onlyAdded) {
        const auto stamp = AppendToFile(path, disk.stamp, FileText(list.entries_, disk.count));
        if (stamp) {
            disk.count = list.entries_.size();
            disk.stamp = *stamp;
            return;
        }
    }

    disk.known = false;
    if (const auto error = ReplaceFile(path, FileText(list.entries_, 0))) {
        ReportWriteError(*error);
        return;
    }
    // Without a stamp the next save simply rewrites the file again.
    if (const auto stamp = StampOfPath(path))
        disk = {true, path, list.entries_.size(), *stamp};
}

}  // namespace corvane
