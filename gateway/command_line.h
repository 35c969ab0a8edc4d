#pragma once

// The corvane-gateway program's command line, read into a config.

#include <QStringList>
#include <string>

#include "gateway/gateway_config.h"

namespace corvane::gateway {

struct CommandLine {
    GatewayConfig config;
    bool show_help = false;
    std::string help_text;
    std::string error;  // not empty: the program cannot start
};

// `arguments` as QCoreApplication::arguments() gives them, program name first.
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace corvane::gateway
