#include "session/server_channel.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <climits>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "session/reply_parsing.h"
#include "session/socket_errors.h"
#include "session/support.h"
#include "settings/app_settings.h"

namespace corvane {

namespace {

constexpr int kGreetingCode = 220;
constexpr int kKeyCode = 223;
constexpr int kPasswordWantedCode = 221;
constexpr int kLoggedInCode = 222;
constexpr int kNoPasswordCode = 511;
// How many keys one login asks for when a key would spoil the password.
constexpr int kKeyRequests = 3;

// Drops everything after the last line end: a partial line can no longer be completed.
void KeepCompleteLines(std::string& buffer) {
    const std::size_t last_lf = buffer.rfind('\n');
    buffer.erase(last_lf == std::string::npos ? 0 : last_lf + 1);
}

std::size_t PartialLineLength(const std::string& buffer) {
    const std::size_t last_lf = buffer.rfind('\n');
    return last_lf == std::string::npos ? buffer.size() : buffer.size() - last_lf - 1;
}

}  // namespace

ServerChannel::ServerChannel(const AppSettings& settings, QObject* parent)
    : QObject(parent), ClientSocket1(new QTcpSocket(this)), settings_(settings) {
    connect(ClientSocket1, &QTcpSocket::connected, this, &ServerChannel::ClientSocket1Connect);
    connect(ClientSocket1, &QTcpSocket::readyRead, this, &ServerChannel::ClientSocket1Read);
    connect(ClientSocket1, &QTcpSocket::disconnected, this,
            &ServerChannel::ClientSocket1Disconnect);
    connect(ClientSocket1, &QTcpSocket::errorOccurred, this, &ServerChannel::ClientSocket1Error);
}

ServerChannel::~ServerChannel() {
    // The socket outlives this object's members by a moment; no handler may run then.
    ClientSocket1->disconnect(this);
    ClientSocket1->abort();
}

void ServerChannel::SetTarget(const SocketTarget& target) {
    target_ = target;
}

// ---------------------------------------------------------------------------
// Connecting and sending

bool ServerChannel::OpenSocket() {
    // Nothing received on an earlier connection belongs to this one.
    ReceiveBuffer.clear();
    if (target_.name.empty() || target_.port < 1 || target_.port > 65535)
        return false;
    const QString name = QString::fromLatin1(target_.name.data(), qsizetype(target_.name.size()));
    const auto port = static_cast<quint16>(target_.port);
    if (target_.kind == SocketTarget::Kind::Address) {
        QHostAddress address;
        if (!address.setAddress(name))
            return false;
        ClientSocket1->connectToHost(address, port);
    } else {
        ClientSocket1->connectToHost(name, port);
    }
    return true;
}

bool ServerChannel::ConnectServer() {
    SocketFailed = false;
    if (ClientSocket1->state() != QAbstractSocket::UnconnectedState)
        return true;
    if (!OpenSocket()) {
        MessageBox("Error Connecting to Server", kApplicationTitle);
        SocketFailed = true;
    }
    // No timeout of its own: the connect, error or disconnect event ends it.
    while (!SocketConnected && !SocketFailed &&
           ClientSocket1->state() != QAbstractSocket::UnconnectedState) {
        BlockForEvents(CurrentClock(), -1);
    }
    if (!SocketConnected) {
        CloseSocket();
        return false;
    }
    return ReadReplyCode(kLoginTimeout) == kGreetingCode;
}

void ServerChannel::SendText(std::string_view text) {
    std::size_t written = 0;
    while (written < text.size()) {
        // Without a connection the socket takes nothing: give up rather than spin.
        if (ClientSocket1->state() != QAbstractSocket::ConnectedState)
            return;
        const qint64 count =
            ClientSocket1->write(text.data() + written, qint64(text.size() - written));
        if (count <= 0)
            return;
        written += std::size_t(count);
    }
    // Hand the bytes to the system now, so a close that follows at once still sends them.
    ClientSocket1->flush();
}

void ServerChannel::SendLine(std::string_view text) {
    std::string line;
    line.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            line += ' ';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (text[i] == '\n') {
            line += ' ';
        } else {
            line += text[i];
        }
    }
    line += "\r\n";
    SendText(line);
}

void ServerChannel::CloseSocket() {
    closing_ = true;
    ClientSocket1->flush();
    ClientSocket1->abort();
    closing_ = false;
}

// ---------------------------------------------------------------------------
// Waiting and reading

bool ServerChannel::BlockForEvents(const Clock& clock, std::int64_t wake_after_ms) {
    QEventLoop loop;
    connect(ClientSocket1, &QTcpSocket::connected, &loop, &QEventLoop::quit);
    connect(ClientSocket1, &QTcpSocket::readyRead, &loop, &QEventLoop::quit);
    connect(ClientSocket1, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    connect(ClientSocket1, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    connect(ClientSocket1, &QTcpSocket::stateChanged, &loop, &QEventLoop::quit);
    connect(&clock, &Clock::Moved, &loop, &QEventLoop::quit);
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    bool timer_fired = false;
    connect(&timer, &QTimer::timeout, &loop, [&] {
        timer_fired = true;
        loop.quit();
    });
    if (wake_after_ms >= 0)
        timer.start(int(std::min<std::int64_t>(wake_after_ms, INT_MAX)));
    if (loop.exec() < 0) {
        // The application is shutting down and refuses new event loops: wait for
        // the next event directly instead, so the wait still blocks.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return timer_fired;
}

int ServerChannel::WaitForText(std::string_view text, int seconds) {
    const Clock& clock = CurrentClock();
    const std::int64_t start = clock.ElapsedMs();
    QCoreApplication::processEvents();
    bool timer_fired = false;
    std::int64_t armed_at = 0;
    for (;;) {
        const std::int64_t now = clock.ElapsedMs();
        const std::int64_t elapsed = now - start;
        if (elapsed / 1000 > seconds)
            return 0;
        const std::size_t position = ReceiveBuffer.find(text);
        if (position != std::string::npos)
            return int(std::min<std::size_t>(position + 1, INT_MAX));
        // Wake at the next whole second of the wait, where the timeout may fall. A
        // clock that stood still while a whole timer ran only moves when told to,
        // and says so with its Moved signal: a slow timer is enough then.
        std::int64_t wake_after = 1000 - elapsed % 1000;
        if (timer_fired && now == armed_at)
            wake_after = 1000;
        armed_at = now;
        timer_fired = BlockForEvents(clock, wake_after);
    }
}

std::string ServerChannel::ReadReplyLine(int seconds) {
    const int position = WaitForText("\n", seconds);
    std::string line;
    if (position > 0) {
        line = TrimReplyLine(std::string_view(ReceiveBuffer).substr(0, std::size_t(position)));
        ReceiveBuffer.erase(0, std::size_t(position));
    }
    LastReply = line;
    return line;
}

int ServerChannel::ReadReplyCode(int seconds) {
    return ReplyCodeOf(ReadReplyLine(seconds));
}

// ---------------------------------------------------------------------------
// Login

void ServerChannel::StoreSessionKey(const std::string& key) {
    SessionKey.fill('\0');
    std::copy_n(key.begin(), std::min(key.size(), SessionKey.size()), SessionKey.begin());
}

bool ServerChannel::KeyCutsPassword() const {
    std::string work = settings_.ServerPassword;
    work.resize(std::min(work.size(), work.find('\0')));
    ScrambleText(work, SessionKeyText());
    return work.find('\0') != std::string::npos;
}

void ServerChannel::RequestSessionKey() {
    // A key that scrambles a password byte to zero would cut the password short
    // (its hex form ends at the first zero byte) and the server would refuse a
    // right password: trade such a key for a fresh one, a few times at most.
    for (int request = 0; request < kKeyRequests; ++request) {
        SendLine("CRYP");
        if (ReadReplyCode(kLoginTimeout) != kKeyCode)
            return;
        StoreSessionKey(ExtractSessionKey(LastReply));
        if (SessionKeyEmpty() || !KeyCutsPassword())
            return;
    }
}

bool ServerChannel::OpenSession() {
    if (SocketConnected && LoggedIn)
        return true;
    ReceiveBuffer.clear();
    if (!ConnectServer()) {
        MessageBox("Can't open connection to the server", kApplicationTitle);
        return false;
    }
    int login_code = 0;
    for (int attempt = 0; attempt < kLoginAttempts; ++attempt) {
        if (SessionKeyEmpty())
            RequestSessionKey();
        SendLine("user " + settings_.ServerLoginName);
        login_code = ReadReplyCode(kLoginTimeout);
        if (login_code == kPasswordWantedCode) {
            std::string line;
            if (!SessionKeyEmpty()) {
                std::string work = settings_.ServerPassword;
                ScrambleText(work, SessionKeyText());
                line = "pase " + HexEncode(work);
            } else {
                line = "pass " + settings_.ServerPassword;
            }
            SendLine(line);
            if (ReadReplyCode(kLoginTimeout) == kLoggedInCode) {
                LoggedIn = true;
                return true;
            }
        } else if (login_code == kNoPasswordCode) {
            return true;
        }
    }
    if (login_code != 0)
        MessageBox(LastReply, kApplicationTitle);
    return false;
}

// ---------------------------------------------------------------------------
// Socket events

void ServerChannel::ClientSocket1Connect() {
    SocketConnected = true;
}

void ServerChannel::ClientSocket1Read() {
    const QByteArray data = ClientSocket1->readAll();
    ReceiveBuffer.append(data.constData(), std::size_t(data.size()));
    if (PartialLineLength(ReceiveBuffer) > kMaxPartialLine)
        DropBrokenConnection();
}

void ServerChannel::DropBrokenConnection() {
    // A line this long is no reply: the server is broken. The lines before it stay.
    KeepCompleteLines(ReceiveBuffer);
    ClientSocket1->abort();
}

void ServerChannel::ClientSocket1Disconnect() {
    if (closing_) {
        ReceiveBuffer.clear();
    } else {
        // The server closed the connection. Replies it sent just before stay readable:
        // an accepted message must not turn into a lost answer because the close
        // came in the same moment. Only complete lines are kept.
        if (ClientSocket1->isReadable() && ClientSocket1->bytesAvailable() > 0) {
            const QByteArray data = ClientSocket1->readAll();
            ReceiveBuffer.append(data.constData(), std::size_t(data.size()));
        }
        KeepCompleteLines(ReceiveBuffer);
    }
    SessionKey.fill('\0');
    LoggedIn = false;
    SocketConnected = false;
}

void ServerChannel::ClientSocket1Error(QAbstractSocket::SocketError error) {
    SocketPhase phase = SocketPhase::Idle;
    if (!SocketConnected) {
        phase = SocketPhase::Connecting;
    } else if (ClientSocket1->state() == QAbstractSocket::ClosingState) {
        phase = SocketPhase::Closing;
    } else if (ClientSocket1->bytesToWrite() > 0) {
        phase = SocketPhase::Writing;
    }
    const SocketErrorKind kind = ClassifySocketError(error, phase);
    if (kind == SocketErrorKind::PeerClosed)
        return;  // the disconnect event follows
    if (const char* message = SocketErrorMessage(kind))
        ShowMessage(message);
    SocketFailed = true;
}

}  // namespace corvane
