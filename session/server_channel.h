#pragma once

// The line channel to the gateway and the login on top of it. One connection at a
// time over ClientSocket1; every server operation opens it, logs in, talks and
// closes it again. All of it runs on the GUI thread: the waits run a nested event
// loop, so windows keep painting and other handlers may run while a reply is due.
//
// Wire: the client's lines end with CR LF; the server's end with LF (a CR before
// it is dropped by the trimming) and start with a numeric reply code.

#include <QAbstractSocket>
#include <QObject>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "session/socket_target.h"

class QTcpSocket;

namespace corvane {

class Clock;
struct AppSettings;

class ServerChannel : public QObject {
    Q_OBJECT
  public:
    // Longest run of received bytes without a line end that the channel holds; more
    // is taken for a broken server and the connection is dropped.
    static constexpr std::size_t kMaxPartialLine = 64 * 1024;
    // Timeouts in seconds, as the operations pass them.
    static constexpr int kLoginTimeout = 20;
    static constexpr int kLoginAttempts = 5;

    // The login name and password are read from `settings` at each login.
    explicit ServerChannel(const AppSettings& settings, QObject* parent = nullptr);
    ~ServerChannel() override;

    // Where the next ConnectServer connects; replaces the previous target.
    void SetTarget(const SocketTarget& target);
    const SocketTarget& Target() const { return target_; }

    // Opens the connection and reads the greeting; true when it was 220. True at
    // once, reading nothing, while the socket is already open.
    bool ConnectServer();
    // Writes the text as it is. Returns at once, writing nothing, without a
    // connection; a connection lost while writing ends it too.
    void SendText(std::string_view text);
    // Writes the text and CR LF. A line break inside the text (CR LF, CR or LF)
    // goes out as one space, so the text can never become two command lines.
    void SendLine(std::string_view text);
    // Waits until `text` occurs in ReceiveBuffer: its 1-based position, or 0 once
    // more than `seconds` whole seconds have passed (so 20 gives up after 21).
    int WaitForText(std::string_view text, int seconds);
    // Takes the first line out of ReceiveBuffer, trimmed, into LastReply; empty
    // when no complete line came in time (the buffer is then left as it was).
    std::string ReadReplyLine(int seconds);
    // ReadReplyLine and the reply code at its start; 0 when none.
    int ReadReplyCode(int seconds);

    // Makes sure of a logged-in connection; false after showing its own messages.
    bool OpenSession();

    // Closes ClientSocket1. The disconnect event runs before this returns.
    void CloseSocket();

    // Channel state.
    std::string ReceiveBuffer;  // received and not yet taken as a reply line
    std::string LastReply;      // the last line ReadReplyLine took, trimmed
    bool SocketConnected = false;
    bool SocketFailed = false;
    // Login state. The key counts as empty while its first byte is zero.
    std::array<char, 10> SessionKey{};
    bool LoggedIn = false;

    QTcpSocket* ClientSocket1;

    // Socket event handlers.
    void ClientSocket1Connect();
    void ClientSocket1Read();
    void ClientSocket1Disconnect();
    void ClientSocket1Error(QAbstractSocket::SocketError error);

  private:
    bool SessionKeyEmpty() const { return SessionKey[0] == '\0'; }
    std::string_view SessionKeyText() const { return {SessionKey.data(), SessionKey.size()}; }
    void StoreSessionKey(const std::string& key);
    bool KeyCutsPassword() const;
    void RequestSessionKey();
    bool OpenSocket();
    // Runs a nested event loop until a socket event or a move of `clock`; with
    // `wake_after_ms` >= 0 also until that many milliseconds have passed. True
    // when it was that timer that ended it.
    bool BlockForEvents(const Clock& clock, std::int64_t wake_after_ms);
    void DropBrokenConnection();

    const AppSettings& settings_;
    SocketTarget target_;
    // Set while the program itself closes the socket: then nothing received is kept.
    bool closing_ = false;
};

}  // namespace corvane
