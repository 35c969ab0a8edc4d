#include "gateway/command_line.h"

#include <QCommandLineParser>

namespace corvane::gateway {

namespace {

struct Options {
    QCommandLineOption address{"address", "Address to listen on (default 127.0.0.1).", "address",
                               "127.0.0.1"};
    QCommandLineOption port{"port", "Port to listen on; 0 picks a free one (default).", "port",
                            "0"};
    QCommandLineOption config{"config", "Read accounts and settings from this file.", "file"};
    QCommandLineOption demo{"demo", "Add the demo account: login demo, password demo."};
    QCommandLineOption no_key{"no-key", "Answer CRYP with 500: passwords come in plain text."};
    QCommandLineOption key{"key", "Hand out this session key (hex); repeat for keys in turn.",
                           "hex"};
    QCommandLineOption newest{"newest-version", "Answer to VERSION (default 2.0.3.2).", "version"};
    QCommandLineOption first_id{"first-id", "ID of the first accepted message (default 1).", "n"};
    QCommandLineOption send_after{"send-after", "Seconds until a message counts as sent.", "s"};
    QCommandLineOption deliver_after{"deliver-after", "Seconds until its final state.", "s"};
    QCommandLineOption fail_percent{"fail-percent", "Share of messages that fail.", "n"};
    QCommandLineOption no_report_percent{"no-report-percent",
                                         "Share of messages sent without a delivery report.", "n"};
    QCommandLineOption verbose{"verbose", "Log every line in and out on the error console."};
    QCommandLineOption silent{"silent", "Fault: accept connections, never send a byte."};
    QCommandLineOption silent_after_greeting{"silent-after-greeting",
                                             "Fault: greet, then never answer."};
    QCommandLineOption refuse_greeting{"refuse-greeting", "Fault: greet with 421, not 220."};
    QCommandLineOption garbage{"garbage", "Fault: answer every command with a garbage line."};
    QCommandLineOption partial{"partial-replies", "Fault: send replies without their last LF."};
    QCommandLineOption endless{"endless-line", "Fault: answer with a line that never ends."};
    QCommandLineOption delay{"delay", "Fault: send each reply this many milliseconds late.", "ms"};
    QCommandLineOption close_after{"close-after", "Fault: hang up after this many replies.", "n"};
    QCommandLineOption close_after_reply{
        "close-after-reply", "Fault: hang up right after answering this command.", "command"};
    QCommandLineOption reply{"reply",
                             "Answer COMMAND with these lines instead (| between lines; nothing "
                             "after = means no answer). Repeatable.",
                             "COMMAND=LINE[|LINE...]"};
};

bool ReadInt(const QString& text, long minimum, long maximum, long& value) {
    bool ok = false;
    const long long number = text.toLongLong(&ok);
    if (!ok || number < minimum || number > maximum)
        return false;
    value = long(number);
    return true;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine result;
    Options o;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Corvane gateway simulator: a local SMS gateway for the "
        "Corvane client and its tests.");
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOptions({o.address,
                       o.port,
                       o.config,
                       o.demo,
                       o.no_key,
                       o.key,
                       o.newest,
                       o.first_id,
                       o.send_after,
                       o.deliver_after,
                       o.fail_percent,
                       o.no_report_percent,
                       o.verbose,
                       o.silent,
                       o.silent_after_greeting,
                       o.refuse_greeting,
                       o.garbage,
                       o.partial,
                       o.endless,
                       o.delay,
                       o.close_after,
                       o.close_after_reply,
                       o.reply});
    result.help_text = parser.helpText().toStdString();
    if (!parser.parse(arguments)) {
        result.error = parser.errorText().toStdString();
        return result;
    }
    if (parser.isSet(help)) {
        result.show_help = true;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.error = "unexpected argument: " + parser.positionalArguments().front().toStdString();
        return result;
    }

    GatewayConfig& config = result.config;
    if (parser.isSet(o.config) &&
        !LoadGatewayConfigFile(parser.value(o.config).toStdString(), config, result.error)) {
        return result;
    }
    // Options override the file.
    const auto number = [&](const QCommandLineOption& option, long minimum, long maximum,
                            auto& target) {
        if (!parser.isSet(option))
            return true;
        long value = 0;
        if (!ReadInt(parser.value(option), minimum, maximum, value)) {
            result.error = "--" + option.names().front().toStdString() + ": not a number from " +
                           std::to_string(minimum) + " to " + std::to_string(maximum);
            return false;
        }
        target = static_cast<std::remove_reference_t<decltype(target)>>(value);
        return true;
    };
    long send_after = -1;
    long deliver_after = -1;
    if (!number(o.port, 0, 65535, config.port) ||
        !number(o.first_id, 0, 1'000'000'000, config.first_message_id) ||
        !number(o.send_after, 0, 10'000'000, send_after) ||
        !number(o.deliver_after, 0, 10'000'000, deliver_after) ||
        !number(o.fail_percent, 0, 100, config.delivery.fail_percent) ||
        !number(o.no_report_percent, 0, 100, config.delivery.no_report_percent) ||
        !number(o.delay, 0, 3'600'000, config.faults.reply_delay_ms) ||
        !number(o.close_after, 0, 1'000'000, config.faults.close_after_replies)) {
        return result;
    }
    if (send_after >= 0)
        config.delivery.send_after_ms = std::int64_t(send_after) * 1000;
    if (deliver_after >= 0)
        config.delivery.deliver_after_ms = std::int64_t(deliver_after) * 1000;

    config.address = parser.value(o.address).toStdString();
    if (parser.isSet(o.demo))
        config.accounts.push_back(DemoAccount());
    if (parser.isSet(o.no_key))
        config.offer_session_key = false;
    for (const QString& key : parser.values(o.key)) {
        config.session_keys_hex.push_back(key.toStdString());
    }
    if (parser.isSet(o.newest))
        config.newest_version = parser.value(o.newest).toStdString();
    config.verbose = config.verbose || parser.isSet(o.verbose);

    GatewayFaults& faults = config.faults;
    faults.silent = parser.isSet(o.silent);
    faults.silent_after_greeting = parser.isSet(o.silent_after_greeting);
    faults.refuse_greeting = parser.isSet(o.refuse_greeting);
    faults.garbage = parser.isSet(o.garbage);
    faults.partial_replies = parser.isSet(o.partial);
    faults.endless_line = parser.isSet(o.endless);
    faults.close_after_command = parser.value(o.close_after_reply).toStdString();
    for (const QString& reply : parser.values(o.reply)) {
        if (!AddScriptedReply(reply.toStdString(), config)) {
            result.error = "--reply " + reply.toStdString() + ": expected COMMAND=LINE[|LINE...]";
            return result;
        }
    }
    return result;
}

}  // namespace corvane::gateway
