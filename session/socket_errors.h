#pragma once

// What the client socket's error event means to the user. The socket library
// reports one error code whatever the channel was doing; the message depends on
// both: a network failure while connecting is a failed connect, the same failure
// with lines waiting to go out is a failed write.

#include <QAbstractSocket>

namespace corvane {

enum class SocketErrorKind {
    General,
    Send,
    Receive,
    Connect,
    Disconnect,
    Accept,      // listening sockets only; a client never sees it
    Other,       // host name lookup and the like: no message
    PeerClosed,  // the server closed the connection: the disconnect event, not an error
};

// What the channel was doing when the error came.
enum class SocketPhase { Connecting, Idle, Writing, Closing };

SocketErrorKind ClassifySocketError(QAbstractSocket::SocketError error, SocketPhase phase);

// The box text for an error kind, or nullptr for the kinds that show nothing.
const char* SocketErrorMessage(SocketErrorKind kind);

}  // namespace corvane
