#pragma once

// Where the client socket connects: a numeric address used as is, or a host
// name resolved when the connection is opened. Setting one replaces the other.

#include <cstdint>
#include <string>

namespace corvane {

struct SocketTarget {
    enum class Kind { Address, Host };
    Kind kind = Kind::Address;
    std::string name;  // the address or the host name; empty before the settings are read
    std::int32_t port = 0;

    bool operator==(const SocketTarget&) const = default;
};

}  // namespace corvane
