#pragma once

// Settings of the gateway simulator: its accounts, how it logs in, how messages
// move on after they were accepted, and the faults it plays for tests.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {
class Clock;
}

namespace corvane::gateway {

struct Account {
    std::string login;
    std::string password;
    bool password_wanted = true;  // false: "user" alone logs in (511)
    long credit = 100;            // messages the account may still send
    std::string last_payment = "none";
};

// How an accepted message moves on: queued, then sent and waiting for its
// delivery report, then received, failed, or sent with no report ever coming.
// Shares pick every n-th message, so runs are repeatable.
struct DeliveryPlan {
    std::int64_t send_after_ms = 5'000;
    std::int64_t deliver_after_ms = 20'000;
    int fail_percent = 0;
    int no_report_percent = 0;
};

// Misbehaviour on demand. Replies are the lines answering one command line.
struct GatewayFaults {
    bool silent = false;                 // not a byte, not even the greeting
    bool silent_after_greeting = false;  // greets, then never answers
    bool refuse_greeting = false;        // greets with 421 instead of 220
    bool garbage = false;                // every reply becomes a line that is no reply
    bool partial_replies = false;        // every reply goes out without its last LF
    bool endless_line = false;           // the first command gets a line that never ends
    int reply_delay_ms = 0;              // each reply goes out this much later
    int close_after_replies = 0;         // close after this many replies; 0: never
    std::string close_after_command;     // close right after answering this command
};

struct GatewayConfig {
    std::string address = "127.0.0.1";
    int port = 0;  // 0: any free port
    std::vector<Account> accounts;
    bool offer_session_key = true;
    // Keys handed out in turn, as hex; the last one stays. Empty: a random key each time.
    std::vector<std::string> session_keys_hex;
    std::string newest_version = "2.0.3.2";
    long first_message_id = 1;
    DeliveryPlan delivery;
    GatewayFaults faults;
    // Scripted answers by command word (upper case): these lines instead of the
    // real handling. No lines: the command goes unanswered.
    std::map<std::string, std::vector<std::string>> replies;
    bool verbose = false;
    Clock* clock = nullptr;  // nullptr: the program's current clock
};

// The account of the demo: login "demo", password "demo".
Account DemoAccount();

// Reads a config text (format in gateway/README.md) into `config`. False with
// `error` naming the line when a line cannot be read.
bool ParseGatewayConfig(std::string_view text, GatewayConfig& config, std::string& error);
bool LoadGatewayConfigFile(const std::string& path, GatewayConfig& config, std::string& error);

// "MESS=550 Invalid number|..." into a scripted reply; false when there is no "=".
bool AddScriptedReply(std::string_view script, GatewayConfig& config);

// The command word of a line in the form scripted replies are keyed by.
std::string CommandWord(std::string_view line);

}  // namespace corvane::gateway
