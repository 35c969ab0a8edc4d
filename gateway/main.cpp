// corvane-gateway: the gateway simulator as a program, for the demo and for
// trying the protocol by hand. The first line on stdout is always
// "Listening on <address>:<port>", for scripts that start it on a free port.

#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "gateway/command_line.h"
#include "gateway/gateway_server.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("corvane-gateway");
    corvane::gateway::CommandLine command_line =
        corvane::gateway::ParseCommandLine(QCoreApplication::arguments());
    if (command_line.show_help) {
        std::fputs(command_line.help_text.c_str(), stdout);
        return 0;
    }
    if (!command_line.error.empty()) {
        std::fprintf(stderr, "corvane-gateway: %s\n", command_line.error.c_str());
        return 2;
    }
    if (command_line.config.accounts.empty()) {
        std::fputs("corvane-gateway: no accounts (use --demo or --config): every login fails\n",
                   stderr);
    }
    corvane::gateway::GatewayServer server(std::move(command_line.config));
    if (!server.Listen()) {
        std::fprintf(stderr, "corvane-gateway: cannot listen on %s:%d: %s\n",
                     server.Config().address.c_str(), server.Config().port,
                     server.ErrorText().c_str());
        return 1;
    }
    std::printf("Listening on %s:%u\n", server.Address().c_str(), unsigned(server.Port()));
    std::fflush(stdout);
    return app.exec();
}
