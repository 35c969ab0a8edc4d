#include "gateway/gateway_state.h"

#include <QLocale>
#include <QRandomGenerator>
#include <algorithm>
#include <charconv>

#include "platform/clock.h"
#include "session/support.h"

namespace corvane::gateway {

namespace {

constexpr std::size_t kRandomKeyLength = 10;
constexpr double kMsPerDay = 86'400'000.0;

int MonthIndex(const QDate& date) {
    return date.year() * 12 + date.month() - 1;
}

std::string FormatStamp(const QDateTime& time) {
    return QLocale::c().toString(time, QStringLiteral("dd MMM yyyy hh:mm:ss")).toStdString();
}

}  // namespace

std::string DayNumberText(const QDateTime& time) {
    const double days = double(QDate(1899, 12, 30).daysTo(time.date())) +
                        time.time().msecsSinceStartOfDay() / kMsPerDay;
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, days, std::chars_format::fixed, 10);
    return std::string(text, result.ptr);
}

GatewayState::GatewayState(GatewayConfig config) : config_(std::move(config)) {}

Clock& GatewayState::CurrentTime() const {
    return config_.clock != nullptr ? *config_.clock : CurrentClock();
}

const Account* GatewayState::FindAccount(const std::string& login) const {
    for (const Account& account : config_.accounts) {
        if (account.login == login)
            return &account;
    }
    return nullptr;
}

Account* GatewayState::FindAccountForChange(const std::string& login) {
    return const_cast<Account*>(std::as_const(*this).FindAccount(login));
}

std::string GatewayState::NextSessionKeyHex() {
    const auto& keys = config_.session_keys_hex;
    if (!keys.empty())
        return keys[std::min(keys_handed_++, keys.size() - 1)];
    std::string key;
    for (std::size_t i = 0; i < kRandomKeyLength; ++i) {
        // No zero byte: the hex form would end there.
        key.push_back(char(QRandomGenerator::global()->bounded(1, 256)));
    }
    return HexEncode(key);
}

Delivery GatewayState::PickOutcome(long count) const {
    const auto picked = [count](int percent) {
        return count * percent / 100 > (count - 1) * percent / 100;
    };
    if (picked(config_.delivery.fail_percent))
        return Delivery::Failed;
    if (picked(config_.delivery.no_report_percent))
        return Delivery::SentNoReport;
    return Delivery::Received;
}

std::optional<long> GatewayState::Accept(const std::string& login, const std::string& raw_line,
                                         std::vector<std::string> fields) {
    Account* account = FindAccountForChange(login);
    if (account == nullptr || account->credit <= 0)
        return std::nullopt;
    --account->credit;
    StoredMessage message;
    message.id = messages_.empty() ? config_.first_message_id : messages_.back().id + 1;
    message.login = login;
    message.raw_line = raw_line;
    message.fields = std::move(fields);
    message.queued_at = CurrentTime().LocalNow();
    message.queued_ms = CurrentTime().ElapsedMs();
    message.outcome = PickOutcome(long(messages_.size()) + 1);
    messages_.push_back(std::move(message));
    return messages_.back().id;
}

const StoredMessage* GatewayState::FindMessage(long id) const {
    for (const StoredMessage& message : messages_) {
        if (message.id == id)
            return &message;
    }
    return nullptr;
}

Delivery GatewayState::DeliveryOf(const StoredMessage& message) const {
    if (message.forced)
        return *message.forced;
    const std::int64_t elapsed = CurrentTime().ElapsedMs() - message.queued_ms;
    if (elapsed < config_.delivery.send_after_ms)
        return Delivery::Queued;
    if (elapsed < config_.delivery.deliver_after_ms)
        return Delivery::AwaitingReport;
    return message.outcome;
}

bool GatewayState::SetDelivery(long id, Delivery state) {
    for (StoredMessage& message : messages_) {
        if (message.id != id)
            continue;
        message.forced = state;
        message.forced_at = CurrentTime().LocalNow();
        return true;
    }
    return false;
}

std::optional<std::string> GatewayState::ClogLine(const std::string& login, long id) const {
    const StoredMessage* message = FindMessage(id);
    if (message == nullptr || message->login != login)
        return std::nullopt;
    const bool forced = message->forced.has_value();
    const QDateTime sent_at =
        forced ? message->forced_at : message->queued_at.addMSecs(config_.delivery.send_after_ms);
    const QDateTime done_at = forced
                                  ? message->forced_at
                                  : message->queued_at.addMSecs(config_.delivery.deliver_after_ms);
    const std::string number = std::to_string(id);
    switch (DeliveryOf(*message)) {
        case Delivery::Queued:
            break;
        case Delivery::AwaitingReport:
            return "269 " + number + " " + DayNumberText(sent_at);
        case Delivery::Received:
            return "268 " + number + " " + DayNumberText(done_at);
        case Delivery::Failed:
            return "261 " + number;
        case Delivery::SentNoReport:
            return "260 " + number + " " + DayNumberText(sent_at);
    }
    return std::nullopt;
}

std::vector<std::string> GatewayState::CreditLines(const std::string& login) const {
    const Account* account = FindAccount(login);
    long sent = 0;
    std::string last = "none";
    for (const StoredMessage& message : messages_) {
        if (message.login != login)
            continue;
        ++sent;
        last = FormatStamp(message.queued_at);
    }
    return {"225 " + std::to_string(account != nullptr ? account->credit : 0),
            "226 " + std::to_string(sent), "227 " + last,
            "228 " + (account != nullptr ? account->last_payment : std::string("none"))};
}

std::vector<std::string> GatewayState::UsageLines(const std::string& login) const {
    const int this_month = MonthIndex(CurrentTime().LocalNow().date());
    long total = 0;
    long by_age[3] = {0, 0, 0};
    for (const StoredMessage& message : messages_) {
        if (message.login != login)
            continue;
        ++total;
        const int age = this_month - MonthIndex(message.queued_at.date());
        if (age >= 0 && age < 3)
            ++by_age[age];
    }
    return {"235 " + std::to_string(total), "236 " + std::to_string(by_age[0]),
            "237 " + std::to_string(by_age[1]), "238 " + std::to_string(by_age[2])};
}

void GatewayState::RecordCode(const std::string& number, const std::string& code) {
    codes_.push_back({number, code});
}

}  // namespace corvane::gateway
