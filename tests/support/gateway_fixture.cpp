#include "tests/support/gateway_fixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTimer>

namespace corvane::test {

bool RunUntil(const std::function<bool()>& done, int timeout_ms) {
    // Blocks on events rather than polling, so the tests run at the speed of the
    // loopback; the timer only ends the last wait on time.
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.start(timeout_ms);
    while (!done()) {
        if (elapsed.elapsed() >= timeout_ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

void Later::Run(std::function<void()> action, int after_ms) {
    QTimer::singleShot(after_ms, this, std::move(action));
}

void Later::Repeat(std::function<void()> action, int every_ms) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, std::move(action));
    timer->start(every_ms);
}

gateway::GatewayConfig TestGatewayConfig() {
    gateway::GatewayConfig config;
    gateway::Account ann;
    ann.login = "ann";
    ann.password = "s3cret";
    gateway::Account kiosk;
    kiosk.login = "kiosk";
    kiosk.password_wanted = false;
    config.accounts = {ann, kiosk};
    return config;
}

ManualClockScope::ManualClockScope() : previous_(SetClock(&clock)) {}

ManualClockScope::~ManualClockScope() {
    SetClock(previous_);
}

GatewayAndChannel::GatewayAndChannel(gateway::GatewayConfig config)
    : server(std::move(config)), channel(settings) {
    // What the simulator prints stays out of the test log.
    server.SetOutput([](const std::string&) {}, [](const std::string&) {});
    EXPECT_TRUE(server.Listen()) << server.ErrorText();
    settings.ServerIPAddress = "127.0.0.1";
    settings.ServerIPPort = server.Port();
    settings.ServerLoginName = "ann";
    settings.ServerPassword = "s3cret";
    channel.SetTarget({SocketTarget::Kind::Address, "127.0.0.1", server.Port()});
}

void GatewayAndChannel::Connect() {
    ASSERT_TRUE(channel.ConnectServer());
    ASSERT_TRUE(channel.SocketConnected);
    ASSERT_TRUE(RunUntil([this] { return server.OpenConnections() == 1; }));
}

int UnusedLoopbackPort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 1;
    const int port = probe.serverPort();
    probe.close();
    return port;
}

}  // namespace corvane::test
