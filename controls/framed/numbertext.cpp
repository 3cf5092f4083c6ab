#include "controls/framed/numbertext.h"

#include <QStringList>

#include <cmath>

namespace {

bool IsSign(QChar ch) {
    return ch == QLatin1Char('+') || ch == QLatin1Char('-');
}

bool HoldsSign(const QString &text) {
    return text.contains(QLatin1Char('+')) || text.contains(QLatin1Char('-'));
}

bool IsIntegerKey(QChar ch) {
    const char16_t code = ch.unicode();
    if (code < 32)
        return code != 13;
    return ch == QLatin1Char('(') || ch == QLatin1Char(')') || IsSign(ch) ||
           (code >= '0' && code <= '9');
}

bool IsPlaceholder(QChar ch) {
    return ch == QLatin1Char('0') || ch == QLatin1Char('#') || ch == QLatin1Char('.') ||
           ch == QLatin1Char(',');
}

// Literal text of a format piece, with quoted runs taken as they stand.
QString Literal(const QString &piece) {
    QString result;
    QChar quote;
    for (QChar ch : piece) {
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
            else
                result += ch;
        } else if (ch == QLatin1Char('"') || ch == QLatin1Char('\'')) {
            quote = ch;
        } else {
            result += ch;
        }
    }
    return result;
}

QString GroupThousands(const QString &digits, QChar separator) {
    QString result;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            result += separator;
        result += digits.at(i);
    }
    return result;
}

QString FormatSection(double magnitude, const QString &section, bool minus, QChar thousands,
                      QChar decimal) {
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < section.size(); ++i) {
        if (IsPlaceholder(section.at(i))) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return (minus ? QStringLiteral("-") : QString()) + Literal(section);
    const QString pattern = section.mid(first, last - first + 1);
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString integerPattern = point < 0 ? pattern : pattern.left(point);
    const QString fractionPattern = point < 0 ? QString() : pattern.mid(point + 1);
    const int minimumIntegerDigits = int(integerPattern.count(QLatin1Char('0')));
    const int decimals =
        int(fractionPattern.count(QLatin1Char('0')) + fractionPattern.count(QLatin1Char('#')));
    const int optionalDecimals = int(fractionPattern.count(QLatin1Char('#')));

    const QString fixed = QString::number(magnitude, 'f', decimals);
    const qsizetype dot = fixed.indexOf(QLatin1Char('.'));
    QString integer = dot < 0 ? fixed : fixed.left(dot);
    QString fraction = dot < 0 ? QString() : fixed.mid(dot + 1);
    while (integer.startsWith(QLatin1Char('0')) && integer.size() > minimumIntegerDigits)
        integer.remove(0, 1);
    while (integer.size() < minimumIntegerDigits)
        integer.prepend(QLatin1Char('0'));
    for (int i = 0; i < optionalDecimals && fraction.endsWith(QLatin1Char('0')); ++i)
        fraction.chop(1);
    if (integerPattern.contains(QLatin1Char(',')))
        integer = GroupThousands(integer, thousands);
    QString number = integer;
    if (!fraction.isEmpty())
        number += decimal + fraction;
    return Literal(section.left(first)) + (minus ? QStringLiteral("-") : QString()) + number +
           Literal(section.mid(last + 1));
}

QString GeneralFormat(double value, QChar decimal) {
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        QString exponent = text.mid(e + 1);
        const bool negative = exponent.startsWith(QLatin1Char('-'));
        exponent.remove(0, 1);
        while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
            exponent.remove(0, 1);
        text = text.left(e) + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) +
               exponent;
    }
    text.replace(QLatin1Char('.'), decimal);
    return text;
}

} // namespace

bool IsValidNumberKey(QChar ch, const NumberKeyContext &context) {
    if (context.integersOnly && !IsIntegerKey(ch))
        return false;
    const QString &text = context.text;
    const QString selected = text.mid(context.selectionStart, context.selectionLength);
    if (ch == context.decimalSeparator) {
        return !text.contains(ch) ||
               (context.selectionLength > 0 && selected.contains(context.decimalSeparator));
    }
    if (!context.integersOnly)
        return true;
    const bool caretAtStart = context.selectionStart == 0;
    if (IsSign(ch)) {
        if (caretAtStart && !HoldsSign(text))
            return true;
        if (context.selectionLength > 0 && context.selectionLength >= text.size())
            return true;
        return caretAtStart && context.selectionLength > 0 && HoldsSign(selected);
    }
    if (caretAtStart && context.selectionLength == 0 && !text.isEmpty() && IsSign(text.at(0)))
        return false;
    return true;
}

double ParseNumberText(const QString &text, QChar decimalSeparator) {
    if (text.isEmpty())
        return 0;
    qsizetype exponent = text.indexOf(QLatin1Char('E'));
    const qsizetype lowerExponent = text.indexOf(QLatin1Char('e'));
    if (exponent < 0 || (lowerExponent >= 0 && lowerExponent < exponent))
        exponent = lowerExponent;
    const qsizetype minus = text.indexOf(QLatin1Char('-'));
    const bool negative =
        text.contains(QLatin1Char('(')) || (minus >= 0 && (exponent < 0 || minus < exponent));
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        const bool afterExponent =
            i > 0 && (text.at(i - 1) == QLatin1Char('E') || text.at(i - 1) == QLatin1Char('e'));
        if (ch.isDigit() && ch.unicode() < 128)
            kept += ch;
        else if (ch == QLatin1Char('E') || ch == QLatin1Char('e'))
            kept += ch;
        else if (ch == decimalSeparator)
            kept += QLatin1Char('.');
        else if (ch == QLatin1Char('-') && afterExponent)
            kept += ch;
    }
    if (kept.isEmpty())
        return 0;
    if (negative)
        kept.prepend(QLatin1Char('-'));
    bool ok = false;
    const double value = kept.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

QString FormatNumberText(double value, const QString &format, QChar thousandsSeparator,
                         QChar decimalSeparator) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (format.isEmpty())
        return GeneralFormat(value, decimalSeparator);
    const QStringList sections = format.split(QLatin1Char(';'));
    const auto section = [&sections](int i) {
        return i < sections.size() ? sections.at(i) : QString();
    };
    if (value < 0 && !section(1).isEmpty())
        return FormatSection(-value, section(1), false, thousandsSeparator, decimalSeparator);
    if (value == 0 && !section(2).isEmpty())
        return FormatSection(0, section(2), false, thousandsSeparator, decimalSeparator);
    return FormatSection(std::fabs(value), section(0), value < 0, thousandsSeparator,
                         decimalSeparator);
}

std::int32_t LowInt32OfRounded(double value) {
    if (!std::isfinite(value))
        return 0;
    constexpr double kTwoTo32 = 4294967296.0;
    double low = std::fmod(std::nearbyint(value), kTwoTo32);
    if (low < 0)
        low += kTwoTo32;
    return std::int32_t(std::uint32_t(low));
}

std::optional<double> RangeBound(double value, double min, double max, bool checkRange) {
    if (min == max && !checkRange)
        return std::nullopt;
    if (value < min)
        return min;
    if (value > max)
        return max;
    return std::nullopt;
}
