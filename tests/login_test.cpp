// The login handshake end to end against the gateway simulator: session keys,
// plain and scrambled passwords, the five attempts and what the user is shown.

#include <gtest/gtest.h>

#include "session/support.h"
#include "tests/support/box_recorder.h"
#include "tests/support/gateway_fixture.h"

namespace corvane::test {
namespace {

using Commands = std::vector<std::string>;

Commands Repeat(const Commands& commands, int times) {
    Commands all;
    for (int i = 0; i < times; ++i)
        all.insert(all.end(), commands.begin(), commands.end());
    return all;
}

gateway::GatewayConfig WithKeys(std::vector<std::string> keys) {
    gateway::GatewayConfig config = TestGatewayConfig();
    config.session_keys_hex = std::move(keys);
    return config;
}

gateway::GatewayConfig WithoutKeys() {
    gateway::GatewayConfig config = TestGatewayConfig();
    config.offer_session_key = false;
    return config;
}

// The "pase" line the channel must send for `password` under `key`.
std::string PaseLine(std::string password, const std::string& key) {
    ScrambleText(password, key);
    return "pase " + HexEncode(password);
}

TEST(Login, ScrambledPasswordIsAcceptedByTheGateway) {
    BoxRecorder boxes;
    GatewayAndChannel net(WithKeys({"0102030405060708090A"}));
    EXPECT_TRUE(net.channel.OpenSession());
    EXPECT_TRUE(net.channel.LoggedIn);
    EXPECT_EQ(net.channel.LastReply, "222 Logged in");
    const std::string key = "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A";
    EXPECT_EQ(std::string(net.channel.SessionKey.data(), 10), key);
    EXPECT_EQ(net.server.ReceivedCommands(),
              (Commands{"CRYP", "user ann", PaseLine("s3cret", key)}));
}

// Random keys now and then spoil the password; the login copes all the same.
TEST(Login, RandomKeysWorkToo) {
    BoxRecorder boxes;
    GatewayAndChannel net;
    for (int round = 0; round < 20; ++round) {
        EXPECT_TRUE(net.channel.OpenSession()) << round;
        net.channel.CloseSocket();
    }
    EXPECT_EQ(net.server.ConnectionsAccepted(), 20);
}

TEST(Login, ShortAndLongKeysAreSharedWithTheGateway) {
    // The channel keeps ten bytes, missing ones zero; the gateway decodes alike.
    struct Case {
        std::string hex;
        std::string kept;  // SessionKey's ten bytes
    };
    const Case cases[] = {
        {"41", std::string("A\0\0\0\0\0\0\0\0\0", 10)},
        {"4142434445464748", std::string("ABCDEFGH\0\0", 10)},
        {"414243444546474849", std::string("ABCDEFGHI\0", 10)},
        {"4142434445464748494A4B4C", "ABCDEFGHIJ"},
    };
    for (const Case& c : cases) {
        BoxRecorder boxes;
        GatewayAndChannel net(WithKeys({c.hex}));
        EXPECT_TRUE(net.channel.OpenSession()) << c.hex;
        EXPECT_EQ(std::string(net.channel.SessionKey.data(), 10), c.kept) << c.hex;
        EXPECT_TRUE(net.channel.LoggedIn) << c.hex;
    }
}

TEST(Login, WithoutKeySupportThePasswordGoesPlainAndCrypIsAskedEachAttempt) {
    BoxRecorder boxes;
    GatewayAndChannel net(WithoutKeys());
    net.settings.ServerPassword = "wrong";
    EXPECT_FALSE(net.channel.OpenSession());
    EXPECT_EQ(net.server.ReceivedCommands(), Repeat({"CRYP", "user ann", "pass wrong"}, 5));
    EXPECT_EQ(boxes.TakeTexts(), Commands{"530 Login incorrect"});
    EXPECT_FALSE(net.channel.LoggedIn);
    EXPECT_TRUE(net.channel.SocketConnected);  // left open for the caller to close

    net.settings.ServerPassword = "s3cret";
    EXPECT_TRUE(net.channel.OpenSession());  // on the same connection, no greeting
    EXPECT_EQ(net.server.ConnectionsAccepted(), 1);
    EXPECT_EQ(net.server.ReceivedCommands().back(), "pass s3cret");
}

TEST(Login, KeyIsReusedByTheLaterAttemptsAndTheLastReplyIsShown) {
    BoxRecorder boxes;
    GatewayAndChannel net(WithKeys({"0102030405060708090A"}));
    net.settings.ServerPassword = "wrong";
    EXPECT_FALSE(net.channel.OpenSession());
    const std::string key = "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A";
    Commands expected{"CRYP"};
    const Commands attempt = Repeat({"user ann", PaseLine("wrong", key)}, 5);
    expected.insert(expected.end(), attempt.begin(), attempt.end());
    EXPECT_EQ(net.server.ReceivedCommands(), expected);
    const std::vector<BoxRequest> shown = boxes.Take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "530 Login incorrect");
    EXPECT_EQ(shown[0].title, "Corvane");
    EXPECT_EQ(shown[0].kind, BoxKind::Message);
}

TEST(Login, LoginWithoutPasswordSucceedsButLeavesLoggedInClear) {
    BoxRecorder boxes;
    GatewayAndChannel net;
    net.settings.ServerLoginName = "kiosk";
    net.settings.ServerPassword = "";
    EXPECT_TRUE(net.channel.OpenSession());
    EXPECT_FALSE(net.channel.LoggedIn);
    EXPECT_EQ(net.server.ReceivedCommands(), (Commands{"CRYP", "user kiosk"}));

    // Not logged in, so the next call runs the handshake again on this connection.
    EXPECT_TRUE(net.channel.OpenSession());
    EXPECT_EQ(net.server.ReceivedCommands(), (Commands{"CRYP", "user kiosk", "user kiosk"}));
    EXPECT_EQ(net.server.ConnectionsAccepted(), 1);
}

TEST(Login, AlreadyLoggedInMeansNoTrafficAndAnUntouchedBuffer) {
    BoxRecorder boxes;
    GatewayAndChannel net(WithKeys({"0102030405060708090A"}));
    ASSERT_TRUE(net.channel.OpenSession());
    net.channel.ReceiveBuffer = "left over";
    EXPECT_TRUE(net.channel.OpenSession());
    EXPECT_EQ(net.channel.ReceiveBuffer, "left over");
    // TCP keeps the order: the marker comes right after the login if nothing was sent.
    net.channel.SendLine("MARK");
    ASSERT_TRUE(RunUntil([&] { return net.server.Received().size() == 4; }));
    EXPECT_EQ(net.server.ReceivedCommands()[3], "MARK");
}

TEST(Login, ServerCloseEndsTheLoginAndTheNextSessionStartsAfresh) {
    BoxRecorder boxes;
    GatewayAndChannel net(WithKeys({"0102030405060708090A", "1112131415161718191A"}));
    ASSERT_TRUE(net.channel.OpenSession());
    net.server.CloseConnections();
    ASSERT_TRUE(RunUntil([&] { return !net.channel.SocketConnected; }));
    EXPECT_FALSE(net.channel.LoggedIn);
    EXPECT_EQ(net.channel.SessionKey[0], '\0');

    EXPECT_TRUE(net.channel.OpenSession());
    EXPECT_EQ(net.server.ConnectionsAccepted(), 2);
    EXPECT_EQ(net.channel.SessionKey[0], '\x11');  // a key of its own
    EXPECT_EQ(
        net.server.ReceivedCommands(),
        (Commands{"CRYP", "user ann",
                  PaseLine("s3cret", "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A"), "CRYP",
                  "user ann", PaseLine("s3cret", "\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1A")}));
}

TEST(Login, KeyThatWouldCutThePasswordIsTradedForAnother) {
    // With key bytes 01 73 the first key value is 0x173, whose low byte equals the
    // password's first byte 's': scrambled, it turns into a zero byte, and the hex
    // form would end before it ever began.
    BoxRecorder boxes;
    GatewayAndChannel net(WithKeys({"0173", "0102030405060708090A"}));
    EXPECT_TRUE(net.channel.OpenSession());
    EXPECT_TRUE(net.channel.LoggedIn);
    EXPECT_EQ(net.server.ReceivedCommands(),
              (Commands{"CRYP", "CRYP", "user ann",
                        PaseLine("s3cret", "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A")}));
}

TEST(Login, GatewayGivingOnlySpoilingKeysIsAskedAFewTimesOnly) {
    BoxRecorder boxes;
    GatewayAndChannel net(WithKeys({"0173"}));
    EXPECT_FALSE(net.channel.OpenSession());
    const Commands sent = net.server.ReceivedCommands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "CRYP"), 3);
    // The cut password is never traded for a plain one.
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "pase "), 5);
    EXPECT_EQ(boxes.TakeTexts(), Commands{"530 Login incorrect"});
}

TEST(Login, SilentGatewayFailsAfterFiveAttemptsWithoutABox) {
    ManualClockScope time;
    BoxRecorder boxes;
    gateway::GatewayConfig config = TestGatewayConfig();
    config.faults.silent_after_greeting = true;
    GatewayAndChannel net(config);
    Later later;
    later.Repeat([&] { time.clock.Advance(1000); }, 1);
    EXPECT_FALSE(net.channel.OpenSession());
    EXPECT_EQ(net.server.ReceivedCommands(), Repeat({"CRYP", "user ann"}, 5));
    // Ten reads of 21 seconds each.
    EXPECT_GE(time.clock.ElapsedMs(), 210'000);
    EXPECT_LT(time.clock.ElapsedMs(), 215'000);
    EXPECT_TRUE(boxes.Take().empty());  // no reply to "user", so nothing to show
}

TEST(Login, RefusedConnectionShowsTwoBoxes) {
    BoxRecorder boxes;
    GatewayAndChannel net;
    net.channel.SetTarget({SocketTarget::Kind::Address, "127.0.0.1", UnusedLoopbackPort()});
    EXPECT_FALSE(net.channel.OpenSession());
    const std::vector<BoxRequest> shown = boxes.Take();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].kind, BoxKind::ShowMessage);
    EXPECT_EQ(shown[0].text, "Error connecting to Server");
    EXPECT_EQ(shown[1].kind, BoxKind::Message);
    EXPECT_EQ(shown[1].title, "Corvane");
    EXPECT_EQ(shown[1].text, "Can't open connection to the server");
}

TEST(Login, UnresolvableHostShowsOnlyTheCallersBox) {
    BoxRecorder boxes;
    GatewayAndChannel net;
    net.channel.SetTarget({SocketTarget::Kind::Host, "no-such-gateway.invalid", 2708});
    EXPECT_FALSE(net.channel.OpenSession());
    EXPECT_EQ(boxes.TakeTexts(), Commands{"Can't open connection to the server"});
}

}  // namespace
}  // namespace corvane::test
