#pragma once

// The user's settings as the program holds them while it runs.

#include <cstdint>
#include <string>

namespace corvane {

struct AppSettings {
    std::string ServerIPAddress;    // numeric address or host name of the gateway
    std::int32_t ServerIPPort = 0;  // 0 until configured
    std::string Signature;          // appended to every message as " <Signature>"
    std::string ServerLoginName;
    std::string ServerPassword;      // at most 50 bytes; stored scrambled
    std::string SenderNumber;        // the user's verified number; stored scrambled
    std::string DefaultCountryCode;  // used by NormaliseNumber, "44" unless stored
    std::string DataFolder;          // folder of Log.dat, Addbook.dat, Groups.dat
};

}  // namespace corvane
