#pragma once

// The gateway simulator's TCP side: accepts connections, cuts what arrives into
// lines, answers each through a GatewaySession, and plays the faults and the
// scripted replies of its config. Runs on the thread that creates it, in that
// thread's event loop, so a test can run it beside the client it tests.
//
//   GatewayServer server(config);
//   server.Listen();
//   channel.SetTarget({SocketTarget::Kind::Address, "127.0.0.1", server.Port()});

#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gateway/gateway_config.h"
#include "gateway/gateway_state.h"

class QTcpServer;
class QTcpSocket;
class QTimer;

namespace corvane::gateway {

class GatewaySession;

struct ReceivedLine {
    int connection = 0;  // 1 for the first connection accepted, and so on
    std::string raw;     // as received, without the LF (a CR before it stays)
};

class GatewayServer : public QObject {
    Q_OBJECT
  public:
    // The longest line without LF the server takes from a client before hanging up.
    static constexpr std::size_t kMaxLine = 64 * 1024;
    // How much of an endless line goes out before the server gives up on it.
    static constexpr std::int64_t kEndlessLineLimit = 64 * 1024 * 1024;

    explicit GatewayServer(GatewayConfig config, QObject* parent = nullptr);
    ~GatewayServer() override;

    // Starts listening on the config's address and port; false with ErrorText() set.
    bool Listen();
    std::uint16_t Port() const;
    std::string Address() const;
    std::string ErrorText() const { return error_; }

    // The settings in force; faults, replies and delivery may change at any time.
    GatewayConfig& Config() { return state_.Config(); }
    GatewayFaults& Faults() { return state_.Config().faults; }
    GatewayState& State() { return state_; }

    // These lines answer every later `command` (by its word, any case) instead of
    // the real handling; no lines: no answer at all.
    void ScriptReply(const std::string& command, std::vector<std::string> lines);
    // As ScriptReply, for the next such command only (before any ScriptReply one).
    void ScriptReplyOnce(const std::string& command, std::vector<std::string> lines);
    void ClearScripts();

    // What the server has seen.
    const std::vector<ReceivedLine>& Received() const { return received_; }
    // The received lines without connection numbers and without a CR before the LF.
    std::vector<std::string> ReceivedCommands() const;
    int ConnectionsAccepted() const { return next_connection_ - 1; }
    int OpenConnections() const { return int(connections_.size()); }
    const std::vector<StoredMessage>& Messages() const { return state_.Messages(); }
    const std::vector<SentCode>& SentCodes() const { return state_.SentCodes(); }
    bool SetDelivery(long id, Delivery delivery) { return state_.SetDelivery(id, delivery); }

    // Raw bytes to every open connection, at once, as they are.
    void SendRaw(const std::string& bytes);
    // Closes every open connection from the server's side.
    void CloseConnections();

    // Where text goes: `output` gets the "SMS to ..." lines (the console by
    // default), `log` every line in and out when the config says verbose (the
    // error console by default).
    using Sink = std::function<void(const std::string&)>;
    void SetOutput(Sink output, Sink log);

  Q_SIGNALS:
    // After each line received and each connection closed; tests wait on it.
    void Activity();

  private:
    struct Connection;
    struct Outgoing {
        std::int64_t due_ms = 0;
        std::string bytes;
        bool close = false;
    };

    void Accept();
    void Read(int id);
    void HandleLine(Connection& connection, const std::string& raw);
    // `word` is the command answered; empty for the greeting.
    void Answer(Connection& connection, const std::string& word, std::vector<std::string> lines,
                bool close);
    void Queue(Connection& connection, Outgoing outgoing);
    void FlushDue(int id);
    void Write(Connection& connection, const std::string& bytes);
    void Close(Connection& connection);
    void SendMoreEndless(int id);
    void Forget(int id);
    Connection* Find(int id);
    void Log(int id, const std::string& direction, const std::string& text);

    GatewayState state_;
    QTcpServer* server_;
    std::map<int, std::unique_ptr<Connection>> connections_;
    std::map<std::string, std::deque<std::vector<std::string>>> once_;
    std::vector<ReceivedLine> received_;
    int next_connection_ = 1;
    std::string error_;
    QElapsedTimer real_time_;
    Sink output_;
    Sink log_;
};

}  // namespace corvane::gateway
