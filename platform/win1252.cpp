#include "platform/win1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace corvane {

namespace {

constexpr const char* kCodecName = "windows-1252";

}  // namespace

QString ToQString(std::string_view cp1252) {
    QStringDecoder decoder(kCodecName);
    return decoder.decode(QByteArrayView(cp1252.data(), static_cast<qsizetype>(cp1252.size())));
}

std::string FromQString(const QString& text) {
    QStringEncoder encoder(kCodecName);
    QByteArray whole = encoder.encode(text);
    if (!encoder.hasError())
        return std::string(whole.constData(), whole.size());

    // The encoder marks an unmappable character with its own substitute byte, which
    // cannot be told apart from a real one; so go character by character instead.
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size();) {
        qsizetype length = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            length = 2;
        }
        QStringEncoder single(kCodecName);
        const QByteArray bytes = single.encode(QStringView(text).mid(i, length));
        if (single.hasError() || bytes.size() != 1) {
            out.push_back('?');
        } else {
            out.push_back(bytes.front());
        }
        i += length;
    }
    return out;
}

}  // namespace corvane
