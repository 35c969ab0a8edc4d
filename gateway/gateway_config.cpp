#include "gateway/gateway_config.h"

#include <QFile>
#include <algorithm>
#include <charconv>

namespace corvane::gateway {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Splits off the first blank-separated word; `rest` is what follows, trimmed.
std::string_view NextWord(std::string_view& rest) {
    rest = Trim(rest);
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end]))
        ++end;
    const std::string_view word = rest.substr(0, end);
    rest = Trim(rest.substr(end));
    return word;
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool ReadSeconds(std::string_view text, std::int64_t& ms) {
    long seconds = 0;
    if (!ReadNumber(text, seconds) || seconds < 0 || seconds > 10'000'000)
        return false;
    ms = std::int64_t(seconds) * 1000;
    return true;
}

bool ReadPercent(std::string_view text, int& percent) {
    return ReadNumber(text, percent) && percent >= 0 && percent <= 100;
}

Account* FindAccount(GatewayConfig& config, std::string_view login) {
    for (Account& account : config.accounts) {
        if (account.login == login)
            return &account;
    }
    return nullptr;
}

// One directive; false when it cannot be read.
bool ParseLine(std::string_view line, GatewayConfig& config) {
    std::string_view rest = line;
    const std::string_view word = NextWord(rest);
    if (word == "account") {
        const std::string_view login = NextWord(rest);
        if (login.empty())
            return false;
        Account account;
        account.login = std::string(login);
        account.password = std::string(rest);
        account.password_wanted = !rest.empty();
        if (Account* existing = FindAccount(config, login)) {
            *existing = account;
        } else {
            config.accounts.push_back(account);
        }
        return true;
    }
    if (word == "credit" || word == "last-payment") {
        Account* account = FindAccount(config, NextWord(rest));
        if (account == nullptr)
            return false;
        if (word == "credit")
            return ReadNumber(rest, account->credit);
        account->last_payment = std::string(rest);
        return true;
    }
    if (word == "session-key") {
        if (rest != "yes" && rest != "no")
            return false;
        config.offer_session_key = rest == "yes";
        return true;
    }
    if (word == "key") {
        if (rest.empty())
            return false;
        config.session_keys_hex.emplace_back(rest);
        return true;
    }
    if (word == "newest-version") {
        config.newest_version = std::string(rest);
        return !rest.empty();
    }
    if (word == "first-id")
        return ReadNumber(rest, config.first_message_id);
    if (word == "send-after")
        return ReadSeconds(rest, config.delivery.send_after_ms);
    if (word == "deliver-after")
        return ReadSeconds(rest, config.delivery.deliver_after_ms);
    if (word == "fail-percent")
        return ReadPercent(rest, config.delivery.fail_percent);
    if (word == "no-report-percent")
        return ReadPercent(rest, config.delivery.no_report_percent);
    if (word == "reply")
        return AddScriptedReply(rest, config);
    return false;
}

}  // namespace

Account DemoAccount() {
    Account account;
    account.login = "demo";
    account.password = "demo";
    account.credit = 100;
    return account;
}

bool ParseGatewayConfig(std::string_view text, GatewayConfig& config, std::string& error) {
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        if (line.empty() || line.front() == '#')
            continue;
        if (!ParseLine(line, config)) {
            error =
                "line " + std::to_string(number) + ": cannot read \"" + std::string(line) + "\"";
            return false;
        }
    }
    return true;
}

bool LoadGatewayConfigFile(const std::string& path, GatewayConfig& config, std::string& error) {
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + ": " + file.errorString().toStdString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (!ParseGatewayConfig(std::string_view(bytes.constData(), std::size_t(bytes.size())), config,
                            error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool AddScriptedReply(std::string_view script, GatewayConfig& config) {
    const std::size_t equals = script.find('=');
    if (equals == std::string_view::npos || equals == 0)
        return false;
    std::vector<std::string> lines;
    std::string_view text = script.substr(equals + 1);
    while (!text.empty()) {
        const std::size_t bar = std::min(text.find('|'), text.size());
        lines.emplace_back(text.substr(0, bar));
        text.remove_prefix(std::min(bar + 1, text.size()));
    }
    config.replies[CommandWord(script.substr(0, equals))] = lines;
    return true;
}

std::string CommandWord(std::string_view line) {
    std::string word(line.substr(0, std::min(line.find(' '), line.size())));
    // ASCII only: the command words are, and the locale must not matter.
    for (char& c : word) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return word;
}

}  // namespace corvane::gateway
