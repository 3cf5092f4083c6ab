#pragma once

#include "controls/framed/framedwidget.h"
#include "controls/framework/kxevents.h"

#include <QLineEdit>

// The library's single-line edit: framed painting and colours for the focused, disabled and
// read-only states, with a hot-tracked frame.
class TKxEdit : public FramedWidget<QLineEdit> {
    Q_OBJECT
    FRAMED_CONTROL_PROPERTIES
    Q_PROPERTY(TColor ReadOnlyColor READ ReadOnlyColor WRITE SetReadOnlyColor)
    Q_PROPERTY(bool ReadOnlyColorOnFocus READ ReadOnlyColorOnFocus WRITE SetReadOnlyColorOnFocus)

public:
    explicit TKxEdit(QWidget *parent = nullptr);
    ~TKxEdit() override;

    TColor ReadOnlyColor() const { return m_readOnlyColor; }
    virtual void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return m_readOnlyColorOnFocus; }
    void SetReadOnlyColorOnFocus(bool value);
    virtual bool IsReadOnly() const;
    void SetReadOnly(bool value);
    TAlignment Alignment() const { return m_alignment; }
    virtual void SetAlignment(TAlignment value);
    bool TabOnEnter() const { return m_tabOnEnter; }
    void SetTabOnEnter(bool value) { m_tabOnEnter = value; }
    bool BeepOnInvalidKey() const { return m_beepOnInvalidKey; }
    void SetBeepOnInvalidKey(bool value) { m_beepOnInvalidKey = value; }
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool value) { m_autoSelect = value; }

    // Loading ends with the edit counted as unfocused until the focus enters it again.
    void Loaded() override;

    virtual QRect TextAreaRect() const;
    virtual QString ShownText() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TKeyPressEvent OnKeyPress;

protected:
    void UpdateColors() override;
    virtual void ReadOnlyEntered();
    virtual void ReadOnlyLeft();
    virtual void ReadOnlyChanged();
    // A typed character after the key handling and OnKeyPress; 0 drops it.
    virtual void KeyPress(QChar &key);
    // The text changed; fires OnChange outside loading.
    virtual void Change();

    // With AutoSelect, entering selects the whole text, unless a mouse click brought the focus
    // (the click places the caret).
    void DoEnter() override;

    void KeyDown(QKeyEvent &event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    TColor m_readOnlyColor = clInfoBk;
    bool m_readOnlyColorOnFocus = false;
    TAlignment m_alignment = taLeftJustify;
    bool m_tabOnEnter = false;
    bool m_beepOnInvalidKey = true;
    bool m_autoSelect = true;
    bool m_enteredByMouse = false;
};
