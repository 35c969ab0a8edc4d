// The gateway simulator on its own, spoken to by a plain socket: every command
// of the gateway protocol, delivery states over time, its config and command
// line, the faults it plays, and the corvane-gateway program itself.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QTcpSocket>
#include <charconv>
#include <memory>
#include <optional>

#include "gateway/command_line.h"
#include "platform/clock.h"
#include "session/reply_parsing.h"
#include "session/support.h"
#include "tests/support/gateway_fixture.h"

namespace corvane::test {
namespace {

using gateway::Delivery;
using Lines = std::vector<std::string>;

// A bare client: lines out with CR LF, bytes in as they come.
class RawClient {
  public:
    explicit RawClient(std::uint16_t port) {
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] {
            const QByteArray data = socket_.readAll();
            received_.append(data.constData(), std::size_t(data.size()));
        });
        socket_.connectToHost(QHostAddress::LocalHost, port);
        EXPECT_TRUE(
            RunUntil([this] { return socket_.state() == QAbstractSocket::ConnectedState; }));
    }

    void Send(const std::string& line) { SendRaw(line + "\r\n"); }
    void SendRaw(const std::string& bytes) {
        socket_.write(bytes.data(), qint64(bytes.size()));
        socket_.flush();
    }
    // The next line without its line end; nullopt when none came in time.
    std::optional<std::string> ReadLine(int timeout_ms = 3000) {
        if (!RunUntil([this] { return received_.find('\n') != std::string::npos; }, timeout_ms)) {
            return std::nullopt;
        }
        const std::size_t end = received_.find('\n');
        std::string line = received_.substr(0, end);
        received_.erase(0, end + 1);
        return line;
    }
    Lines ReadLines(int count) {
        Lines lines;
        for (int i = 0; i < count; ++i)
            lines.push_back(ReadLine().value_or("(nothing)"));
        return lines;
    }
    std::string Exchange(const std::string& line) {
        Send(line);
        return ReadLine().value_or("(nothing)");
    }
    bool WaitClosed(int timeout_ms = 3000) {
        return RunUntil([this] { return socket_.state() == QAbstractSocket::UnconnectedState; },
                        timeout_ms);
    }
    // Received bytes not yet taken as a line.
    const std::string& Pending() const { return received_; }
    void Idle(int ms) {
        RunUntil([] { return false; }, ms);
    }

  private:
    QTcpSocket socket_;
    std::string received_;
};

class Gateway : public ::testing::Test {
  protected:
    Gateway() : server(TestGatewayConfig()) {
        server.SetOutput([this](const std::string& text) { printed.push_back(text); },
                         [](const std::string&) {});
        server.Config().clock = &clock;
        EXPECT_TRUE(server.Listen()) << server.ErrorText();
    }

    // A connection past the greeting.
    std::unique_ptr<RawClient> Connect() {
        auto client = std::make_unique<RawClient>(server.Port());
        EXPECT_EQ(client->ReadLine(), "220 Corvane SMS gateway ready");
        return client;
    }
    std::unique_ptr<RawClient> LoggedIn(const std::string& login = "ann") {
        auto client = Connect();
        client->Send("user " + login);
        client->ReadLine();
        if (login == "ann") {
            EXPECT_EQ(client->Exchange("pass s3cret"), "222 Logged in");
        }
        return client;
    }

    ManualClock clock;
    gateway::GatewayServer server;
    Lines printed;
};

// The delivery time of a CLOG line read the way the client reads it: the third
// blank-separated token as a day number since 30 December 1899.
QDateTime TimeOfClogLine(const std::string& line) {
    const std::size_t start = line.find(' ', line.find(' ') + 1) + 1;
    double days = 0;
    const auto result = std::from_chars(line.data() + start, line.data() + line.size(), days);
    EXPECT_EQ(result.ptr, line.data() + line.size()) << line;
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0))
        .addMSecs(static_cast<qint64>(std::llround(days * 86'400'000.0)));
}

TEST_F(Gateway, AnswersEachLoginStepAsTheClientExpects) {
    struct Step {
        std::string line;
        std::string reply;
    };
    const std::vector<std::vector<Step>> conversations = {
        {{"user ann", "221 Password required for ann"}, {"pass s3cret", "222 Logged in"}},
        {{"user ann", "221 Password required for ann"},
         {"pass nope", "530 Login incorrect"},
         {"user ann", "221 Password required for ann"},
         {"pass s3cret", "222 Logged in"}},
        {{"user nobody", "221 Password required for nobody"}, {"pass x", "530 Login incorrect"}},
        {{"user kiosk", "511 Logged in, no password needed"}, {"CLOG 1", "265 End of log"}},
        {{"user ", "501 Login name missing"}},
        {{"pass s3cret", "503 Send user first"}},
        {{"user ann", "221 Password required for ann"}, {"pase 00", "503 Send CRYP first"}},
        {{"MESS 0,V,1,447700900123,hi,", "530 Not logged in"}},
        {{"CLOG 1", "530 Not logged in"}},
        {{"CREDIT", "530 Not logged in"}},
        {{"USAGE", "530 Not logged in"}},
        {{"ACOD 7172 447700900123", "530 Not logged in"}},
        {{"VERSION Corvane", "2.0.3.2"}},
        {{"HELO", "500 Unknown command"}},
        {{"cryp", "223"}},  // command words in any case; checked by prefix below
    };
    for (const auto& steps : conversations) {
        auto client = Connect();
        for (const Step& step : steps) {
            const std::string reply = client->Exchange(step.line);
            EXPECT_EQ(reply.substr(0, step.reply.size()), step.reply) << step.line;
            if (step.reply != "223") {
                EXPECT_EQ(reply, step.reply) << step.line;
            }
        }
    }
}

TEST_F(Gateway, ScrambledPasswordIsReadWithTheKeyItHandedOut) {
    server.Config().session_keys_hex = {"0102030405060708090A", "1112131415161718191A"};
    auto client = Connect();
    EXPECT_EQ(client->Exchange("CRYP"), "223 0102030405060708090A");
    std::string password = "s3cret";
    ScrambleText(password, "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A");
    EXPECT_EQ(client->Exchange("user ann"), "221 Password required for ann");
    EXPECT_EQ(client->Exchange("pase " + HexEncode(password)), "222 Logged in");

    // The same scrambled text under the key of another connection is refused.
    auto other = Connect();
    EXPECT_EQ(other->Exchange("CRYP"), "223 1112131415161718191A");
    other->Exchange("user ann");
    EXPECT_EQ(other->Exchange("pase " + HexEncode(password)), "530 Login incorrect");
}

TEST_F(Gateway, RandomKeysAreTenBytesWithoutZero) {
    auto client = Connect();
    for (int i = 0; i < 50; ++i) {
        const std::string line = client->Exchange("CRYP");
        ASSERT_EQ(line.substr(0, 4), "223 ");
        EXPECT_EQ(ExtractSessionKey(line).size(), 10u) << line;
    }
}

TEST_F(Gateway, WithoutKeysCrypIsRefused) {
    server.Config().offer_session_key = false;
    auto client = Connect();
    EXPECT_EQ(client->Exchange("CRYP"), "500 CRYP not supported");
}

TEST_F(Gateway, AcceptedMessagesGetIncreasingIdsAndAreKept) {
    server.Config().first_message_id = 1000;
    auto client = LoggedIn();
    const std::string first = "MESS 0,V,1,447700900123,\"Hello, there <Ann>\",447700900999";
    const std::string second = "MESS 0,V,1,447700900124,Hi,";
    EXPECT_EQ(client->Exchange(first), "250 1000");
    EXPECT_EQ(client->Exchange(second), "250 1001");
    ASSERT_EQ(server.Messages().size(), 2u);
    const gateway::StoredMessage& kept = server.Messages()[0];
    EXPECT_EQ(kept.id, 1000);
    EXPECT_EQ(kept.login, "ann");
    EXPECT_EQ(kept.raw_line, first);
    EXPECT_EQ(kept.Number(), "447700900123");
    EXPECT_EQ(kept.Text(), "Hello, there <Ann>");
    EXPECT_EQ(kept.Sender(), "447700900999");
    EXPECT_EQ(server.Messages()[1].Sender(), "");
}

TEST_F(Gateway, MalformedMessagesAreRefused) {
    struct Case {
        std::string line;
        std::string reply;
    };
    const Case cases[] = {
        {"MESS 0,V,1,447700900123,hi", "501 MESS needs six fields"},
        {"MESS 0,V,1,447700900123,hi,,", "501 MESS needs six fields"},
        {"MESS 0,V,1,447700900123,hello world,", "501 MESS needs six fields"},  // unquoted blank
        {"MESS 0,V,1,44770x900123,hi,", "550 Invalid number"},
        {"MESS 0,V,1,+447700900123,hi,", "550 Invalid number"},
        {"MESS 0,V,1,,hi,", "550 Invalid number"},
        {"MESS", "501 MESS needs six fields"},
    };
    auto client = LoggedIn();
    for (const Case& c : cases)
        EXPECT_EQ(client->Exchange(c.line), c.reply) << c.line;
    EXPECT_TRUE(server.Messages().empty());

    server.Config().accounts[0].credit = 1;
    EXPECT_EQ(client->Exchange("MESS 0,V,1,447700900123,hi,"), "250 1");
    EXPECT_EQ(client->Exchange("MESS 0,V,1,447700900123,hi,"), "552 Insufficient credit");
}

TEST(DayNumber, CountsDaysSinceTheEndOf1899WithTheTimeAsFraction) {
    EXPECT_EQ(gateway::DayNumberText(QDateTime(QDate(2008, 5, 5), QTime(14, 3, 9))),
              "39573.5855208333");
    EXPECT_EQ(gateway::DayNumberText(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), "0.0000000000");
    EXPECT_EQ(gateway::DayNumberText(QDateTime(QDate(1900, 1, 1), QTime(12, 0))), "2.5000000000");
}

TEST_F(Gateway, DeliveryStatesMoveOnWithTheClock) {
    server.Config().delivery = {5'000, 20'000, 50, 0};  // every second message fails
    const QDateTime start = clock.LocalNow();
    auto client = LoggedIn();
    EXPECT_EQ(client->Exchange("MESS 0,V,1,447700900123,one,"), "250 1");
    EXPECT_EQ(client->Exchange("MESS 0,V,1,447700900123,two,"), "250 2");

    // Still queued: the gateway has nothing to say about them yet.
    EXPECT_EQ(client->Exchange("CLOG 2,1"), "265 End of log");

    clock.Advance(5'000);
    client->Send("CLOG 2,1,99,abc");
    Lines lines = client->ReadLines(3);
    EXPECT_EQ(lines[0].substr(0, 6), "269 2 ");
    EXPECT_EQ(lines[1].substr(0, 6), "269 1 ");
    EXPECT_EQ(TimeOfClogLine(lines[1]), start.addSecs(5));
    EXPECT_EQ(lines[2], "265 End of log");

    clock.Advance(15'000);
    client->Send("CLOG 2,1");
    lines = client->ReadLines(3);
    EXPECT_EQ(lines[0], "261 2");
    EXPECT_EQ(lines[1].substr(0, 6), "268 1 ");
    EXPECT_EQ(TimeOfClogLine(lines[1]), start.addSecs(20));
    EXPECT_EQ(lines[2], "265 End of log");
}

TEST_F(Gateway, MessagesWithoutReportEndAsSentAndTestsCanForceAState) {
    server.Config().delivery = {1'000, 2'000, 0, 100};
    auto client = LoggedIn();
    client->Exchange("MESS 0,V,1,447700900123,one,");
    client->Exchange("MESS 0,V,1,447700900123,two,");
    clock.Advance(2'000);
    EXPECT_TRUE(server.SetDelivery(2, Delivery::Received));
    EXPECT_FALSE(server.SetDelivery(77, Delivery::Failed));
    client->Send("CLOG 1,2");
    const Lines lines = client->ReadLines(3);
    EXPECT_EQ(lines[0].substr(0, 6), "260 1 ");
    EXPECT_EQ(TimeOfClogLine(lines[0]), clock.LocalNow().addSecs(-1));  // when it was sent
    EXPECT_EQ(lines[1].substr(0, 6), "268 2 ");
    EXPECT_EQ(TimeOfClogLine(lines[1]), clock.LocalNow());  // when the test said so
    EXPECT_EQ(lines[2], "265 End of log");
}

TEST_F(Gateway, OtherAccountsMessagesAreNotReported) {
    server.Config().delivery = {0, 0, 0, 0};
    auto ann = LoggedIn();
    EXPECT_EQ(ann->Exchange("MESS 0,V,1,447700900123,hi,"), "250 1");
    auto kiosk = LoggedIn("kiosk");
    EXPECT_EQ(kiosk->Exchange("CLOG 1"), "265 End of log");
}

TEST_F(Gateway, CreditAndUsageCountTheAccountsMessages) {
    server.Config().accounts[0].last_payment = "01 May 2008 25.00";
    auto client = LoggedIn();
    const std::string mess = "MESS 0,V,1,447700900123,hi,";
    client->Exchange(mess);  // 05 May 2008
    clock.Advance(31LL * 24 * 3600 * 1000);
    client->Exchange(mess);  // 05 Jun 2008
    clock.Advance(31LL * 24 * 3600 * 1000);
    client->Exchange(mess);  // 06 Jul 2008
    client->Exchange(mess);
    auto kiosk = LoggedIn("kiosk");
    kiosk->Exchange(mess);  // someone else's

    client->Send("USAGE");
    EXPECT_EQ(client->ReadLines(4), (Lines{"235 4", "236 2", "237 1", "238 1"}));
    client->Send("CREDIT");
    EXPECT_EQ(client->ReadLines(4),
              (Lines{"225 96", "226 4", "227 06 Jul 2008 14:03:09", "228 01 May 2008 25.00"}));
}

TEST_F(Gateway, AcodSendsTheDecodedCode) {
    auto client = LoggedIn();
    std::string scrambled = "512345";
    ScrambleText(scrambled, TRIGOLDEX);
    EXPECT_EQ(client->Exchange("ACOD " + HexEncode(scrambled) + " 447700900123"), "250 Code sent");
    EXPECT_EQ(printed, Lines{"SMS to 447700900123: your code is 512345"});
    ASSERT_EQ(server.SentCodes().size(), 1u);
    EXPECT_EQ(server.SentCodes()[0].code, "512345");

    std::string letters = "12a";
    ScrambleText(letters, TRIGOLDEX);
    const Lines refused = {"ACOD " + HexEncode(scrambled), "ACOD " + HexEncode(letters) + " 44",
                           "ACOD " + HexEncode(scrambled) + " 44 77"};
    for (const std::string& line : refused) {
        EXPECT_EQ(client->Exchange(line), "501 ACOD needs a code and a number") << line;
    }
    EXPECT_EQ(server.SentCodes().size(), 1u);
}

TEST_F(Gateway, VersionAnswersTheConfiguredNewestVersion) {
    server.Config().newest_version = "2.0.3.10";
    auto client = Connect();
    EXPECT_EQ(client->Exchange("VERSION Corvane"), "2.0.3.10");
}

TEST_F(Gateway, QuitClosesWithoutAReply) {
    auto client = LoggedIn();
    client->Send("QUIT");
    EXPECT_TRUE(client->WaitClosed());
    EXPECT_EQ(client->Pending(), "");
    EXPECT_TRUE(RunUntil([&] { return server.OpenConnections() == 0; }));
}

TEST_F(Gateway, ReceivedLinesAreKeptRaw) {
    auto client = Connect();
    client->SendRaw("CRYP\r\nuser ann\n");
    ASSERT_TRUE(RunUntil([&] { return server.Received().size() == 2; }));
    EXPECT_EQ(server.Received()[0].raw, "CRYP\r");
    EXPECT_EQ(server.Received()[1].raw, "user ann");
    EXPECT_EQ(server.Received()[1].connection, 1);
    EXPECT_EQ(server.ReceivedCommands(), (Lines{"CRYP", "user ann"}));
}

// ---------------------------------------------------------------------------
// Faults

TEST_F(Gateway, SilentServerSendsNothingButHearsEverything) {
    server.Faults().silent = true;
    RawClient client(server.Port());
    client.Send("CRYP");
    EXPECT_EQ(client.ReadLine(300), std::nullopt);
    EXPECT_EQ(server.ReceivedCommands(), Lines{"CRYP"});
}

TEST_F(Gateway, SilentAfterGreetingGreetsOnly) {
    server.Faults().silent_after_greeting = true;
    auto client = Connect();
    client->Send("CRYP");
    EXPECT_EQ(client->ReadLine(300), std::nullopt);
}

TEST_F(Gateway, RefusedGreetingIsNot220) {
    server.Faults().refuse_greeting = true;
    RawClient client(server.Port());
    EXPECT_EQ(client.ReadLine(), "421 Service not available, closing");
}

TEST_F(Gateway, GarbageIsNoReply) {
    server.Faults().garbage = true;
    auto client = Connect();
    const std::string reply = client->Exchange("user ann");
    EXPECT_NE(reply, "221 Password required for ann");
    EXPECT_EQ(ReplyCodeOf(TrimReplyLine(reply)), 0);
}

TEST_F(Gateway, PartialRepliesLackTheirLineEnd) {
    server.Faults().partial_replies = true;
    auto client = Connect();
    client->Send("user ann");
    EXPECT_EQ(client->ReadLine(300), std::nullopt);
    EXPECT_EQ(client->Pending(), "221 Password required for ann");
}

TEST_F(Gateway, EndlessLineNeverEnds) {
    server.Faults().endless_line = true;
    auto client = Connect();
    client->Send("CRYP");
    EXPECT_TRUE(RunUntil([&] { return client->Pending().size() > 256 * 1024; }));
    EXPECT_EQ(client->Pending().find('\n'), std::string::npos);
}

TEST_F(Gateway, DelayedRepliesKeepTheirOrder) {
    server.Faults().reply_delay_ms = 300;
    auto client = Connect();
    QElapsedTimer timer;
    timer.start();
    client->Send("user ann");
    client->Send("pass s3cret");
    EXPECT_EQ(client->ReadLine(), "221 Password required for ann");
    EXPECT_GE(timer.elapsed(), 290);
    EXPECT_EQ(client->ReadLine(), "222 Logged in");
}

TEST_F(Gateway, ClosesAfterTheGivenNumberOfReplies) {
    server.Faults().close_after_replies = 2;
    auto client = Connect();
    client->Send("user ann");
    client->Send("pass s3cret");
    client->Send("CREDIT");
    EXPECT_EQ(client->ReadLines(2), (Lines{"221 Password required for ann", "222 Logged in"}));
    EXPECT_TRUE(client->WaitClosed());
    EXPECT_EQ(client->Pending(), "");
}

TEST_F(Gateway, ClosesRightAfterAnsweringTheNamedCommand) {
    server.Faults().close_after_command = "mess";
    auto client = LoggedIn();
    client->Send("MESS 0,V,1,447700900123,hi,");
    EXPECT_TRUE(client->WaitClosed());
    EXPECT_EQ(client->ReadLine(), "250 1");  // the reply came before the close
}

TEST_F(Gateway, ScriptedRepliesReplaceTheRealAnswer) {
    auto client = LoggedIn();
    server.ScriptReply("MESS", {"550 Invalid number"});
    server.ScriptReplyOnce("mess", {"250"});
    const std::string mess = "MESS 0,V,1,447700900123,hi,";
    EXPECT_EQ(client->Exchange(mess), "250");
    EXPECT_EQ(client->Exchange(mess), "550 Invalid number");
    EXPECT_EQ(client->Exchange(mess), "550 Invalid number");
    EXPECT_TRUE(server.Messages().empty());  // scripted answers touch nothing

    server.ScriptReply("CREDIT", {"225 5", "228 x"});
    client->Send("CREDIT");
    EXPECT_EQ(client->ReadLines(2), (Lines{"225 5", "228 x"}));
    server.ScriptReply("USAGE", {});
    client->Send("USAGE");
    EXPECT_EQ(client->ReadLine(300), std::nullopt);

    server.ClearScripts();
    EXPECT_EQ(client->Exchange(mess), "250 1");
}

TEST_F(Gateway, ClientLineWithoutEndIsCutOff) {
    auto client = Connect();
    client->SendRaw(std::string(gateway::GatewayServer::kMaxLine + 1, 'z'));
    EXPECT_TRUE(client->WaitClosed());
}

TEST_F(Gateway, TestsCanPushBytesAndHangUp) {
    auto client = Connect();
    server.SendRaw("250 pushed\n25");
    EXPECT_EQ(client->ReadLine(), "250 pushed");
    EXPECT_TRUE(RunUntil([&] { return client->Pending() == "25"; }));
    server.CloseConnections();
    EXPECT_TRUE(client->WaitClosed());
}

// ---------------------------------------------------------------------------
// Config file and command line

TEST(GatewayConfig, ReadsEveryDirective) {
    const std::string text =
        "# accounts\n"
        "account ann s3cret with blanks\r\n"
        "account kiosk\n"
        "   \n"
        "credit ann 7\n"
        "last-payment ann 01 May 2008 25.00\n"
        "session-key no\n"
        "key 0102\n"
        "key 0304\n"
        "newest-version 2.1.0.0\n"
        "first-id 500\n"
        "send-after 3\n"
        "deliver-after 9\n"
        "fail-percent 10\n"
        "no-report-percent 20\n"
        "reply MESS=550 Invalid number|251 more\n";
    gateway::GatewayConfig config;
    std::string error;
    ASSERT_TRUE(gateway::ParseGatewayConfig(text, config, error)) << error;
    ASSERT_EQ(config.accounts.size(), 2u);
    EXPECT_EQ(config.accounts[0].login, "ann");
    EXPECT_EQ(config.accounts[0].password, "s3cret with blanks");
    EXPECT_TRUE(config.accounts[0].password_wanted);
    EXPECT_EQ(config.accounts[0].credit, 7);
    EXPECT_EQ(config.accounts[0].last_payment, "01 May 2008 25.00");
    EXPECT_FALSE(config.accounts[1].password_wanted);
    EXPECT_FALSE(config.offer_session_key);
    EXPECT_EQ(config.session_keys_hex, (Lines{"0102", "0304"}));
    EXPECT_EQ(config.newest_version, "2.1.0.0");
    EXPECT_EQ(config.first_message_id, 500);
    EXPECT_EQ(config.delivery.send_after_ms, 3000);
    EXPECT_EQ(config.delivery.deliver_after_ms, 9000);
    EXPECT_EQ(config.delivery.fail_percent, 10);
    EXPECT_EQ(config.delivery.no_report_percent, 20);
    EXPECT_EQ(config.replies["MESS"], (Lines{"550 Invalid number", "251 more"}));
}

TEST(GatewayConfig, NamesTheLineItCannotRead) {
    const std::string bad_lines[] = {
        "account",           "credit nobody 5",  "credit ann lots",
        "session-key maybe", "fail-percent 101", "send-after -1",
        "first-id",          "reply MESS",       "colour blue",
    };
    for (const std::string& bad : bad_lines) {
        gateway::GatewayConfig config;
        std::string error;
        EXPECT_FALSE(gateway::ParseGatewayConfig("account ann pw\n" + bad + "\n", config, error))
            << bad;
        EXPECT_EQ(error, "line 2: cannot read \"" + bad + "\"");
    }
}

gateway::CommandLine Parse(QStringList arguments) {
    arguments.prepend("corvane-gateway");
    return gateway::ParseCommandLine(arguments);
}

TEST(GatewayCommandLine, SetsTheConfigFromItsFlags) {
    const gateway::CommandLine parsed = Parse({"--demo",
                                               "--port",
                                               "2708",
                                               "--address",
                                               "127.0.0.2",
                                               "--no-key",
                                               "--key",
                                               "0102",
                                               "--newest-version",
                                               "3.0.0.0",
                                               "--first-id",
                                               "9",
                                               "--send-after",
                                               "1",
                                               "--deliver-after",
                                               "2",
                                               "--fail-percent",
                                               "30",
                                               "--verbose",
                                               "--silent",
                                               "--silent-after-greeting",
                                               "--refuse-greeting",
                                               "--garbage",
                                               "--partial-replies",
                                               "--endless-line",
                                               "--delay",
                                               "250",
                                               "--close-after",
                                               "3",
                                               "--close-after-reply",
                                               "MESS",
                                               "--reply",
                                               "MESS=550 Invalid number",
                                               "--reply",
                                               "CLOG=260 1 39573.5|265",
                                               "--reply",
                                               "USAGE="});
    ASSERT_EQ(parsed.error, "");
    const gateway::GatewayConfig& config = parsed.config;
    ASSERT_EQ(config.accounts.size(), 1u);
    EXPECT_EQ(config.accounts[0].login, "demo");
    EXPECT_EQ(config.accounts[0].password, "demo");
    EXPECT_EQ(config.port, 2708);
    EXPECT_EQ(config.address, "127.0.0.2");
    EXPECT_FALSE(config.offer_session_key);
    EXPECT_EQ(config.session_keys_hex, Lines{"0102"});
    EXPECT_EQ(config.newest_version, "3.0.0.0");
    EXPECT_EQ(config.first_message_id, 9);
    EXPECT_EQ(config.delivery.send_after_ms, 1000);
    EXPECT_EQ(config.delivery.deliver_after_ms, 2000);
    EXPECT_EQ(config.delivery.fail_percent, 30);
    EXPECT_TRUE(config.verbose);
    const gateway::GatewayFaults& faults = config.faults;
    EXPECT_TRUE(faults.silent && faults.silent_after_greeting && faults.refuse_greeting &&
                faults.garbage && faults.partial_replies && faults.endless_line);
    EXPECT_EQ(faults.reply_delay_ms, 250);
    EXPECT_EQ(faults.close_after_replies, 3);
    EXPECT_EQ(faults.close_after_command, "MESS");
    EXPECT_EQ(config.replies.at("MESS"), Lines{"550 Invalid number"});
    EXPECT_EQ(config.replies.at("CLOG"), (Lines{"260 1 39573.5", "265"}));
    EXPECT_EQ(config.replies.at("USAGE"), Lines{});
}

TEST(GatewayCommandLine, DefaultsAndRefusals) {
    const gateway::CommandLine plain = Parse({});
    EXPECT_EQ(plain.error, "");
    EXPECT_EQ(plain.config.address, "127.0.0.1");
    EXPECT_EQ(plain.config.port, 0);
    EXPECT_TRUE(plain.config.accounts.empty());
    EXPECT_TRUE(plain.config.offer_session_key);
    EXPECT_EQ(plain.config.newest_version, "2.0.3.2");

    EXPECT_TRUE(Parse({"--help"}).show_help);
    const QStringList bad[] = {{"--port", "65536"},
                               {"--port", "x"},
                               {"--fail-percent", "-1"},
                               {"--reply", "MESS"},
                               {"--bogus"},
                               {"extra"},
                               {"--config", "/nonexistent/gateway.conf"}};
    for (const QStringList& arguments : bad) {
        EXPECT_NE(Parse(arguments).error, "") << arguments.join(' ').toStdString();
    }
}

// ---------------------------------------------------------------------------
// The program

TEST(GatewayProgram, PrintsWhereItListensAndServesTheDemoAccount) {
    const QString program = QCoreApplication::applicationDirPath() + "/../gateway/corvane-gateway";
    if (!QFileInfo(program).isExecutable())
        GTEST_SKIP() << "corvane-gateway not built";
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, {"--demo", "--reply", "VERSION=9.9.9.9"});
    ASSERT_TRUE(process.waitForStarted());
    ASSERT_TRUE(RunUntil([&] { return process.canReadLine(); }));
    const QString first = QString::fromLatin1(process.readLine()).trimmed();
    ASSERT_TRUE(first.startsWith("Listening on 127.0.0.1:")) << first.toStdString();
    const int port = first.section(':', -1).toInt();
    ASSERT_GT(port, 0);

    RawClient client{std::uint16_t(port)};
    EXPECT_EQ(client.ReadLine(), "220 Corvane SMS gateway ready");
    EXPECT_EQ(client.Exchange("user demo"), "221 Password required for demo");
    EXPECT_EQ(client.Exchange("pass demo"), "222 Logged in");
    EXPECT_EQ(client.Exchange("VERSION Corvane"), "9.9.9.9");
    std::string code = "1234567";
    ScrambleText(code, TRIGOLDEX);
    EXPECT_EQ(client.Exchange("ACOD " + HexEncode(code) + " 447700900123"), "250 Code sent");
    ASSERT_TRUE(RunUntil([&] { return process.canReadLine(); }));
    EXPECT_EQ(QString::fromLatin1(process.readLine()).trimmed().toStdString(),
              "SMS to 447700900123: your code is 1234567");
    process.kill();
    process.waitForFinished();
}

}  // namespace
}  // namespace corvane::test
