#pragma once

// The texts one send produces for each recipient: the MESS command line, the
// Log.dat entry of an accepted message, and the result lines shown to the user.

#include <QDateTime>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// A pasted message may hold line breaks, which neither a protocol line nor a
// Log.dat entry can carry: each CR LF, lone CR or lone LF becomes one space.
std::string ReplaceLineBreaks(std::string_view text);

// "MESS " and the six comma-text fields: 0, V, priority, destination, the escaped
// message, the sender number (empty when none is set).
std::string BuildMessLine(int priority, const std::string& destination,
                          const std::string& escapedText, const std::string& senderNumber);

// "dd mmm yyyy hh:mm:ss" with the locale's short month name, e.g. 05 May 2008 14:03:09.
std::string FormatLogTime(const QDateTime& time);

// A fresh Log.dat entry: ID, queued time, QUEUED, empty delivery time, recipient, text.
std::string BuildLogEntry(long messageId, const QDateTime& queuedAt, const std::string& recipient,
                          const std::string& escapedText);

// The message ID of an acceptance reply: the number after the three-digit code,
// read from the reply's fourth character the way atol reads it (0 when none).
long MessageIdOf(std::string_view acceptanceReply);

// Result lines shown in one box, separated by a single CR.
std::string JoinResultLines(const std::vector<std::string>& lines);

}  // namespace corvane
