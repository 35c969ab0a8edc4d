#include "platform/ui/classic_font.h"

#include <QStringList>

namespace corvane {

QFont ClassicFont(int pixel_height, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixel_height);
    font.setBold(bold);
    return font;
}

}  // namespace corvane
