#pragma once

// A user for a benchmark: settings and data files in a temporary folder, pointed at
// a gateway simulator on 127.0.0.1 in this process, with data files as large as
// the benchmark asks for. The entries look like a long-standing user's: mixed-case
// names in no simple order, quoted fields, messages of many lengths.

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "gateway/gateway_config.h"
#include "gateway/gateway_server.h"
#include "settings/settings_store.h"

namespace corvane::bench {

struct ProfileSize {
    int logEntries = 0;
    int contacts = 0;
    int groups = 0;
    int membersPerGroup = 20;
};

// The simulator as the benchmarks want it: the account "ann" (password "s3cret")
// with credit for any number of messages, and nothing printed.
gateway::GatewayConfig BenchGatewayConfig();
std::unique_ptr<gateway::GatewayServer> StartQuietGateway(gateway::GatewayConfig config);

// A folder whose files live in memory (a tmpfs), where flushing a file to disk
// costs nothing; empty when the machine has none.
std::string MemoryFolder();

class BenchProfile {
  public:
    // The user's folders go into a fresh folder under `parent`, by default the
    // system's temporary folder.
    explicit BenchProfile(const ProfileSize& size, const std::string& parent = {});
    ~BenchProfile();
    BenchProfile(const BenchProfile&) = delete;
    BenchProfile& operator=(const BenchProfile&) = delete;

    const SettingsEnvironment& Environment() const { return env_; }
    std::string DataFolder() const;
    std::string FilePath(const std::string& fileName) const;
    gateway::GatewayServer& Server() { return *server_; }

  private:
    QTemporaryDir dir_;
    SettingsEnvironment env_;
    std::unique_ptr<gateway::GatewayServer> server_;
};

// The name of contact `index` of the generated address book.
std::string ContactName(int index);

// The file's bytes read with std::ifstream and cut into lines at LF, a CR before
// it dropped: the least any reader of a data file has to do.
std::vector<std::string> ReadLinesPlain(const std::string& path);

}  // namespace corvane::bench
