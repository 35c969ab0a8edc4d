#include "gateway/gateway_session.h"

#include <algorithm>

#include "contacts/comma_text.h"
#include "gateway/gateway_state.h"
#include "session/support.h"

namespace corvane::gateway {

namespace {

constexpr std::size_t kMessFields = 6;
constexpr std::size_t kKeyBytes = 10;

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

Reply One(std::string line) {
    return Reply{{std::move(line)}, false};
}

Reply NotLoggedIn() {
    return One("530 Not logged in");
}

}  // namespace

GatewaySession::GatewaySession(GatewayState& state) : state_(state) {}

std::string GatewaySession::Greeting() const {
    if (state_.Config().faults.refuse_greeting)
        return "421 Service not available, closing";
    return "220 Corvane SMS gateway ready";
}

std::string GatewaySession::TakeNotice() {
    return std::exchange(notice_, {});
}

Reply GatewaySession::Handle(const std::string& line) {
    const std::string word = CommandWord(line);
    const std::size_t space = line.find(' ');
    const std::string arguments = space == std::string::npos ? "" : line.substr(space + 1);
    if (word == "CRYP")
        return Cryp();
    if (word == "USER")
        return User(arguments);
    if (word == "PASS")
        return Password(arguments);
    if (word == "PASE")
        return ScrambledPassword(arguments);
    if (word == "VERSION")
        return One(state_.Config().newest_version);
    if (word == "QUIT")
        return Reply{{}, true};
    const bool known =
        word == "MESS" || word == "CLOG" || word == "CREDIT" || word == "USAGE" || word == "ACOD";
    if (!known)
        return One("500 Unknown command");
    if (login_.empty())
        return NotLoggedIn();
    if (word == "MESS")
        return Mess(line, arguments);
    if (word == "CLOG")
        return Clog(arguments);
    if (word == "CREDIT")
        return Reply{state_.CreditLines(login_), false};
    if (word == "USAGE")
        return Reply{state_.UsageLines(login_), false};
    return Acod(arguments);
}

Reply GatewaySession::Cryp() {
    if (!state_.Config().offer_session_key)
        return One("500 CRYP not supported");
    const std::string hex = state_.NextSessionKeyHex();
    // The client keeps the first ten bytes and counts missing ones as zero, and
    // so does ScrambleText here.
    std::string key = HexDecode(hex);
    key.resize(std::min(key.size(), kKeyBytes));
    key_ = key;
    return One("223 " + hex);
}

Reply GatewaySession::User(const std::string& login) {
    login_.clear();
    pending_login_.reset();
    if (login.empty())
        return One("501 Login name missing");
    const Account* account = state_.FindAccount(login);
    if (account != nullptr && !account->password_wanted) {
        login_ = login;
        return One("511 Logged in, no password needed");
    }
    // An unknown name is asked for a password all the same, so names cannot be probed.
    pending_login_ = login;
    return One("221 Password required for " + login);
}

void GatewaySession::FinishLogin(bool accepted) {
    if (accepted)
        login_ = *pending_login_;
    pending_login_.reset();
}

Reply GatewaySession::Password(const std::string& password) {
    if (!pending_login_)
        return One("503 Send user first");
    const Account* account = state_.FindAccount(*pending_login_);
    const bool accepted =
        account != nullptr && account->password_wanted && account->password == password;
    FinishLogin(accepted);
    return One(accepted ? "222 Logged in" : "530 Login incorrect");
}

Reply GatewaySession::ScrambledPassword(const std::string& hex) {
    if (!pending_login_)
        return One("503 Send user first");
    if (!key_ || key_->empty())
        return One("503 Send CRYP first");
    std::string password = HexDecode(hex);
    ScrambleText(password, *key_);
    return Password(password);
}

Reply GatewaySession::Mess(const std::string& line, const std::string& arguments) {
    std::vector<std::string> fields = SplitCommaText(arguments);
    if (fields.size() != kMessFields)
        return One("501 MESS needs six fields");
    if (!AllDigits(fields[3]))
        return One("550 Invalid number");
    const std::optional<long> id = state_.Accept(login_, line, std::move(fields));
    if (!id)
        return One("552 Insufficient credit");
    return One("250 " + std::to_string(*id));
}

Reply GatewaySession::Clog(const std::string& arguments) {
    Reply reply;
    for (const std::string& field : SplitCommaText(arguments)) {
        if (!AllDigits(field) || field.size() > 18)
            continue;
        if (auto line = state_.ClogLine(login_, std::stol(field)))
            reply.lines.push_back(*line);
    }
    reply.lines.push_back("265 End of log");
    return reply;
}

Reply GatewaySession::Acod(const std::string& arguments) {
    const std::size_t space = arguments.find(' ');
    if (space == std::string::npos)
        return One("501 ACOD needs a code and a number");
    std::string code = HexDecode(arguments.substr(0, space));
    ScrambleText(code, TRIGOLDEX);
    const std::string number = arguments.substr(space + 1);
    if (!AllDigits(code) || !AllDigits(number))
        return One("501 ACOD needs a code and a number");
    state_.RecordCode(number, code);
    notice_ = "SMS to " + number + ": your code is " + code;
    return One("250 Code sent");
}

}  // namespace corvane::gateway
