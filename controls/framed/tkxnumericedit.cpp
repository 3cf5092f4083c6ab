#include "controls/framed/tkxnumericedit.h"

#include "controls/framed/numbertext.h"
#include "controls/framework/controlservices.h"

#include <QLocale>
#include <QTimer>

#include <cmath>

namespace {

QChar DecimalSeparator() {
    return QLocale().decimalPoint().at(0);
}

QChar ThousandsSeparator() {
    const QString separator = QLocale().groupSeparator();
    return separator.isEmpty() ? QLatin1Char(',') : separator.at(0);
}

} // namespace

TKxNumericEdit::TKxNumericEdit(QWidget *parent)
    : TKxEdit(parent) {
    resize(65, 21);
    SetAlignment(taRightJustify);
    setText(FormatNumber(0));
}

TKxNumericEdit::~TKxNumericEdit() = default;

void TKxNumericEdit::SetIntegersOnly(bool value) {
    if (m_integersOnly == value)
        return;
    m_integersOnly = value;
    if (value)
        SetValue(std::nearbyint(Value()));
}

void TKxNumericEdit::SetMin(double value) {
    if (m_min == value)
        return;
    m_min = value;
    if (m_min > m_max)
        m_max = m_min;
    update();
}

void TKxNumericEdit::SetMax(double value) {
    if (m_max == value)
        return;
    m_max = value;
    if (m_max < m_min)
        m_min = m_max;
    update();
}

void TKxNumericEdit::SetDisplayFormat(const QString &value) {
    if (m_displayFormat == value)
        return;
    m_displayFormat = value;
    const double current = Value();
    SetValue(current);
    if (!IsLoading())
        setText(FormatNumber(current));
}

bool TKxNumericEdit::IsValidNumberChar(QChar ch) const {
    NumberKeyContext context;
    context.text = text();
    context.selectionStart = hasSelectedText() ? selectionStart() : cursorPosition();
    context.selectionLength = hasSelectedText() ? int(selectedText().size()) : 0;
    context.integersOnly = m_integersOnly;
    context.decimalSeparator = DecimalSeparator();
    return IsValidNumberKey(ch, context);
}

QString TKxNumericEdit::FormatNumber(double value) const {
    return FormatNumberText(value, m_displayFormat, ThousandsSeparator(), DecimalSeparator());
}

double TKxNumericEdit::ParseShownNumber() const {
    return ParseNumberText(text(), DecimalSeparator());
}

std::int32_t TKxNumericEdit::ValueAsInteger() {
    return LowInt32OfRounded(Value());
}

void TKxNumericEdit::SetValueAsInteger(std::int32_t value) {
    SetValue(value);
}

double TKxNumericEdit::Value() {
    if (!text().isEmpty())
        return ParseShownNumber();
    if (m_allowBlank)
        return m_blankValue;
    setText(FormatNumber(m_min));
    return ParseShownNumber();
}

void TKxNumericEdit::SetValue(double value) {
    if (value != ParseShownNumber())
        setText(FormatNumber(value));
}

double TKxNumericEdit::CheckValueRange(bool &error, double value) {
    double result = value;
    if (const std::optional<double> bound = RangeBound(value, m_min, m_max, m_checkRange)) {
        bool autoCorrect = true;
        DoRangeError(value, *bound, autoCorrect);
        if (autoCorrect)
            result = *bound;
        else
            error = true;
    }
    m_lastAccepted = result;
    return result;
}

void TKxNumericEdit::Loaded() {
    TKxEdit::Loaded();
    m_reformatting = true;
    m_lastAccepted = ParseShownNumber();
    setText(FormatNumber(m_lastAccepted));
    m_reformatting = false;
}

void TKxNumericEdit::DoRangeError(double enteredValue, double adjustedValue, bool &autoCorrect) {
    if (OnRangeError)
        OnRangeError(this, enteredValue, adjustedValue, autoCorrect);
}

void TKxNumericEdit::KeyPress(QChar &key) {
    TKxEdit::KeyPress(key);
    if (!key.isNull() && !IsValidNumberChar(key)) {
        key = QChar();
        if (BeepOnInvalidKey())
            SystemBeep();
    }
}

void TKxNumericEdit::DoEnter() {
    m_lastAccepted = ParseShownNumber();
    if (!m_allowBlank)
        setText(FormatNumber(m_lastAccepted));
    // Selects the formatted text.
    TKxEdit::DoEnter();
}

void TKxNumericEdit::DoExit() {
    if (m_allowBlank && text().isEmpty()) {
        FramedControl::DoExit();
        return;
    }
    double result = m_min;
    try {
        bool error = false;
        result = CheckValueRange(error, ParseShownNumber());
        if (error) {
            // The value stays as typed and the field keeps the focus.
            QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
            return;
        }
    } catch (...) {
        result = m_min;
        SetValue(m_min);
    }
    setText(FormatNumber(result));
    FramedControl::DoExit();
}

void TKxNumericEdit::Change() {
    if (!m_reformatting)
        TKxEdit::Change();
}
