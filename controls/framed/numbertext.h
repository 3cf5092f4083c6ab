#pragma once

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

// The numeric edit's text rules, without the widget.

struct NumberKeyContext {
    QString text;
    int selectionStart = 0; // the caret when nothing is selected
    int selectionLength = 0;
    bool integersOnly = true;
    QChar decimalSeparator = QLatin1Char('.');
};

// Whether a typed character may reach the text.
bool IsValidNumberKey(QChar ch, const NumberKeyContext &context);

// Digits, exponent markers, the decimal separator and an exponent's minus are kept, everything
// else dropped; "(" or a leading minus makes the number negative. A text that does not convert
// to a finite number gives 0.
double ParseNumberText(const QString &text, QChar decimalSeparator);

// Sections positive;negative;zero of "0" and "#" digit placeholders, "," for grouping, "." for
// the decimal point and other characters as literals; an empty format gives the general format
// with up to 15 significant digits.
QString FormatNumberText(double value, const QString &format, QChar thousandsSeparator,
                         QChar decimalSeparator);

// The value rounded to the nearest integer (halves to even), its low 32 bits as a signed
// integer; 0 for a value that is not finite.
std::int32_t LowInt32OfRounded(double value);

// The bound that a value outside Min..Max is corrected to; none when it lies within or when no
// range applies (Min equal to Max without CheckRange).
std::optional<double> RangeBound(double value, double min, double max, bool checkRange);
