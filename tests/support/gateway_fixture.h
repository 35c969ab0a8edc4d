#pragma once

// A gateway simulator on 127.0.0.1 with a server channel pointed at it, for the
// end-to-end tests of everything that talks to the server. Both run on the test's
// thread: the channel's waits run the event loop that serves the simulator.

#include <QObject>
#include <functional>
#include <string>

#include "gateway/gateway_config.h"
#include "gateway/gateway_server.h"
#include "platform/clock.h"
#include "session/server_channel.h"
#include "settings/app_settings.h"

namespace corvane::test {

// Processes events until `done` holds (true) or `timeout_ms` of real time pass (false).
bool RunUntil(const std::function<bool()>& done, int timeout_ms = 5000);

// Runs actions from the event loop while the test waits in a call. Actions not
// yet run when the object goes are dropped, so none outlives its test.
class Later : public QObject {
  public:
    void Run(std::function<void()> action, int after_ms = 0);
    // Runs `action` every `every_ms` from now on.
    void Repeat(std::function<void()> action, int every_ms);
};

// A simulator config with the accounts the tests log in with: "ann" with password
// "s3cret", and "kiosk", which needs no password.
gateway::GatewayConfig TestGatewayConfig();

// Installs a ManualClock for the test's lifetime.
class ManualClockScope {
  public:
    ManualClockScope();
    ~ManualClockScope();
    ManualClockScope(const ManualClockScope&) = delete;
    ManualClockScope& operator=(const ManualClockScope&) = delete;
    ManualClock clock;

  private:
    Clock* previous_;
};

struct GatewayAndChannel {
    explicit GatewayAndChannel(gateway::GatewayConfig config = TestGatewayConfig());
    // Connects, checks the greeting, and fails the test when that does not work.
    void Connect();

    AppSettings settings;
    gateway::GatewayServer server;
    ServerChannel channel;
};

// A loopback port that nobody listens on (it was free a moment ago).
int UnusedLoopbackPort();

}  // namespace corvane::test
