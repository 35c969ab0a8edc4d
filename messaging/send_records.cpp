#include "messaging/send_records.h"

#include <QLocale>

#include "contacts/comma_text.h"
#include "platform/win1252.h"
#include "session/reply_parsing.h"

namespace corvane {

std::string ReplaceLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out.push_back(' ');
        } else if (c == '\n') {
            out.push_back(' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string BuildMessLine(int priority, const std::string& destination,
                          const std::string& escapedText, const std::string& senderNumber) {
    return "MESS " + JoinCommaText({"0", "V", std::to_string(priority), destination, escapedText,
                                    senderNumber});
}

std::string FormatLogTime(const QDateTime& time) {
    const QDate date = time.date();
    const QString month = QLocale().monthName(date.month(), QLocale::ShortFormat);
    return time.toString(QStringLiteral("dd")).toStdString() + " " + FromQString(month) + " " +
           time.toString(QStringLiteral("yyyy HH:mm:ss")).toStdString();
}

std::string BuildLogEntry(long messageId, const QDateTime& queuedAt, const std::string& recipient,
                          const std::string& escapedText) {
    return JoinCommaText(
        {std::to_string(messageId), FormatLogTime(queuedAt), "QUEUED", "", recipient, escapedText});
}

long MessageIdOf(std::string_view acceptanceReply) {
    if (acceptanceReply.size() <= 3)
        return 0;
    return ParseLeadingLong(acceptanceReply.substr(3));
}

std::string JoinResultLines(const std::vector<std::string>& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out.push_back('\r');
        out += lines[i];
    }
    return out;
}

}  // namespace corvane
