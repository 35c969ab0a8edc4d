#include "session/socket_errors.h"

namespace corvane {

namespace {

// A failure of the connection itself: which operation it spoiled depends on the phase.
SocketErrorKind ByPhase(SocketPhase phase) {
    switch (phase) {
        case SocketPhase::Connecting:
            return SocketErrorKind::Connect;
        case SocketPhase::Writing:
            return SocketErrorKind::Send;
        case SocketPhase::Closing:
            return SocketErrorKind::Disconnect;
        case SocketPhase::Idle:
            break;
    }
    return SocketErrorKind::Receive;
}

}  // namespace

SocketErrorKind ClassifySocketError(QAbstractSocket::SocketError error, SocketPhase phase) {
    using E = QAbstractSocket::SocketError;
    switch (error) {
        case E::RemoteHostClosedError:
            return SocketErrorKind::PeerClosed;
        case E::HostNotFoundError:
            return SocketErrorKind::Other;
        case E::ConnectionRefusedError:
        case E::ProxyConnectionRefusedError:
        case E::ProxyConnectionClosedError:
        case E::ProxyConnectionTimeoutError:
        case E::ProxyNotFoundError:
        case E::ProxyAuthenticationRequiredError:
        case E::ProxyProtocolError:
            // Only a connection attempt can meet these.
            return SocketErrorKind::Connect;
        case E::NetworkError:
        case E::SocketTimeoutError:
        case E::SocketAccessError:
        case E::AddressInUseError:
        case E::SocketAddressNotAvailableError:
            return ByPhase(phase);
        case E::SocketResourceError:
        case E::DatagramTooLargeError:
        case E::UnsupportedSocketOperationError:
        case E::UnfinishedSocketOperationError:
        case E::OperationError:
        case E::SslHandshakeFailedError:
        case E::SslInternalError:
        case E::SslInvalidUserDataError:
        case E::TemporaryError:
        case E::UnknownSocketError:
            break;
    }
    return SocketErrorKind::General;
}

const char* SocketErrorMessage(SocketErrorKind kind) {
    switch (kind) {
        case SocketErrorKind::General:
            return "General Socket Error";
        case SocketErrorKind::Send:
            return "Error writing to Socket";
        case SocketErrorKind::Receive:
            return "Error Receiving from Socket";
        case SocketErrorKind::Connect:
            return "Error connecting to Server";
        case SocketErrorKind::Disconnect:
            return "Error disconnecting from Server";
        case SocketErrorKind::Accept:
            return "Accept Socket Error";
        case SocketErrorKind::Other:
        case SocketErrorKind::PeerClosed:
            break;
    }
    return nullptr;
}

}  // namespace corvane
