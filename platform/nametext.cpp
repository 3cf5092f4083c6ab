#include "platform/nametext.h"

#include "platform/codec1251.h"

#include <QStringList>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at i and its code point; 0 when it is not one.
int utf8SequenceAt(const QByteArray &bytes, qsizetype i, char32_t &point) {
    const auto byte = [&](qsizetype at) { return static_cast<unsigned char>(bytes[at]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        point = lead;
        return 1;
    }
    int length = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        point = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        point = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        point = lead & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        point = (point << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and points past Unicode are no UTF-8.
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return 0;
    return length;
}

bool isUnreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

} // namespace

QString NameToText(const QByteArray &name) {
    QString text;
    text.reserve(name.size());
    for (qsizetype i = 0; i < name.size();) {
        char32_t point = 0;
        const int length = utf8SequenceAt(name, i, point);
        if (length == 0) {
            text.append(
                QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(name[i]))));
            ++i;
            continue;
        }
        if (point >= 0x10000) {
            text.append(QChar(QChar::highSurrogate(point)));
            text.append(QChar(QChar::lowSurrogate(point)));
        } else {
            text.append(QChar(static_cast<char16_t>(point)));
        }
        i += length;
    }
    return text;
}

QString NameToDisplayText(const QByteArray &name) {
    for (qsizetype i = 0; i < name.size();) {
        char32_t point = 0;
        const int length = utf8SequenceAt(name, i, point);
        if (length == 0)
            return fromWin1251(name);
        i += length;
    }
    return QString::fromUtf8(name);
}

QString PathToDisplayText(const QByteArray &path) {
    QStringList names;
    for (const QByteArray &name : path.split('/'))
        names.append(NameToDisplayText(name));
    return names.join(QLatin1Char('/'));
}

QByteArray TextToName(const QString &text) {
    QByteArray name;
    name.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            name.append(static_cast<char>(unit - kEscapeBase));
            continue;
        }
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            name.append(QString(text.constData() + i, 2).toUtf8());
            ++i;
            continue;
        }
        // Any other unpaired surrogate has no UTF-8 form; toUtf8 writes it as '?'.
        name.append(QString(text[i]).toUtf8());
    }
    return name;
}

QByteArray UriListOfPaths(const QList<QByteArray> &paths) {
    QByteArray list;
    for (const QByteArray &path : paths) {
        list += "file://";
        for (const char c : path) {
            const auto byte = static_cast<unsigned char>(c);
            if (isUnreserved(byte))
                list += c;
            else
                list += '%' + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
        }
        list += "\r\n";
    }
    return list;
}

QList<QByteArray> PathsOfUriList(const QByteArray &list) {
    QList<QByteArray> paths;
    for (QByteArray line : list.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#') || !line.startsWith("file:"))
            continue;
        QByteArray rest = line.mid(5);
        // file:///path, file://localhost/path and file:/path all name a local path.
        if (rest.startsWith("//")) {
            rest = rest.mid(2);
            const qsizetype slash = rest.indexOf('/');
            if (slash < 0)
                continue;
            const QByteArray host = rest.left(slash);
            if (!host.isEmpty() && host != "localhost")
                continue;
            rest = rest.mid(slash);
        }
        const QByteArray path = QByteArray::fromPercentEncoding(rest);
        if (path.startsWith('/') && !path.contains('\0'))
            paths.append(path);
    }
    return paths;
}
