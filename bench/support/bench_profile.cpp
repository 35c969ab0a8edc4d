#include "bench/support/bench_profile.h"

#include <linux/magic.h>
#include <sys/vfs.h>

#include <QDir>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

#include "bench/support/bench_harness.h"
#include "contacts/comma_text.h"
#include "contacts/data_files.h"
#include "platform/registry_file.h"

namespace corvane::bench {

namespace {

constexpr std::array<const char*, 16> kFirstNames = {
    "Ann",  "bob", "Carla", "Dev",  "emma", "Farid", "Grace", "hugo",
    "Ines", "Jon", "Kasia", "liam", "Mona", "Nils",  "Olu",   "Priya"};
constexpr std::array<const char*, 12> kLastNames = {"Smith",  "de Vries", "O'Neil",   "Nguyen",
                                                    "Okafor", "van Dijk", "Kowalski", "Ahmed",
                                                    "Rossi",  "MacLeod",  "Ito",      "Svensson"};
constexpr std::array<const char*, 4> kStatuses = {"RECEIVED", "SENT", "FAILED", "QUEUED"};
constexpr const char* kWords =
    "Meeting moved to 3pm, please bring the signed forms and the keys for the "
    "stores; call me back when you get this, the van is at the north gate again";

std::string ContactNumber(int index) {
    std::string digits = std::to_string(100000 + index % 900000);
    return "447700" + digits;
}

std::string ContactEntry(int index) {
    return JoinCommaText({ContactName(index), ContactNumber(index)});
}

std::string GroupEntry(int index, int members, int contacts) {
    std::vector<std::string> fields{"Group " + std::to_string(index + 1)};
    for (int member = 0; member < members && contacts > 0; ++member)
        fields.push_back(ContactName((index * 37 + member * 101) % contacts));
    return JoinCommaText(fields);
}

std::string LogEntry(int index, int contacts) {
    const std::string status = kStatuses[std::size_t(index) % kStatuses.size()];
    const std::string delivered = status == "QUEUED" ? "" : "12 Mar 2024 09:41:07";
    const std::string text = std::string(kWords, 20 + std::size_t(index * 13) % 120) + " <Ann>";
    const std::string recipient = contacts > 0 ? ContactName(index % contacts) : "447700900123";
    return JoinCommaText(
        {std::to_string(index + 1), "12 Mar 2024 09:40:55", status, delivered, recipient, text});
}

// As the program's address book and group editor leave the files: in name order.
std::vector<std::string> SortedByText(std::vector<std::string> entries) {
    std::sort(entries.begin(), entries.end());
    return entries;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines)
        file << line << "\r\n";
    Require(bool(file), "cannot write " + path);
}

template <class Make>
std::vector<std::string> Generate(int count, Make make) {
    std::vector<std::string> lines;
    lines.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        lines.push_back(make(i));
    return lines;
}

QString TemporaryTemplate(const std::string& parent) {
    const QString folder = parent.empty() ? QDir::tempPath() : QString::fromStdString(parent);
    return folder + "/corvane-bench-XXXXXX";
}

}  // namespace

std::string MemoryFolder() {
    struct statfs info {};
    if (::statfs("/dev/shm", &info) == 0 && info.f_type == TMPFS_MAGIC)
        return "/dev/shm";
    return {};
}

std::string ContactName(int index) {
    const std::size_t i = std::size_t(index);
    // Stepping the surname by a prime spreads neighbours of the index apart in name order.
    return std::string(kFirstNames[i % kFirstNames.size()]) + " " +
           kLastNames[(i * 7) % kLastNames.size()] + " " + std::to_string(index);
}

gateway::GatewayConfig BenchGatewayConfig() {
    gateway::GatewayConfig config;
    gateway::Account ann;
    ann.login = "ann";
    ann.password = "s3cret";
    ann.credit = 1'000'000'000;
    config.accounts = {ann};
    return config;
}

std::unique_ptr<gateway::GatewayServer> StartQuietGateway(gateway::GatewayConfig config) {
    auto server = std::make_unique<gateway::GatewayServer>(std::move(config));
    server->SetOutput([](const std::string&) {}, [](const std::string&) {});
    Require(server->Listen(), "the gateway simulator cannot listen: " + server->ErrorText());
    return server;
}

BenchProfile::BenchProfile(const ProfileSize& size, const std::string& parent)
    : dir_(TemporaryTemplate(parent)), server_(StartQuietGateway(BenchGatewayConfig())) {
    Require(dir_.isValid(), "no temporary folder");
    const std::string root = dir_.path().toStdString();
    env_.dataHome = root + "/share";
    env_.homeDir = root + "/home";
    env_.iniPath = root + "/opt/corvane.INI";
    env_.registryPath = root + "/config/Corvane/registry.reg";
    std::filesystem::create_directories(DataFolder());

    Registry registry(env_.registryPath);
    Require(registry.OpenKey(kSettingsKey, true), "cannot open the settings key");
    registry.WriteString("DBName", DataFolder());
    registry.WriteString("ServerIPAddress", "127.0.0.1");
    registry.WriteInteger("ServerIPPort", server_->Port());
    registry.WriteString("ServerLoginName", "ann");
    WriteScrambledValue(registry, "ServerPassword", "s3cret");
    registry.WriteString("Signature", "Ann");
    registry.WriteString("DefaultCountryCode", "44");

    const int contacts = size.contacts;
    WriteLines(FilePath(kLogFileName),
               Generate(size.logEntries, [contacts](int i) { return LogEntry(i, contacts); }));
    WriteLines(FilePath(kAddressFileName), SortedByText(Generate(contacts, ContactEntry)));
    WriteLines(FilePath(kGroupFileName), SortedByText(Generate(size.groups, [&](int i) {
                   return GroupEntry(i, size.membersPerGroup, contacts);
               })));
}

BenchProfile::~BenchProfile() = default;

std::string BenchProfile::DataFolder() const {
    return env_.dataHome + "/Corvane/Data";
}

std::string BenchProfile::FilePath(const std::string& fileName) const {
    return DataFolder() + "/" + fileName;
}

std::vector<std::string> ReadLinesPlain(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    std::string bytes(std::size_t(std::max<std::streamoff>(file.tellg(), 0)), '\0');
    file.seekg(0);
    file.read(bytes.data(), std::streamsize(bytes.size()));
    bytes.resize(std::size_t(std::max<std::streamsize>(file.gcount(), 0)));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::size_t length = end - start;
        if (length > 0 && bytes[end - 1] == '\r')
            --length;
        lines.emplace_back(bytes, start, length);
        start = end + 1;
    }
    return lines;
}

}  // namespace corvane::bench
