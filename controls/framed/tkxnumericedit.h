#pragma once

#include "controls/framed/tkxedit.h"

#include <cstdint>

// An edit whose text is a number: keys that cannot belong to a number are dropped, the text is
// formatted by DisplayFormat when the field is entered and left, and a value outside Min..Max is
// corrected on leaving the field.
class TKxNumericEdit : public TKxEdit {
    Q_OBJECT
    Q_PROPERTY(bool AllowBlank READ AllowBlank WRITE SetAllowBlank)
    Q_PROPERTY(double BlankValue READ BlankValue WRITE SetBlankValue)
    Q_PROPERTY(bool CheckRange READ CheckRange WRITE SetCheckRange)
    Q_PROPERTY(bool IntegersOnly READ IntegersOnly WRITE SetIntegersOnly)
    Q_PROPERTY(double Min READ Min WRITE SetMin)
    Q_PROPERTY(double Max READ Max WRITE SetMax)
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE SetDisplayFormat)

public:
    explicit TKxNumericEdit(QWidget *parent = nullptr);
    ~TKxNumericEdit() override;

    bool AllowBlank() const { return m_allowBlank; }
    void SetAllowBlank(bool value) { m_allowBlank = value; }
    double BlankValue() const { return m_blankValue; }
    void SetBlankValue(double value) { m_blankValue = value; }
    bool CheckRange() const { return m_checkRange; }
    void SetCheckRange(bool value) { m_checkRange = value; }
    bool IntegersOnly() const { return m_integersOnly; }
    virtual void SetIntegersOnly(bool value);
    double Min() const { return m_min; }
    virtual void SetMin(double value);
    double Max() const { return m_max; }
    virtual void SetMax(double value);
    QString DisplayFormat() const { return m_displayFormat; }
    virtual void SetDisplayFormat(const QString &value);

    virtual bool IsValidNumberChar(QChar ch) const;
    virtual QString FormatNumber(double value) const;
    virtual double ParseShownNumber() const;
    virtual std::int32_t ValueAsInteger();
    virtual void SetValueAsInteger(std::int32_t value);
    // The number shown; an empty text first shows Min unless AllowBlank.
    virtual double Value();
    // Replaces the text only when the number differs from the one shown.
    virtual void SetValue(double value);
    // The value to use for x: x itself, or the bound OnRangeError lets it be corrected to.
    virtual double CheckValueRange(bool &error, double value);

    void Loaded() override;

    TKxRangeErrorEvent OnRangeError;

protected:
    virtual void DoRangeError(double enteredValue, double adjustedValue, bool &autoCorrect);
    void KeyPress(QChar &key) override;
    void DoEnter() override;
    void DoExit() override;
    void Change() override;

private:
    bool m_allowBlank = false;
    double m_blankValue = 0;
    bool m_checkRange = false;
    bool m_integersOnly = true;
    double m_min = 0;
    double m_max = 0;
    QString m_displayFormat = QStringLiteral(",0;(,0)");
    double m_lastAccepted = 0;
    bool m_reformatting = false;
};
