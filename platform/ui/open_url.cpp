#include "platform/ui/open_url.h"

#include <QDesktopServices>
#include <QUrl>
#include <utility>

#include "platform/win1252.h"

namespace corvane {

namespace {
UrlOpener& Opener() {
    static UrlOpener opener;
    return opener;
}
}  // namespace

bool OpenUrl(const std::string& url) {
    if (const UrlOpener& opener = Opener())
        return opener(url);
    return QDesktopServices::openUrl(QUrl(ToQString(url)));
}

UrlOpener SetUrlOpener(UrlOpener opener) {
    return std::exchange(Opener(), std::move(opener));
}

}  // namespace corvane
