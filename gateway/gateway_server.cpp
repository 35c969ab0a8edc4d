#include "gateway/gateway_server.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "gateway/gateway_session.h"

namespace corvane::gateway {

namespace {

// Starts with no digit and holds bytes no reply holds: no client can take it for one.
constexpr char kGarbageLine[] = "?!* garbage \x01\xBF\xFF *!?";
constexpr std::size_t kEndlessChunk = 64 * 1024;
constexpr qint64 kEndlessInFlight = 256 * 1024;

void PrintTo(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

}  // namespace

struct GatewayServer::Connection {
    int id = 0;
    QTcpSocket* socket = nullptr;
    std::unique_ptr<GatewaySession> session;
    QTimer* delay_timer = nullptr;
    std::string input;
    std::deque<Outgoing> outgoing;
    int replies = 0;
    bool closing = false;
    bool gone = false;  // disconnected; the entry goes once the current event is done
    bool endless = false;
    std::int64_t endless_sent = 0;
};

GatewayServer::GatewayServer(GatewayConfig config, QObject* parent)
    : QObject(parent),
      state_(std::move(config)),
      server_(new QTcpServer(this)),
      output_([](const std::string& text) { PrintTo(stdout, text); }),
      log_([](const std::string& text) { PrintTo(stderr, text); }) {
    real_time_.start();
    connect(server_, &QTcpServer::newConnection, this, &GatewayServer::Accept);
}

GatewayServer::~GatewayServer() {
    for (auto& [id, connection] : connections_) {
        // A connection that went away may already have lost its socket.
        if (connection->gone)
            continue;
        connection->socket->disconnect(this);
        connection->socket->abort();
    }
    server_->close();
}

bool GatewayServer::Listen() {
    QHostAddress address;
    if (!address.setAddress(QString::fromStdString(Config().address))) {
        error_ = "not a numeric address: " + Config().address;
        return false;
    }
    if (Config().port < 0 || Config().port > 65535) {
        error_ = "no such port: " + std::to_string(Config().port);
        return false;
    }
    if (!server_->listen(address, quint16(Config().port))) {
        error_ = server_->errorString().toStdString();
        return false;
    }
    return true;
}

std::uint16_t GatewayServer::Port() const {
    return server_->serverPort();
}

std::string GatewayServer::Address() const {
    return server_->serverAddress().toString().toStdString();
}

void GatewayServer::ScriptReply(const std::string& command, std::vector<std::string> lines) {
    Config().replies[CommandWord(command)] = std::move(lines);
}

void GatewayServer::ScriptReplyOnce(const std::string& command, std::vector<std::string> lines) {
    once_[CommandWord(command)].push_back(std::move(lines));
}

void GatewayServer::ClearScripts() {
    Config().replies.clear();
    once_.clear();
}

std::vector<std::string> GatewayServer::ReceivedCommands() const {
    std::vector<std::string> commands;
    for (const ReceivedLine& line : received_) {
        std::string text = line.raw;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        commands.push_back(std::move(text));
    }
    return commands;
}

void GatewayServer::SetOutput(Sink output, Sink log) {
    output_ = std::move(output);
    log_ = std::move(log);
}

void GatewayServer::SendRaw(const std::string& bytes) {
    for (auto& [id, connection] : connections_) {
        if (connection->gone || connection->closing)
            continue;
        Write(*connection, bytes);
        connection->socket->flush();
    }
}

void GatewayServer::CloseConnections() {
    for (auto& [id, connection] : connections_) {
        if (!connection->gone)
            Close(*connection);
    }
}

// ---------------------------------------------------------------------------

GatewayServer::Connection* GatewayServer::Find(int id) {
    const auto found = connections_.find(id);
    if (found == connections_.end() || found->second->gone)
        return nullptr;
    return found->second.get();
}

void GatewayServer::Log(int id, const std::string& direction, const std::string& text) {
    if (Config().verbose && log_)
        log_("[" + std::to_string(id) + "] " + direction + " " + text);
}

void GatewayServer::Accept() {
    while (QTcpSocket* socket = server_->nextPendingConnection()) {
        auto connection = std::make_unique<Connection>();
        const int id = next_connection_++;
        connection->id = id;
        connection->socket = socket;
        connection->session = std::make_unique<GatewaySession>(state_);
        connection->delay_timer = new QTimer(socket);
        connection->delay_timer->setSingleShot(true);
        connect(connection->delay_timer, &QTimer::timeout, this, [this, id] { FlushDue(id); });
        connect(socket, &QTcpSocket::readyRead, this, [this, id] { Read(id); });
        connect(socket, &QTcpSocket::disconnected, this, [this, id] { Forget(id); });
        connect(socket, &QTcpSocket::bytesWritten, this, [this, id] { SendMoreEndless(id); });
        Connection& added = *connection;
        connections_[id] = std::move(connection);
        Log(id, "**",
            "connection from " + socket->peerAddress().toString().toStdString() + ":" +
                std::to_string(socket->peerPort()));
        if (!Faults().silent)
            Answer(added, std::string(), {added.session->Greeting()}, false);
    }
}

void GatewayServer::Forget(int id) {
    Connection* connection = Find(id);
    if (connection == nullptr)
        return;
    Log(id, "**", "closed");
    connection->gone = true;
    connection->socket->deleteLater();
    // Callers up the stack may still hold the entry: drop it once they are done.
    QMetaObject::invokeMethod(
        this, [this, id] { connections_.erase(id); }, Qt::QueuedConnection);
    Q_EMIT Activity();
}

void GatewayServer::Read(int id) {
    Connection* connection = Find(id);
    if (connection == nullptr)
        return;
    const QByteArray data = connection->socket->readAll();
    connection->input.append(data.constData(), std::size_t(data.size()));
    for (;;) {
        connection = Find(id);
        if (connection == nullptr || connection->closing)
            return;
        const std::size_t end = connection->input.find('\n');
        if (end == std::string::npos)
            break;
        const std::string raw = connection->input.substr(0, end);
        connection->input.erase(0, end + 1);
        HandleLine(*connection, raw);
    }
    if (connection->input.size() > kMaxLine) {
        Log(id, "**", "line too long, hanging up");
        Close(*connection);
    }
}

void GatewayServer::HandleLine(Connection& connection, const std::string& raw) {
    received_.push_back({connection.id, raw});
    Log(connection.id, "<-", raw);
    std::string line = raw;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    const GatewayFaults& faults = Faults();
    if (faults.silent || faults.silent_after_greeting || connection.endless) {
        Q_EMIT Activity();
        return;
    }
    if (faults.endless_line) {
        Log(connection.id, "->", "(a line that never ends)");
        connection.endless = true;
        SendMoreEndless(connection.id);
        Q_EMIT Activity();
        return;
    }
    const std::string word = CommandWord(line);
    auto once = once_.find(word);
    if (once != once_.end() && !once->second.empty()) {
        std::vector<std::string> lines = std::move(once->second.front());
        once->second.pop_front();
        Answer(connection, word, std::move(lines), false);
    } else if (auto scripted = Config().replies.find(word); scripted != Config().replies.end()) {
        Answer(connection, word, scripted->second, false);
    } else {
        Reply reply = connection.session->Handle(line);
        const std::string notice = connection.session->TakeNotice();
        if (!notice.empty() && output_)
            output_(notice);
        Answer(connection, word, std::move(reply.lines), reply.close);
    }
    Q_EMIT Activity();
}

void GatewayServer::Answer(Connection& connection, const std::string& word,
                           std::vector<std::string> lines, bool close) {
    const GatewayFaults& faults = Faults();
    const bool greeting = word.empty();
    if (!greeting) {
        if (faults.garbage && !lines.empty())
            lines = {kGarbageLine};
        ++connection.replies;
        if (faults.close_after_replies > 0 && connection.replies >= faults.close_after_replies) {
            close = true;
        }
        if (!faults.close_after_command.empty() &&
            CommandWord(faults.close_after_command) == word) {
            close = true;
        }
    }
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + '\n';
    if (!greeting && faults.partial_replies && !bytes.empty())
        bytes.pop_back();
    Queue(connection, {real_time_.elapsed() + std::max(0, faults.reply_delay_ms), bytes, close});
}

void GatewayServer::Queue(Connection& connection, Outgoing outgoing) {
    connection.outgoing.push_back(std::move(outgoing));
    if (connection.delay_timer->isActive())
        return;
    if (connection.outgoing.size() == 1 &&
        connection.outgoing.front().due_ms <= real_time_.elapsed()) {
        FlushDue(connection.id);
        return;
    }
    connection.delay_timer->start(
        int(std::max<std::int64_t>(0, connection.outgoing.front().due_ms - real_time_.elapsed())));
}

void GatewayServer::FlushDue(int id) {
    Connection* connection = Find(id);
    if (connection == nullptr)
        return;
    while (!connection->outgoing.empty() &&
           connection->outgoing.front().due_ms <= real_time_.elapsed()) {
        const Outgoing outgoing = std::move(connection->outgoing.front());
        connection->outgoing.pop_front();
        Write(*connection, outgoing.bytes);
        if (outgoing.close) {
            Close(*connection);
            return;
        }
    }
    if (!connection->outgoing.empty()) {
        connection->delay_timer->start(int(
            std::max<std::int64_t>(0, connection->outgoing.front().due_ms - real_time_.elapsed())));
    }
}

void GatewayServer::Write(Connection& connection, const std::string& bytes) {
    if (bytes.empty() || connection.closing)
        return;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        Log(connection.id, "->",
            bytes.substr(start, end - start) + (end == bytes.size() ? " (no line end)" : ""));
        start = end + 1;
    }
    connection.socket->write(bytes.data(), qint64(bytes.size()));
}

void GatewayServer::Close(Connection& connection) {
    if (connection.closing)
        return;
    connection.closing = true;
    connection.outgoing.clear();
    Log(connection.id, "**", "hanging up");
    // Lines already written still go out before the close.
    connection.socket->disconnectFromHost();
}

void GatewayServer::SendMoreEndless(int id) {
    Connection* connection = Find(id);
    if (connection == nullptr || !connection->endless || connection->closing)
        return;
    const std::string chunk(kEndlessChunk, 'x');
    while (connection->socket->bytesToWrite() < kEndlessInFlight &&
           connection->endless_sent < kEndlessLineLimit) {
        connection->socket->write(chunk.data(), qint64(chunk.size()));
        connection->endless_sent += std::int64_t(chunk.size());
    }
}

}  // namespace corvane::gateway
