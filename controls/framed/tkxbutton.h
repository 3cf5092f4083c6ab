#pragma once

#include "controls/framed/tkxcustombutton.h"

#include <QPixmap>

#include <memory>

class TControlActionLink;
class TCustomAction;

// The library's push button: Default and Cancel keys, modal results, grouped Down buttons and
// the hot-track look with a gradient ring.
class TKxButton : public TKxCustomButton {
    Q_OBJECT

public:
    enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

    explicit TKxButton(QWidget *parent = nullptr);
    ~TKxButton() override;

    TAlignment Alignment() const { return m_alignment; }
    bool AllowAllUp() const { return m_allowAllUp; }
    bool Cancel() const { return m_cancel; }
    bool Default() const { return m_default; }
    bool DropDownOnEnter() const { return m_dropDownOnEnter; }
    int GroupIndex() const { return m_groupIndex; }
    bool Down() const { return m_down; }
    TColor Color() const { return m_color; }
    TColor FrameColor() const { return m_frameColor; }
    int ModalResult() const { return m_modalResult; }
    bool ShowDownPattern() const { return m_showDownPattern; }
    bool ShowFocusRect() const { return m_showFocusRect; }

    virtual void SetAlignment(TAlignment value);
    virtual void SetDefault(bool value);
    virtual void SetAllowAllUp(bool value);
    virtual void SetDown(bool value);
    virtual void SetFrameColor(TColor value);
    virtual void SetGroupIndex(int value);
    virtual void SetShowDownPattern(bool value);
    virtual void SetShowFocusRect(bool value);
    void SetCancel(bool value) { m_cancel = value; }
    void SetDropDownOnEnter(bool value) { m_dropDownOnEnter = value; }
    void SetModalResult(int value) { m_modalResult = value; }
    void SetColor(TColor value);
    void SetHotTrack(bool value) override;
    // The obsolete stored "FrameFlat" switch, applied as HotTrack.
    void ReadFrameFlat(bool value) { SetHotTrack(value); }

    // This button acts as its window's default: it is the focused button, or no button has the
    // window's focus and it is the Default one.
    bool DefaultLook() const;
    bool CanTakeFocus() const;
    bool InClick() const { return m_inClick; }
    TButtonState DownState() const { return m_downState; }

    TCustomAction *Action() const;
    void SetAction(TCustomAction *action);
    // The action changed; with checkDefaults only what the button has left unset follows it.
    virtual void ActionChange(TCustomAction &action, bool checkDefaults);

    // The window's result takes this button's ModalResult (also 0), then OnClick fires, or the
    // action runs for a button without OnClick. A non-zero result closes a dialog window.
    virtual void Click();
    // The group message of another button of the same parent.
    void GroupButtonPressed(int groupIndex, TKxButton *sender);

    TNotifyEvent OnClick;

protected:
    virtual QRect CaptionArea() const;
    virtual void DrawButtonCaption(QPainter &canvas);
    virtual QPixmap MakeDownPattern() const;

    void EraseBackground(QPainter &canvas) override;
    void ButtonStateChanged() override;
    void ButtonClicked() override;
    // Down in a group, or pressed.
    bool ShownPressed() const;
    // The caption's DrawText alignment flag (mirrored for right-to-left).
    unsigned AlignmentFlag() const;

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void UpdateGroup();
    // The focus moved to or from this button: the default look of the window's buttons follows.
    void RepaintWindowButtons();
    QRect PaintHotTrackFace(QPainter &canvas);
    QRect PaintClassicFace(QPainter &canvas);

    TAlignment m_alignment = taCenter;
    bool m_allowAllUp = false;
    bool m_cancel = false;
    bool m_default = false;
    bool m_dropDownOnEnter = true;
    int m_groupIndex = 0;
    bool m_down = false;
    TColor m_color = clBtnFace;
    TColor m_frameColor = cl3DDkShadow;
    int m_modalResult = 0;
    bool m_showDownPattern = true;
    bool m_showFocusRect = true;
    bool m_inClick = false;
    bool m_spaceArmed = false;
    TButtonState m_downState = bsUp;
    std::unique_ptr<TControlActionLink> m_actionLink;
};
