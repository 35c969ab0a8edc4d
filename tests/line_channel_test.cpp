// The line channel end to end against the gateway simulator on 127.0.0.1:
// framing, reply codes, timeouts, connecting, socket errors and the faults a
// broken or vanishing server brings.

#include <gtest/gtest.h>
#include <time.h>

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include "session/socket_errors.h"
#include "tests/support/box_recorder.h"
#include "tests/support/gateway_fixture.h"

namespace corvane::test {
namespace {

class LineChannel : public ::testing::Test {
  protected:
    explicit LineChannel(gateway::GatewayConfig config = TestGatewayConfig()) : net(config) {}

    // Sends raw bytes from the simulator and waits until the channel holds them.
    void ServerSends(const std::string& bytes) {
        net.server.SendRaw(bytes);
        ASSERT_TRUE(
            RunUntil([&] { return channel.ReceiveBuffer.find(bytes) != std::string::npos; }));
    }

    // A wait on a clock that stands still ends only when the test moves it: should
    // the awaited text never come, this ends the wait (and fails the test) instead
    // of hanging.
    void GiveUpLater(ManualClock& clock) {
        later.Run([&clock] { clock.Advance(1'000'000); }, 3000);
    }

    BoxRecorder boxes;
    GatewayAndChannel net;
    ServerChannel& channel = net.channel;
    Later later;
};

TEST_F(LineChannel, ConnectServerReadsTheGreeting) {
    EXPECT_TRUE(channel.ConnectServer());
    EXPECT_TRUE(channel.SocketConnected);
    EXPECT_FALSE(channel.SocketFailed);
    EXPECT_EQ(channel.LastReply, "220 Corvane SMS gateway ready");
    EXPECT_TRUE(channel.ReceiveBuffer.empty());
}

TEST_F(LineChannel, TwoLinesInOneReadAreTakenOneAtATime) {
    net.Connect();
    ServerSends("250 one\r\n  251 two \t\r\n");
    EXPECT_EQ(channel.ReadReplyLine(20), "250 one");
    EXPECT_EQ(channel.ReceiveBuffer, "  251 two \t\r\n");
    // Already there: found in the first pass, so even a wait of 0 seconds gets it.
    EXPECT_EQ(channel.ReadReplyLine(0), "251 two");
    EXPECT_EQ(channel.LastReply, "251 two");
    EXPECT_TRUE(channel.ReceiveBuffer.empty());
}

TEST_F(LineChannel, ReplyCodesAreReadFromTheStartOfEachLine) {
    struct Case {
        std::string line;
        std::string last_reply;
        int code;
    };
    const Case cases[] = {
        {"25", "25", 0},    // two characters
        {"abc", "abc", 0},  // letters
        {"250-more follows", "250-more follows", 250},
        {"2251", "2251", 2251},  // four digits are read whole
        {"  220 hello \r", "220 hello", 220},
        {"", "", 0},  // an empty line is a line all the same
    };
    net.Connect();
    std::string bytes;
    for (const Case& c : cases)
        bytes += c.line + "\n";
    ServerSends(bytes);
    for (const Case& c : cases) {
        EXPECT_EQ(channel.ReadReplyCode(5), c.code) << c.line;
        EXPECT_EQ(channel.LastReply, c.last_reply);
    }
}

TEST_F(LineChannel, PartialLineStaysAtTheFrontAfterATimeout) {
    ManualClockScope time;
    net.Connect();
    ServerSends("250 part");
    later.Run([&] { time.clock.Advance(21'000); });
    EXPECT_EQ(channel.ReadReplyLine(20), "");
    EXPECT_EQ(channel.LastReply, "");
    EXPECT_EQ(channel.ReceiveBuffer, "250 part");

    net.server.SendRaw("ial\n");
    GiveUpLater(time.clock);
    EXPECT_EQ(channel.ReadReplyLine(20), "250 partial");
}

TEST_F(LineChannel, TwentySecondWaitGivesUpOnlyAfterTwentyOne) {
    ManualClockScope time;
    net.Connect();
    bool returned = false;
    bool waiting_at_20_999 = false;
    later.Run([&] {
        time.clock.Advance(20'999);
        later.Run(
            [&] {
                waiting_at_20_999 = !returned;
                time.clock.Advance(1);
            },
            50);
    });
    EXPECT_EQ(channel.ReadReplyCode(20), 0);
    returned = true;
    EXPECT_TRUE(waiting_at_20_999);
    EXPECT_EQ(time.clock.ElapsedMs(), 21'000);
    EXPECT_EQ(channel.LastReply, "");
}

TEST_F(LineChannel, ReplyArrivingInTheTwentyFirstSecondIsTaken) {
    ManualClockScope time;
    net.Connect();
    later.Run([&] {
        time.clock.Advance(20'900);
        later.Run([&] { net.server.SendRaw("250 late\n"); }, 20);
    });
    EXPECT_EQ(channel.ReadReplyCode(20), 250);
}

TEST_F(LineChannel, WaitWithTheSystemClockBlocksInsteadOfSpinning) {
    net.Connect();
    const auto cpu_ms = [] {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    };
    const double cpu_before = cpu_ms();
    const std::int64_t wall_before = CurrentClock().ElapsedMs();
    EXPECT_EQ(channel.WaitForText("\n", 1), 0);
    const double wall = double(CurrentClock().ElapsedMs() - wall_before);
    const double cpu = cpu_ms() - cpu_before;
    EXPECT_GE(wall, 2000.0);  // a wait of 1 second gives up once 2 whole seconds passed
    EXPECT_LT(wall, 3000.0);
    EXPECT_LT(cpu, 0.2 * wall) << "cpu " << cpu << " ms over " << wall << " ms";
}

TEST_F(LineChannel, ConnectServerOnAnOpenSocketReadsNothing) {
    net.Connect();
    ServerSends("999 not read\n");
    EXPECT_TRUE(channel.ConnectServer());
    EXPECT_EQ(channel.ReceiveBuffer, "999 not read\n");
    EXPECT_EQ(net.server.ConnectionsAccepted(), 1);
}

TEST_F(LineChannel, OtherGreetingFailsAndLeavesTheSocketOpen) {
    net.server.Faults().refuse_greeting = true;
    EXPECT_FALSE(channel.ConnectServer());
    EXPECT_EQ(channel.LastReply, "421 Service not available, closing");
    EXPECT_TRUE(channel.SocketConnected);
    EXPECT_EQ(channel.ClientSocket1->state(), QAbstractSocket::ConnectedState);
    EXPECT_TRUE(channel.ConnectServer());  // at once, without a greeting
    EXPECT_EQ(net.server.ConnectionsAccepted(), 1);
}

TEST_F(LineChannel, SilentServerGreetingTimesOut) {
    ManualClockScope time;
    net.server.Faults().silent = true;
    later.Repeat([&] { time.clock.Advance(1000); }, 1);
    EXPECT_FALSE(channel.ConnectServer());
    EXPECT_GE(time.clock.ElapsedMs(), 21'000);
    EXPECT_EQ(channel.LastReply, "");
    EXPECT_TRUE(channel.SocketConnected);  // left open for the caller
}

TEST_F(LineChannel, UnresolvableHostGivesNoBox) {
    channel.SetTarget({SocketTarget::Kind::Host, "no-such-gateway.invalid", 2708});
    EXPECT_FALSE(channel.ConnectServer());
    EXPECT_TRUE(boxes.Take().empty());
    EXPECT_TRUE(channel.SocketFailed);
    EXPECT_FALSE(channel.SocketConnected);
    EXPECT_EQ(channel.ClientSocket1->state(), QAbstractSocket::UnconnectedState);
}

TEST_F(LineChannel, RefusedConnectionShowsTheConnectError) {
    channel.SetTarget({SocketTarget::Kind::Address, "127.0.0.1", UnusedLoopbackPort()});
    EXPECT_FALSE(channel.ConnectServer());
    const std::vector<BoxRequest> shown = boxes.Take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, BoxKind::ShowMessage);
    EXPECT_EQ(shown[0].title, "Corvane");
    EXPECT_EQ(shown[0].text, "Error connecting to Server");
    EXPECT_TRUE(channel.SocketFailed);
    EXPECT_EQ(channel.ClientSocket1->state(), QAbstractSocket::UnconnectedState);
}

TEST_F(LineChannel, TargetThatCannotBeOpenedFailsAtOnce) {
    const SocketTarget targets[] = {
        {SocketTarget::Kind::Address, "gateway.example", 2708},  // not a numeric address
        {SocketTarget::Kind::Address, "127.0.0.1", 0},
        {SocketTarget::Kind::Address, "127.0.0.1", 70000},
        {SocketTarget::Kind::Host, "", 2708},
    };
    for (const SocketTarget& target : targets) {
        channel.SetTarget(target);
        EXPECT_FALSE(channel.ConnectServer()) << target.name << ":" << target.port;
        const std::vector<BoxRequest> shown = boxes.Take();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].kind, BoxKind::Message);
        EXPECT_EQ(shown[0].title, "Corvane");
        EXPECT_EQ(shown[0].text, "Error Connecting to Server");
        EXPECT_TRUE(channel.SocketFailed);
    }
    EXPECT_EQ(net.server.ConnectionsAccepted(), 0);
}

TEST_F(LineChannel, SendLineTurnsLineBreaksIntoSpaces) {
    struct Case {
        std::string text;
        std::string on_wire;  // what the server receives before the LF
    };
    const Case cases[] = {
        {"user ann", "user ann\r"}, {"a\r\nb", "a b\r"},  {"a\rb", "a b\r"},     {"a\nb", "a b\r"},
        {"a\r\n\r\nb", "a  b\r"},   {"a\n\rb", "a  b\r"}, {"end\r\n", "end \r"}, {"", "\r"},
    };
    net.Connect();
    for (const Case& c : cases)
        channel.SendLine(c.text);
    ASSERT_TRUE(RunUntil([&] { return net.server.Received().size() >= std::size(cases); }));
    ASSERT_EQ(net.server.Received().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(net.server.Received()[i].raw, cases[i].on_wire) << i;
    }
}

TEST_F(LineChannel, SendingWithoutAConnectionReturnsAtOnce) {
    QElapsedTimer timer;
    timer.start();
    channel.SendLine(std::string(1 << 20, 'x'));
    channel.SendText("QUIT\r\n");
    net.Connect();
    channel.CloseSocket();
    channel.SendLine("QUIT");
    EXPECT_LT(timer.elapsed(), 2000);
    RunUntil([&] { return net.server.OpenConnections() == 0; });
    EXPECT_TRUE(net.server.Received().empty());
}

TEST_F(LineChannel, ConnectionLostWhileWritingEndsTheWrite) {
    net.Connect();
    net.server.CloseConnections();
    // No events run here, so the channel learns of the close only from a write
    // the system refuses.
    QElapsedTimer timer;
    timer.start();
    const std::string block(64 * 1024, 'x');
    for (int i = 0; i < 200 && channel.ClientSocket1->state() == QAbstractSocket::ConnectedState;
         ++i) {
        channel.SendLine(block);
        QThread::msleep(2);
    }
    EXPECT_NE(channel.ClientSocket1->state(), QAbstractSocket::ConnectedState);
    channel.SendLine("QUIT");
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_FALSE(channel.SocketConnected);
    EXPECT_TRUE(boxes.Take().empty());  // the server closing is no error
}

TEST_F(LineChannel, ReplyFollowedAtOnceByTheCloseIsStillRead) {
    ManualClockScope time;
    net.server.ScriptReply("MESS", {"250 1234"});
    net.server.Faults().close_after_command = "MESS";
    net.Connect();
    channel.SendLine("MESS 0,V,1,447700900123,hi,");
    ASSERT_TRUE(RunUntil([&] { return !channel.SocketConnected; }));
    GiveUpLater(time.clock);
    EXPECT_EQ(channel.ReadReplyCode(30), 250);
    EXPECT_EQ(channel.LastReply, "250 1234");
    EXPECT_EQ(time.clock.ElapsedMs(), 0);
}

TEST_F(LineChannel, ServerCloseKeepsCompleteLinesAndDropsAPartialOne) {
    net.Connect();
    channel.LoggedIn = true;
    channel.SessionKey[0] = 'K';
    ServerSends("250 1234\n251 cut sh");
    net.server.CloseConnections();
    ASSERT_TRUE(RunUntil([&] { return !channel.SocketConnected; }));
    EXPECT_EQ(channel.ReceiveBuffer, "250 1234\n");
    EXPECT_FALSE(channel.LoggedIn);
    EXPECT_EQ(channel.SessionKey[0], '\0');
    EXPECT_TRUE(boxes.Take().empty());
}

TEST_F(LineChannel, ClosingTheSocketDropsEverythingReceived) {
    net.Connect();
    channel.LoggedIn = true;
    channel.SessionKey[0] = 'K';
    ServerSends("250 unread\n");
    channel.CloseSocket();
    EXPECT_TRUE(channel.ReceiveBuffer.empty());
    EXPECT_FALSE(channel.SocketConnected);
    EXPECT_FALSE(channel.LoggedIn);
    EXPECT_EQ(channel.SessionKey[0], '\0');
    EXPECT_EQ(channel.ClientSocket1->state(), QAbstractSocket::UnconnectedState);
}

TEST_F(LineChannel, EndlessLineIsTreatedAsABrokenConnection) {
    ManualClockScope time;
    net.Connect();
    ServerSends("250 ok\n");
    net.server.Faults().endless_line = true;
    channel.SendLine("MESS 0,V,1,447700900123,hi,");
    ASSERT_TRUE(RunUntil([&] { return !channel.SocketConnected; }));
    EXPECT_EQ(channel.ReceiveBuffer, "250 ok\n");
    GiveUpLater(time.clock);
    EXPECT_EQ(channel.ReadReplyLine(30), "250 ok");
    // Nothing more can come; the read ends empty by its timeout.
    later.Run([&] { time.clock.Advance(31'000); });
    EXPECT_EQ(channel.ReadReplyLine(30), "");
    EXPECT_TRUE(channel.ReceiveBuffer.empty());
    EXPECT_TRUE(RunUntil([&] { return net.server.OpenConnections() == 0; }));
    EXPECT_TRUE(boxes.Take().empty());
}

TEST_F(LineChannel, LongestPartialLineIsStillKept) {
    net.Connect();
    const std::string longest(ServerChannel::kMaxPartialLine, 'y');
    ServerSends("250 ok\n" + longest);
    EXPECT_TRUE(channel.SocketConnected);
    net.server.SendRaw("\n");
    EXPECT_EQ(channel.ReadReplyLine(5), "250 ok");
    EXPECT_EQ(channel.ReadReplyLine(5), longest);
}

struct ErrorCase {
    QAbstractSocket::SocketError error;
    SocketPhase phase;
    const char* message;  // nullptr: no box
};

TEST(SocketErrors, EachErrorShowsTheMessageOfWhatItSpoiled) {
    using E = QAbstractSocket::SocketError;
    using P = SocketPhase;
    const ErrorCase cases[] = {
        {E::ConnectionRefusedError, P::Connecting, "Error connecting to Server"},
        {E::NetworkError, P::Connecting, "Error connecting to Server"},
        {E::SocketTimeoutError, P::Connecting, "Error connecting to Server"},
        {E::ProxyConnectionRefusedError, P::Connecting, "Error connecting to Server"},
        {E::NetworkError, P::Idle, "Error Receiving from Socket"},
        {E::NetworkError, P::Writing, "Error writing to Socket"},
        {E::NetworkError, P::Closing, "Error disconnecting from Server"},
        {E::SocketResourceError, P::Connecting, "General Socket Error"},
        {E::UnknownSocketError, P::Idle, "General Socket Error"},
        {E::OperationError, P::Writing, "General Socket Error"},
        {E::HostNotFoundError, P::Connecting, nullptr},
        {E::RemoteHostClosedError, P::Idle, nullptr},
        {E::RemoteHostClosedError, P::Writing, nullptr},
    };
    for (const ErrorCase& c : cases) {
        const char* message = SocketErrorMessage(ClassifySocketError(c.error, c.phase));
        if (c.message == nullptr) {
            EXPECT_EQ(message, nullptr) << int(c.error);
        } else {
            ASSERT_NE(message, nullptr) << int(c.error);
            EXPECT_STREQ(message, c.message);
        }
    }
    EXPECT_STREQ(SocketErrorMessage(SocketErrorKind::Accept), "Accept Socket Error");
    EXPECT_EQ(ClassifySocketError(E::RemoteHostClosedError, P::Idle), SocketErrorKind::PeerClosed);
}

TEST_F(LineChannel, ErrorEventShowsItsMessageAndMarksTheFailure) {
    net.Connect();
    channel.ClientSocket1Error(QAbstractSocket::NetworkError);
    EXPECT_EQ(boxes.TakeTexts(), std::vector<std::string>{"Error Receiving from Socket"});
    EXPECT_TRUE(channel.SocketFailed);

    channel.SocketFailed = false;
    channel.ClientSocket1Error(QAbstractSocket::RemoteHostClosedError);
    EXPECT_TRUE(boxes.Take().empty());
    EXPECT_FALSE(channel.SocketFailed);  // a close is the disconnect event's business
}

}  // namespace
}  // namespace corvane::test
