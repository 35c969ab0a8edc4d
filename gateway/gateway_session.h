#pragma once

// One connection's conversation with the gateway simulator: the greeting, the
// login state, and the answer to every command line. No sockets here; the server
// carries the lines and plays the faults.

#include <optional>
#include <string>
#include <vector>

namespace corvane::gateway {

class GatewayState;

struct Reply {
    std::vector<std::string> lines;  // each goes out followed by LF
    bool close = false;              // close the connection after the lines
};

class GatewaySession {
  public:
    explicit GatewaySession(GatewayState& state);

    std::string Greeting() const;
    // The answer to one line (line end already removed).
    Reply Handle(const std::string& line);

    const std::string& LoggedInAs() const { return login_; }
    // Sink for the text of a code "sent by SMS"; the server prints it.
    std::string TakeNotice();

  private:
    Reply Cryp();
    Reply User(const std::string& login);
    Reply Password(const std::string& password);
    Reply ScrambledPassword(const std::string& hex);
    Reply Mess(const std::string& line, const std::string& arguments);
    Reply Clog(const std::string& arguments);
    Reply Acod(const std::string& arguments);
    void FinishLogin(bool accepted);

    GatewayState& state_;
    std::optional<std::string> key_;            // the key handed out on this connection
    std::optional<std::string> pending_login_;  // named by "user", password awaited
    std::string login_;                         // logged in as; empty: not logged in
    std::string notice_;
};

}  // namespace corvane::gateway
