#pragma once

// The program-wide state that the main window owns for the whole run: the
// settings, the data lists, the recipient lookup lists, the send results, the
// kept message and the server channel with its socket. The dialogs reach it
// through the main window.

#include <string>
#include <vector>

#include "contacts/data_files.h"
#include "contacts/recipient_lists.h"
#include "session/server_channel.h"
#include "settings/app_settings.h"

namespace corvane {

struct ProgramState {
    ProgramState() = default;
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

    corvane::AppSettings AppSettings;
    bool FirstRun = false;
    std::string SignatureSuffix;  // " <Signature>", or empty

    DataList LogList{kLogFileName};
    DataList AddressList{kAddressFileName};
    DataList GroupList{kGroupFileName};

    // RecipientNames, RecipientNumbers and AddressNames, rebuilt by FillRecipientList.
    RecipientLists Recipients;
    // The result line of each recipient of the last send, shown when it ends.
    std::vector<std::string> SendResults;
    // The editor's text kept for "&Restore Message".
    std::string SavedMessage;

    // The connection to the gateway; it reads the login from AppSettings, so it
    // comes after it.
    ServerChannel Channel{AppSettings};
};

}  // namespace corvane
