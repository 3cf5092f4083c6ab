#include "console/windows/controltableline.h"

#include "console/windows/registervalues.h"

#include <cmath>
#include <utility>

namespace {

// Position of the first of `stops` at or after `from`, or the end of the text.
qsizetype findAny(QStringView text, qsizetype from, QStringView stops) {
    for (qsizetype i = from; i < text.size(); ++i) {
        if (stops.contains(text[i]))
            return i;
    }
    return text.size();
}

// A decimal number; text that does not read as a finite number gives 0.
double readNumber(QStringView text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return (ok && std::isfinite(value)) ? value : 0.0;
}

// Decimals shown for a scale text: 0 without "."; otherwise the characters after the "." up
// to and including the first that is not "0", the end of the text counting as one.
int decimalsOf(QStringView scaleText) {
    const qsizetype dot = scaleText.indexOf(u'.');
    if (dot < 0)
        return 0;
    int count = 0;
    for (qsizetype i = dot + 1;; ++i) {
        ++count;
        if (i >= scaleText.size() || scaleText[i] != u'0')
            break;
    }
    return count;
}

// The text after the first "," in [from, the next ";" or the end); nothing without a ",".
std::optional<QStringView> afterFirstComma(QStringView entry, qsizetype from) {
    const qsizetype end = findAny(entry, from, u";");
    const qsizetype comma = findAny(entry.first(end), from, u",");
    if (comma >= end)
        return std::nullopt;
    return entry.sliced(comma + 1, end - comma - 1);
}

// The text after the first "," from `from` on, up to the next ";" or the end; empty without
// a ",".
QStringView textAfterFirstComma(QStringView entry, qsizetype from) {
    const qsizetype comma = findAny(entry, from, u",");
    if (comma >= entry.size())
        return {};
    const qsizetype end = findAny(entry, comma + 1, u";");
    return entry.sliced(comma + 1, end - comma - 1);
}

QStringList itemsAfter(QStringView entry, qsizetype from) {
    QStringList items;
    const std::optional<QStringView> text = afterFirstComma(entry, from);
    if (!text)
        return items;
    for (QStringView item : text->split(u',')) {
        if (items.size() == MAX_CONTROL_ITEMS)
            break;
        items.append(item.toString());
    }
    return items;
}

// The character after each "," from `from` to the end of the entry.
QString lampLettersAfter(QStringView entry, qsizetype from) {
    QString letters;
    for (qsizetype i = from; i + 1 < entry.size() && letters.size() < MAX_LAMP_COLOURS; ++i) {
        if (entry[i] == u',')
            letters.append(entry[i + 1]);
    }
    return letters;
}

} // namespace

ControlTableLine ControlTableLine::parse(QStringView entry) {
    ControlTableLine line;
    if (entry.isEmpty())
        return line;

    qsizetype start = 1;
    if (entry.startsWith(u"~%")) {
        line.kind = ControlKind::ReadOnlyList;
        start = 2;
    } else if (entry[0] == u'~') {
        line.kind = ControlKind::ReadOnlyNumber;
    } else if (entry[0] == u'#') {
        line.kind = ControlKind::Lamp;
    } else if (entry[0] == u'$') {
        line.kind = ControlKind::OnOff;
    } else if (entry[0] == u'|') {
        line.kind = ControlKind::Toggle;
    } else if (entry[0] == u'%') {
        line.kind = ControlKind::List;
    } else {
        start = 0;
    }

    const qsizetype stop = findAny(entry, start, start == 0 ? u"[(,;" : u";,[");
    line.caption = entry.sliced(start, stop - start).toString();
    if (start == 0)
        line.kind = (stop < entry.size() && entry[stop] == u',') ? ControlKind::ButtonGroup
                                                                 : ControlKind::Number;

    switch (line.kind) {
    case ControlKind::Number:
    case ControlKind::ReadOnlyNumber:
        if (stop < entry.size() && entry[stop] == u'[') {
            const qsizetype close = findAny(entry, stop + 1, u"]");
            line.scaleText = entry.sliced(stop + 1, close - stop - 1).toString();
            line.scale = usableScale(readNumber(line.scaleText));
            line.decimals = decimalsOf(line.scaleText);
        }
        if (line.kind == ControlKind::Number) {
            const qsizetype open = entry.indexOf(u'(');
            if (open >= 0 && entry.contains(u')')) {
                const QList<QStringView> fields = entry.sliced(open + 1).split(u',');
                line.minimum = readNumber(fields.value(0));
                line.maximum = readNumber(fields.value(1));
            }
            line.minimum = clampShownToRegister(line.minimum, line.scale);
            line.maximum = clampShownToRegister(line.maximum, line.scale);
        }
        break;
    case ControlKind::List:
    case ControlKind::ReadOnlyList:
    case ControlKind::ButtonGroup:
        line.items = itemsAfter(entry, stop);
        break;
    case ControlKind::Toggle:
        line.toggleText = textAfterFirstComma(entry, start).toString();
        break;
    case ControlKind::Lamp:
        line.lampLetters = lampLettersAfter(entry, stop);
        break;
    case ControlKind::OnOff:
    case ControlKind::Empty:
        break;
    }
    return line;
}

std::optional<Qt::GlobalColor> ControlTableLine::lampColour(int value) const {
    if (value < 1 || value > MAX_LAMP_COLOURS)
        return Qt::gray;
    if (value > lampLetters.size())
        return std::nullopt;
    return lampLetterColour(lampLetters[value - 1]);
}

std::optional<Qt::GlobalColor> lampLetterColour(QChar letter) {
    static constexpr std::pair<char16_t, Qt::GlobalColor> colours[] = {
        {u'R', Qt::red},   {u'G', Qt::green}, {u'Y', Qt::yellow},  {u'B', Qt::blue},
        {u'H', Qt::black}, {u'W', Qt::white}, {u'F', Qt::magenta},
    };
    for (const auto &[code, colour] : colours) {
        if (letter == QChar(code))
            return colour;
    }
    return std::nullopt;
}
