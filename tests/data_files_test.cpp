#include "contacts/data_files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>

#include "tests/support/box_recorder.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_size_limit.h"

namespace corvane {
namespace {

using Entries = std::vector<std::string>;
using test::ReadFileBytes;

const char* const kErrorPrefix = "Error writing to data file: ";

void WriteRaw(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

struct stat StatOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

// What a full rewrite of `entries` gives.
std::string Expected(const Entries& entries) {
    std::string text;
    for (const std::string& entry : entries)
        text += entry + "\r\n";
    return text;
}

class DataFiles : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    std::string Folder() const { return dir_.path().toStdString(); }
    std::string PathOf(const DataList& list) const { return Folder() + "/" + list.FileName(); }
    QStringList FolderContents() const {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    // Checks the one box a failed save shows and gives its description.
    static std::string TakeWriteError(test::BoxRecorder& boxes) {
        const std::vector<BoxRequest> shown = boxes.Take();
        if (shown.size() != 1) {
            ADD_FAILURE() << shown.size() << " boxes shown";
            return {};
        }
        const BoxRequest& box = shown.front();
        EXPECT_EQ(box.kind, BoxKind::Message);
        EXPECT_EQ(box.title, "Corvane");
        EXPECT_EQ(box.buttons, BoxButtons::Ok);
        EXPECT_EQ(box.icon, BoxIcon::None);
        EXPECT_EQ(box.text.rfind(kErrorPrefix, 0), 0u) << box.text;
        return box.text.substr(std::min(box.text.size(), std::strlen(kErrorPrefix)));
    }

    QTemporaryDir dir_;
};

TEST_F(DataFiles, ListsAreNamedAfterTheirFiles) {
    EXPECT_EQ(DataList(kLogFileName).FileName(), "Log.dat");
    EXPECT_EQ(DataList(kAddressFileName).FileName(), "Addbook.dat");
    EXPECT_EQ(DataList(kGroupFileName).FileName(), "Groups.dat");
    EXPECT_EQ(DataFilePath(DataList(kLogFileName), "/data"), "/data/Log.dat");
}

TEST_F(DataFiles, FolderNamesAreTheFileSystemsOwnBytes) {
    // A home folder with an accented name, as the settings store records it.
    const std::string folder = Folder() +
                               "/Donn\xC3\xA9"
                               "es";
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    DataList saved(kAddressFileName);
    saved.Append("Ann,447700900001");
    SaveDataFile(saved, folder);
    EXPECT_TRUE(std::filesystem::exists(folder + "/Addbook.dat"));

    DataList loaded(kAddressFileName);
    LoadDataFile(loaded, folder);
    EXPECT_EQ(loaded.Entries(), saved.Entries());
}

TEST_F(DataFiles, LoadSplitsTheFileIntoEntries) {
    struct Case {
        const char* name;
        std::string bytes;
        Entries expected;
    };
    const Case cases[] = {
        {"CR LF", "a\r\nb,c\r\n", {"a", "b,c"}},
        {"LF", "a\nb,c\n", {"a", "b,c"}},
        {"CR", "a\rb,c\r", {"a", "b,c"}},
        {"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"empty lines", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}},
        {"CR then CR LF", "a\r\r\nb\r\n", {"a", "", "b"}},
        {"LF then CR", "a\n\rb", {"a", "", "b"}},
        {"only a line end", "\r\n", {""}},
        {"NUL ends the text", std::string("a\r\nb\0c\r\nd\r\n", 11), {"a", "b"}},
        {"NUL first", std::string("\0a\r\n", 4), {}},
        {"empty file", "", {}},
        {"8-bit text kept",
         "caf\xE9,\xA3"
         "5\r\n",
         {"caf\xE9,\xA3"
          "5"}},
    };
    for (const Case& c : cases) {
        DataList list(kGroupFileName);
        list.Append("held before");
        WriteRaw(PathOf(list), c.bytes);
        LoadDataFile(list, Folder());
        EXPECT_EQ(list.Entries(), c.expected) << c.name;
    }
}

TEST_F(DataFiles, LoadOfAMissingOrUnreadableFileKeepsTheListSilently) {
    DataList list(kAddressFileName);
    list.Append("Ann,1");
    LoadDataFile(list, Folder());  // no file yet
    EXPECT_EQ(list.Entries(), Entries{"Ann,1"});

    LoadDataFile(list, Folder() + "/no such folder");
    EXPECT_EQ(list.Entries(), Entries{"Ann,1"});

    ASSERT_TRUE(QDir(dir_.path()).mkdir("Addbook.dat"));  // a folder in the file's place
    LoadDataFile(list, Folder());
    EXPECT_EQ(list.Entries(), Entries{"Ann,1"});
}

TEST_F(DataFiles, SaveWritesEveryEntryWithCrLf) {
    DataList list(kLogFileName);
    const Entries entries = {
        "1042,\"05 May 2008 14:03:09\",QUEUED,,\"Front Desk\",\"Meeting moved to 3pm\"", "",
        "caf\xE9"};
    list.Assign(entries);
    SaveDataFile(list, Folder());
    EXPECT_EQ(ReadFileBytes(PathOf(list)), Expected(entries));
    EXPECT_EQ(list.Entries(), entries);

    DataList reread(kLogFileName);
    LoadDataFile(reread, Folder());
    EXPECT_EQ(reread.Entries(), entries);
}

TEST_F(DataFiles, EmptyListGivesAnEmptyFile) {
    DataList list(kGroupFileName);
    SaveDataFile(list, Folder());
    ASSERT_TRUE(QFile::exists(QString::fromStdString(PathOf(list))));
    EXPECT_EQ(ReadFileBytes(PathOf(list)), "");

    list.Assign({"Team,Ann"});
    SaveDataFile(list, Folder());
    list.Clear();
    SaveDataFile(list, Folder());
    EXPECT_EQ(ReadFileBytes(PathOf(list)), "");
}

TEST_F(DataFiles, FileWithOtherLineEndsIsWrittenBackWithCrLf) {
    DataList list(kAddressFileName);
    WriteRaw(PathOf(list), "\"Front Desk\",447700900123\nStores,441632960000\r");
    LoadDataFile(list, Folder());
    SaveDataFile(list, Folder());
    EXPECT_EQ(ReadFileBytes(PathOf(list)),
              "\"Front Desk\",447700900123\r\nStores,441632960000\r\n");
}

TEST_F(DataFiles, EntryHoldingANulIsWrittenUpToIt) {
    // Written whole, the NUL would end the text on the next load and lose every later entry.
    DataList list(kLogFileName);
    list.Assign({std::string("a\0b", 3), "after"});
    SaveDataFile(list, Folder());
    EXPECT_EQ(ReadFileBytes(PathOf(list)), "a\r\nafter\r\n");
    DataList reread(kLogFileName);
    LoadDataFile(reread, Folder());
    EXPECT_EQ(reread.Entries(), (Entries{"a", "after"}));
}

TEST_F(DataFiles, FilesAreReadableByTheUserAlone) {
    const mode_t previousMask = ::umask(022);
    DataList list(kAddressFileName);
    list.Append("Ann,1");
    SaveDataFile(list, Folder());
    EXPECT_EQ(StatOf(PathOf(list)).st_mode & 0777, 0600u);

    // A file someone left open to all is narrowed on the next rewrite.
    EXPECT_EQ(::chmod(PathOf(list).c_str(), 0666), 0);
    list.Set(0, "Ann,2");
    SaveDataFile(list, Folder());
    EXPECT_EQ(StatOf(PathOf(list)).st_mode & 0777, 0600u);
    ::umask(previousMask);
}

TEST_F(DataFiles, SaveIntoAFolderThatIsAFileShowsTheErrorAndKeepsTheList) {
    const std::string notAFolder = Folder() + "/plain";
    WriteRaw(notAFolder, "x");
    DataList list(kLogFileName);
    list.Assign({"1,a", "2,b"});

    test::BoxRecorder boxes;
    SaveDataFile(list, notAFolder);
    const std::string description = TakeWriteError(boxes);
    EXPECT_FALSE(description.empty());
    EXPECT_EQ(list.Entries(), (Entries{"1,a", "2,b"}));
    EXPECT_EQ(ReadFileBytes(notAFolder), "x");
}

TEST_F(DataFiles, SaveIntoAMissingFolderShowsTheError) {
    DataList list(kGroupFileName);
    list.Append("Team,Ann");
    test::BoxRecorder boxes;
    SaveDataFile(list, Folder() + "/missing");
    EXPECT_FALSE(TakeWriteError(boxes).empty());
    EXPECT_EQ(list.Entries(), Entries{"Team,Ann"});
}

TEST_F(DataFiles, FailedRewriteLeavesThePreviousFileWhole) {
    DataList list(kAddressFileName);
    list.Assign({"Ann,1", "Bob,2"});
    SaveDataFile(list, Folder());
    const std::string before = ReadFileBytes(PathOf(list));

    // The new content cannot be written in full: the write stops part way.
    const Entries changed = {"Ann,1", "Bob,2", "Carol," + std::string(4000, '7')};
    list.Assign(changed);
    {
        test::BoxRecorder boxes;
        test::FileSizeLimit limit(1024);
        SaveDataFile(list, Folder());
        const std::string description = TakeWriteError(boxes);
        EXPECT_NE(description.find("large"), std::string::npos) << description;
    }
    EXPECT_EQ(ReadFileBytes(PathOf(list)), before);
    EXPECT_EQ(list.Entries(), changed);
    EXPECT_EQ(FolderContents(), QStringList{"Addbook.dat"});  // no temporary left behind

    SaveDataFile(list, Folder());  // the data stayed in memory for the next save
    EXPECT_EQ(ReadFileBytes(PathOf(list)), Expected(changed));
}

TEST_F(DataFiles, AppendedEntriesAreAddedToTheFileInPlace) {
    DataList list(kLogFileName);
    list.Assign({"1,first", "2,second"});
    SaveDataFile(list, Folder());
    const ino_t inode = StatOf(PathOf(list)).st_ino;

    list.Append("3,third");
    SaveDataFile(list, Folder());
    list.Append("4,\"fourth one\"");
    list.Append("");
    SaveDataFile(list, Folder());

    // Same file, grown: appended, not replaced by a rewrite.
    EXPECT_EQ(StatOf(PathOf(list)).st_ino, inode);
    EXPECT_EQ(ReadFileBytes(PathOf(list)), Expected(list.Entries()));
    EXPECT_EQ(FolderContents(), QStringList{"Log.dat"});
}

TEST_F(DataFiles, ChangesOtherThanAppendingRewriteTheFile) {
    struct Case {
        const char* name;
        void (*change)(DataList&, const std::string& folder);
    };
    const Case cases[] = {
        {"Set", [](DataList& l, const std::string&) { l.Set(0, "1,changed"); }},
        {"Assign",
         [](DataList& l, const std::string&) {
             l.Assign({"1,first", "2,second"});
         }},
        {"Clear", [](DataList& l, const std::string&) { l.Clear(); }},
    };
    for (const Case& c : cases) {
        DataList list(kLogFileName);
        list.Assign({"1,first", "2,second"});
        SaveDataFile(list, Folder());
        const ino_t inode = StatOf(PathOf(list)).st_ino;

        c.change(list, Folder());
        list.Append("3,third");
        SaveDataFile(list, Folder());
        EXPECT_NE(StatOf(PathOf(list)).st_ino, inode) << c.name;
        EXPECT_EQ(ReadFileBytes(PathOf(list)), Expected(list.Entries())) << c.name;
    }
}

TEST_F(DataFiles, AfterLoadingOnlyAFileInTheSavedFormIsAppendedTo) {
    struct Case {
        const char* name;
        std::string bytes;
        bool appended;
    };
    const Case cases[] = {
        {"CR LF", "1,first\r\n2,second\r\n", true},
        {"empty", "", true},
        {"LF only", "1,first\n2,second\n", false},
        {"no final line end", "1,first\r\n2,second", false},
        {"lone CR", "1,first\r2,second\r\n", false},
        {"NUL", std::string("1,first\r\n\0junk\r\n", 16), false},
    };
    for (const Case& c : cases) {
        DataList list(kLogFileName);
        std::ofstream(PathOf(list), std::ios::binary | std::ios::trunc) << c.bytes;
        ::chmod(PathOf(list).c_str(), 0600);
        const ino_t inode = StatOf(PathOf(list)).st_ino;

        LoadDataFile(list, Folder());
        list.Append("3,third");
        SaveDataFile(list, Folder());
        EXPECT_EQ(StatOf(PathOf(list)).st_ino == inode, c.appended) << c.name;
        EXPECT_EQ(ReadFileBytes(PathOf(list)), Expected(list.Entries())) << c.name;
    }
}

TEST_F(DataFiles, LoadedFileOthersCanReadIsMadePrivateByTheFirstSave) {
    DataList list(kLogFileName);
    std::ofstream(PathOf(list), std::ios::binary) << "1,first\r\n";
    ::chmod(PathOf(list).c_str(), 0644);

    LoadDataFile(list, Folder());
    list.Append("2,second");
    SaveDataFile(list, Folder());
    EXPECT_EQ(StatOf(PathOf(list)).st_mode & 0777, 0600u);
    EXPECT_EQ(ReadFileBytes(PathOf(list)), Expected(list.Entries()));
}

TEST_F(DataFiles, FileChangedBySomeoneElseIsRewritten) {
    DataList list(kLogFileName);
    list.Assign({"1,first", "2,second"});

    // Grown by another program.
    SaveDataFile(list, Folder());
    {
        std::ofstream out(PathOf(list), std::ios::binary | std::ios::app);
        out << "9,theirs\r\n";
    }
    list.Append("3,third");
    SaveDataFile(list, Folder());
    EXPECT_EQ(ReadFileBytes(PathOf(list)), Expected(list.Entries()));

    // Replaced by a file of exactly the same size.
    const std::string ours = ReadFileBytes(PathOf(list));
    std::string theirs = ours;
    theirs[0] = '8';
    WriteRaw(Folder() + "/other", theirs);
    ASSERT_EQ(::rename((Folder() + "/other").c_str(), PathOf(list).c_str()), 0);
    list.Append("4,fourth");
    SaveDataFile(list, Folder());
    EXPECT_EQ(ReadFileBytes(PathOf(list)), Expected(list.Entries()));

    // Deleted: the next save writes the whole list again.
    ASSERT_EQ(::unlink(PathOf(list).c_str()), 0);
    list.Append("5,fifth");
    SaveDataFile(list, Folder());
    EXPECT_EQ(ReadFileBytes(PathOf(list)), Expected(list.Entries()));

    // Saved to another folder (the data folder was changed in the setup).
    QTemporaryDir other;
    list.Append("6,sixth");
    SaveDataFile(list, other.path().toStdString());
    EXPECT_EQ(ReadFileBytes(other.path().toStdString() + "/Log.dat"), Expected(list.Entries()));
}

TEST_F(DataFiles, FailedAppendLeavesNoHalfLineAndFallsBackToARewrite) {
    DataList list(kLogFileName);
    list.Assign({"1,first", "2,second"});
    SaveDataFile(list, Folder());
    const std::string before = ReadFileBytes(PathOf(list));

    list.Append("3," + std::string(4000, 'x'));
    {
        test::BoxRecorder boxes;
        test::FileSizeLimit limit(before.size() + 100);
        SaveDataFile(list, Folder());
        EXPECT_FALSE(TakeWriteError(boxes).empty());
    }
    EXPECT_EQ(ReadFileBytes(PathOf(list)), before);
    EXPECT_EQ(FolderContents(), QStringList{"Log.dat"});

    SaveDataFile(list, Folder());
    EXPECT_EQ(ReadFileBytes(PathOf(list)), Expected(list.Entries()));
}

TEST_F(DataFiles, LongLogIsNotRewrittenForEveryMessage) {
    // A send to many recipients with a 100,000-entry log: each accepted message is saved
    // at once, and none of those saves may rewrite the whole log.
    Entries entries;
    for (int i = 0; i < 100000; ++i) {
        entries.push_back(std::to_string(i) +
                          ",\"05 May 2008 14:03:09\",SENT,\"05 May 2008 14:04:00\",Ann,Hello");
    }
    DataList list(kLogFileName);
    list.Assign(entries);
    SaveDataFile(list, Folder());
    const ino_t inode = StatOf(PathOf(list)).st_ino;

    for (int i = 0; i < 200; ++i) {
        list.Append(std::to_string(100000 + i) + ",\"05 May 2008 14:05:00\",QUEUED,,Bob,Hi");
        SaveDataFile(list, Folder());
    }
    EXPECT_EQ(StatOf(PathOf(list)).st_ino, inode);
    EXPECT_EQ(ReadFileBytes(PathOf(list)), Expected(list.Entries()));
}

}  // namespace
}  // namespace corvane
