#pragma once

// A whole program for a test: a user whose configuration and data live in a
// temporary folder, the gateway simulator on 127.0.0.1 that the user's settings
// point at, and the program's windows created as at start.

#include <memory>
#include <string>
#include <vector>

#include "gateway/gateway_server.h"
#include "tests/support/temp_profile.h"

namespace corvane {
class TForm1;
struct ProgramWindows;
}  // namespace corvane

namespace corvane::test {

class ProgramFixture {
  public:
    ProgramFixture();
    ~ProgramFixture();

    gateway::GatewayServer& Server() { return *server_; }
    std::string DataFolder() const;

    // Before Start: what the user has stored. Login "ann" with password "s3cret"
    // and the simulator's address are stored already.
    void StoreString(const std::string& name, const std::string& value);
    void StoreScrambled(const std::string& name, const std::string& value);
    void WriteDataFile(const std::string& name, const std::vector<std::string>& lines);

    // Creates the windows and shows the main window.
    TForm1& Start();
    TForm1& Form();
    ProgramWindows& Windows() { return *windows_; }

    // Selects the first list item of each text (which must exist).
    void Select(const std::vector<std::string>& itemTexts);
    std::vector<std::string> SelectedTexts();
    std::string MemoText();
    void SetMemoText(const std::string& text);

    // Log.dat as it is on disk, one entry a line; empty when there is none.
    std::vector<std::string> LogFileLines() const;
    // The MESS lines the simulator received, in order.
    std::vector<std::string> MessLines() const;

  private:
    TempProfile profile_;
    std::unique_ptr<gateway::GatewayServer> server_;
    std::unique_ptr<ProgramWindows> windows_;
};

}  // namespace corvane::test
