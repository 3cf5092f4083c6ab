#include "platform/codec1251.h"

#include <QHash>
#include <QStringDecoder>

#include <array>

namespace {

// The upper half of the code page, read once from Qt's own converter; the lower half is ASCII.
struct Win1251Tables {
    std::array<char16_t, 128> upper{};
    QHash<char16_t, char> reverse;

    Win1251Tables() {
        QStringDecoder decoder("windows-1251", QStringDecoder::Flag::Stateless);
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const char c = static_cast<char>(byte);
            const QString decoded = decoder.isValid() ? decoder(QByteArrayView(&c, 1)) : QString();
            const char16_t unit = decoded.size() == 1 ? decoded.at(0).unicode() : u'\uFFFD';
            upper[byte - 0x80] = unit;
            if (unit != u'\uFFFD')
                reverse.insert(unit, c);
        }
    }
};

const Win1251Tables &tables() {
    static const Win1251Tables instance;
    return instance;
}

} // namespace

QString fromWin1251(QByteArrayView bytes) {
    const Win1251Tables &t = tables();
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = QChar(byte < 0x80 ? char16_t(byte) : t.upper[byte - 0x80]);
    }
    return text;
}

QByteArray toWin1251(QStringView text) {
    const Win1251Tables &t = tables();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            bytes.append(static_cast<char>(unit));
            continue;
        }
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        const auto found = t.reverse.constFind(unit);
        bytes.append(found != t.reverse.cend() ? *found : '?');
    }
    return bytes;
}
