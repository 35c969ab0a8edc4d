#pragma once

// The three data lists the program keeps for the whole run (the message log, the
// address book and the groups) and the files they are kept in. Entries are comma
// text lines of Windows-1252 bytes; the list in memory is the truth, the file a copy
// written after every change.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

inline constexpr const char* kLogFileName = "Log.dat";
inline constexpr const char* kAddressFileName = "Addbook.dat";
inline constexpr const char* kGroupFileName = "Groups.dat";

// Identity, size and modification time of a data file as we last left it; any
// difference means someone else has been at the file.
struct DataFileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t mtimeSec = 0;
    std::int64_t mtimeNsec = 0;
    bool operator==(const DataFileStamp&) const = default;
};

class DataList {
  public:
    explicit DataList(std::string fileName);

    const std::string& FileName() const { return fileName_; }
    const std::vector<std::string>& Entries() const { return entries_; }
    std::size_t Count() const { return entries_.size(); }
    const std::string& operator[](std::size_t index) const { return entries_[index]; }

    void Append(std::string entry);
    void Set(std::size_t index, std::string entry);
    void Assign(std::vector<std::string> entries);
    void Clear();

  private:
    friend void LoadDataFile(DataList& list, const std::string& dataFolder);
    friend void SaveDataFile(DataList& list, const std::string& dataFolder);

    // What the file held right after our last write, so that a later save that
    // only adds entries can append them instead of rewriting a long log each time.
    struct DiskState {
        bool known = false;  // the file at `path` holds entries_[0, count) exactly
        std::string path;
        std::size_t count = 0;
        DataFileStamp stamp;
    };

    std::string fileName_;
    std::vector<std::string> entries_;
    DiskState disk_;
};

// Path of the list's file: the data folder, "/", the file name.
std::string DataFilePath(const DataList& list, const std::string& dataFolder);

// Replaces the list's entries with the file's lines. When the file cannot be read
// (as on the first run) the list keeps what it held and nothing is reported.
void LoadDataFile(DataList& list, const std::string& dataFolder);

// Writes the list to its file, each entry followed by CR LF. The file is replaced
// atomically, so a failed save leaves the previous file as it was; when the file
// already holds every earlier entry only the new ones are appended. A failure is
// reported in a box; the list in memory is never changed.
void SaveDataFile(DataList& list, const std::string& dataFolder);

}  // namespace corvane
