#include "setup/formfont.h"

QFont FormFont() {
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    return arial;
}
