#pragma once

// What the gateway simulator knows across connections: the accounts with their
// credit, every accepted message and how far its delivery has come, the codes it
// "sent" by SMS, and the session keys it hands out.

#include <QDateTime>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gateway/gateway_config.h"

namespace corvane {
class Clock;
}

namespace corvane::gateway {

enum class Delivery {
    Queued,          // accepted, not yet handed on: no CLOG line yet
    AwaitingReport,  // sent, its delivery report pending: 269
    Received,        // delivered to the phone: 268 with the time
    Failed,          // could not be delivered: 261
    SentNoReport,    // sent, no report will ever come: 260 with the time
};

struct StoredMessage {
    long id = 0;
    std::string login;
    std::string raw_line;  // the MESS line as received, without its line end
    std::vector<std::string> fields;
    QDateTime queued_at;
    std::int64_t queued_ms = 0;             // on the clock's steady time
    Delivery outcome = Delivery::Received;  // where it ends up
    std::optional<Delivery> forced;         // set by a test: this state from now on
    QDateTime forced_at;

    const std::string& Number() const { return fields.at(3); }
    const std::string& Text() const { return fields.at(4); }
    const std::string& Sender() const { return fields.at(5); }
};

struct SentCode {
    std::string number;
    std::string code;
};

// Days since 30 December 1899 00:00 with the time of day as the fraction, written
// with a decimal point whatever the locale, e.g. 39573.5855208333 for 05 May 2008 14:03:09.
std::string DayNumberText(const QDateTime& time);

class GatewayState {
  public:
    explicit GatewayState(GatewayConfig config);

    GatewayConfig& Config() { return config_; }
    const GatewayConfig& Config() const { return config_; }
    Clock& CurrentTime() const;

    const Account* FindAccount(const std::string& login) const;
    // The next key to hand out, as hex digit pairs.
    std::string NextSessionKeyHex();

    // Stores an accepted message of the logged-in account and returns its ID;
    // nullopt when the account has no credit left.
    std::optional<long> Accept(const std::string& login, const std::string& raw_line,
                               std::vector<std::string> fields);
    const std::vector<StoredMessage>& Messages() const { return messages_; }
    const StoredMessage* FindMessage(long id) const;
    Delivery DeliveryOf(const StoredMessage& message) const;
    // From now on the message reports this state; false for an unknown ID.
    bool SetDelivery(long id, Delivery state);

    // The CLOG line about one of the account's messages; nullopt for an ID it does
    // not know (or one still queued).
    std::optional<std::string> ClogLine(const std::string& login, long id) const;
    std::vector<std::string> CreditLines(const std::string& login) const;
    std::vector<std::string> UsageLines(const std::string& login) const;

    void RecordCode(const std::string& number, const std::string& code);
    const std::vector<SentCode>& SentCodes() const { return codes_; }

  private:
    Account* FindAccountForChange(const std::string& login);
    Delivery PickOutcome(long count) const;

    GatewayConfig config_;
    std::vector<StoredMessage> messages_;
    std::vector<SentCode> codes_;
    std::size_t keys_handed_ = 0;
};

}  // namespace corvane::gateway
