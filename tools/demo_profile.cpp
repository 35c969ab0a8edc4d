// Writes a demo user's profile into the current user's settings and data folders
// (point XDG_CONFIG_HOME and XDG_DATA_HOME at a throw-away folder first): the
// gateway at 127.0.0.1 on the given port with the login demo/demo, and a few
// contacts and a group to send to.
//
//   corvane-demo-profile --port <port>

#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "contacts/comma_text.h"
#include "contacts/data_files.h"
#include "platform/dialogs.h"
#include "platform/registry_file.h"
#include "settings/settings_store.h"

namespace corvane {
namespace {

int Usage() {
    std::cerr << "usage: corvane-demo-profile --port <port>\n";
    return 2;
}

void SaveEntries(DataList& list, const std::vector<std::vector<std::string>>& entries,
                 const std::string& folder) {
    for (const std::vector<std::string>& fields : entries)
        list.Append(JoinCommaText(fields));
    SaveDataFile(list, folder);
}

int WriteProfile(int port) {
    const SettingsEnvironment env = SettingsEnvironment::FromProcess();
    const std::string folder = DataFolderDefault(env);
    std::filesystem::create_directories(folder);

    Registry registry(env.registryPath);
    if (!registry.OpenKey(kSettingsKey, true)) {
        std::cerr << "cannot open the settings in " << env.registryPath << "\n";
        return 1;
    }
    registry.WriteString("DBName", folder);
    registry.WriteString("ServerIPAddress", "127.0.0.1");
    registry.WriteInteger("ServerIPPort", port);
    registry.WriteString("ServerLoginName", "demo");
    WriteScrambledValue(registry, "ServerPassword", "demo");
    registry.WriteString("DefaultCountryCode", "44");
    registry.CloseKey();

    DataList addresses(kAddressFileName);
    SaveEntries(addresses,
                {{"Ann Smith", "447700900123"},
                 {"Bob Jones", "447700900456"},
                 {"Front Desk", "447700900789"},
                 {"Stores", "07700 900321"}},
                folder);
    DataList groups(kGroupFileName);
    SaveEntries(groups, {{"Team", "Ann Smith", "Bob Jones", "Front Desk"}}, folder);

    std::cout << "Demo profile written: settings " << env.registryPath << ", data " << folder
              << "\n";
    return 0;
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3 || args[1] != "--port")
        return corvane::Usage();
    bool ok = false;
    const int port = args[2].toInt(&ok);
    if (!ok || port <= 0 || port > 65535)
        return corvane::Usage();

    // No window here: a box the data files would show (a failed save) goes to
    // the terminal and fails the tool.
    bool box_shown = false;
    corvane::SetBoxPresenter([&box_shown](const corvane::BoxRequest& request) {
        std::cerr << request.title << ": " << request.text << "\n";
        box_shown = true;
        return corvane::BoxAnswer::Ok;
    });
    try {
        const int status = corvane::WriteProfile(port);
        return box_shown ? 1 : status;
    } catch (const std::exception& error) {
        std::cerr << "corvane-demo-profile: " << error.what() << "\n";
        return 1;
    }
}
