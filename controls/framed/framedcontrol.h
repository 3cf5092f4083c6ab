#pragma once

#include "controls/framed/framecontrollerlink.h"
#include "controls/framed/frameset.h"
#include "controls/framed/tkxframecontroller.h"
#include "controls/framework/componentstate.h"
#include "controls/framework/kxevents.h"

#include <QStyle>

class QPainter;
class QWidget;

// The published frame and state-colour properties, which the frame controller assigns by name;
// a framed control declares them after Q_OBJECT.
#define FRAMED_CONTROL_PROPERTIES                                                                  \
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)                                             \
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)                             \
    Q_PROPERTY(TColor DisabledColor READ DisabledColor WRITE SetDisabledColor)                     \
    Q_PROPERTY(TColor FocusColor READ FocusColor WRITE SetFocusColor)                              \
    Q_PROPERTY(TColor FrameColor READ FrameColor WRITE SetFrameColor)                              \
    Q_PROPERTY(TColor FrameHotColor READ FrameHotColor WRITE SetFrameHotColor)                     \
    Q_PROPERTY(bool FrameHotTrack READ FrameHotTrack WRITE SetFrameHotTrack)                       \
    Q_PROPERTY(TFrameStyle FrameHotStyle READ FrameHotStyle WRITE SetFrameHotStyle)                \
    Q_PROPERTY(TSides FrameSides READ FrameSides WRITE SetFrameSides)                              \
    Q_PROPERTY(TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)                         \
    Q_PROPERTY(bool FrameVisible READ FrameVisible WRITE SetFrameVisible)                          \
    Q_PROPERTY(                                                                                    \
        TFramingPreference FramingPreference READ FramingPreference WRITE SetFramingPreference)    \
    Q_PROPERTY(quint16 FrameControllerNotifications READ FrameControllerNotifications WRITE        \
                   SetFrameControllerNotifications)

// What every framed control shares: the frame property set, the state colours (normal, focused,
// disabled), the hot state under focus and mouse, the frame painted over the control's 2-pixel
// border, and membership in a frame controller. A control derives from its Qt widget and this.
class FramedControl : public ComponentState {
public:
    enum THotFlag { hfFocused, hfMouseOver };

    explicit FramedControl(QWidget *self);
    ~FramedControl() override;

    // The colour shown; a change from outside also becomes the normal colour and turns
    // ParentColor off.
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    // The control takes its parent's colour, now and whenever the parent hands a new one down.
    bool ParentColor() const { return m_parentColor; }
    virtual void SetParentColor(bool value);
    // A parent whose colour changed hands it to its framed children that take it.
    static void HandColorToChildren(QWidget &parent);

    TColor DisabledColor() const { return m_frame.DisabledColor; }
    TColor FocusColor() const { return m_frame.FocusColor; }
    TColor FrameColor() const { return m_frame.FrameColor; }
    TKxFrameController *FrameController() const { return m_controller.Controller(); }
    TColor FrameHotColor() const { return m_frame.FrameHotColor; }
    bool FrameHotTrack() const { return m_frame.FrameHotTrack; }
    TFrameStyle FrameHotStyle() const { return m_frame.FrameHotStyle; }
    TSides FrameSides() const { return m_frame.FrameSides; }
    TFrameStyle FrameStyle() const { return m_frame.FrameStyle; }
    bool FrameVisible() const { return m_frame.FrameVisible; }
    TFramingPreference FramingPreference() const { return m_frame.FramingPreference; }
    TKxFrameControllerNotifications FrameControllerNotifications() const {
        return m_frame.FrameControllerNotifications;
    }

    virtual void SetDisabledColor(TColor value);
    virtual void SetFocusColor(TColor value);
    virtual void SetFrameColor(TColor value);
    virtual void SetFrameController(TKxFrameController *controller);
    virtual void SetFrameHotColor(TColor value);
    virtual void SetFrameHotTrack(bool value);
    virtual void SetFrameHotStyle(TFrameStyle value);
    virtual void SetFrameSides(TSides value);
    virtual void SetFrameStyle(TFrameStyle value);
    virtual void SetFrameVisible(bool value);
    virtual void SetFramingPreference(TFramingPreference value);
    void SetFrameControllerNotifications(TKxFrameControllerNotifications value);

    virtual bool UsesThemedFrame() const;
    void Loaded() override;

    bool HotFlag(THotFlag which) const { return which == hfFocused ? m_focused : m_mouseOver; }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TKeyEvent OnKeyDown;

protected:
    // The colour for the current state, applied through Color.
    virtual void UpdateColors();
    virtual void UpdateHotState(THotFlag which, bool value);
    virtual void InvalidateFrame();
    // The focus entered the control from another control of its window, or left it for one;
    // a window that is merely deactivated and activated again keeps its focused control.
    virtual void DoEnter();
    virtual void DoExit();

    TColor NormalColor() const { return m_normalColor; }
    bool IsHot() const;
    // Sets Color as the control's own choice, which leaves the normal colour alone.
    void ShowStateColor(TColor color);
    // Width of the border that the frame is painted over.
    static constexpr int kBorderWidth = 2;
    // Follows an event that the widget has handled: enabled changes, a palette change of the
    // application (which a window hears of) or of the parent (which a child hears of) as a change
    // of the system colours, the frame painted over the border (the style's `themedFrame` while
    // themed), and the mouse entering or leaving.
    void FramedEventHandled(const QEvent &event, QStyle::PrimitiveElement themedFrame);
    // Fires OnKeyDown with a pressed key; false when the handler swallowed it (set it to 0).
    bool DoKeyDown(int &key, Qt::KeyboardModifiers modifiers);

private:
    // Paints the border over what the widget painted: the library's frame, or the style's
    // primitive while themed.
    void PaintNonClientFrame(QStyle::PrimitiveElement themedFrame) const;
    void EnabledChanged();
    // The system colours changed: a colour that names one is resolved again.
    void SystemColorsChanged();
    // The mouse entered or left: fires OnMouseEnter or OnMouseLeave, then follows the hot state.
    void MouseOverChanged(bool over);
    void PaintFrame(QPainter &painter, QStyle::PrimitiveElement themedFrame) const;
    void ApplyColorToPalette();
    // Color as a change from outside: it becomes the normal colour unless a state colour is shown.
    void TakeColor(TColor color);
    void ParentColorChanged();
    void FocusChanged(QWidget *now);

    QWidget *m_self;
    FrameSet m_frame;
    FrameControllerLink m_controller;
    TColor m_color = clWindow;
    TColor m_normalColor = clWindow;
    bool m_parentColor = false;
    bool m_updatingColors = false;
    bool m_focused = false;
    bool m_mouseOver = false;
    QMetaObject::Connection m_focusConnection;
};
