#pragma once

#include "controls/framed/framedcontrol.h"
#include "controls/framework/controlservices.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

#include <type_traits>
#include <utility>

// A Qt widget with what every framed control does with its events, written once: each event the
// widget has handled is followed by the frame's part (enabled and palette changes, the frame
// painted over the border, the mouse entering and leaving), and a pressed key reaches OnKeyDown
// before the control's own handling. A framed control derives from this over its Qt widget.
template <class Widget> class FramedWidget : public Widget, public FramedControl {
public:
    template <class... Args>
    explicit FramedWidget(Args &&...args)
        : Widget(std::forward<Args>(args)...)
        , FramedControl(this) {}

protected:
    bool event(QEvent *event) override {
        const bool result = Widget::event(event);
        FramedEventHandled(*event, kThemedFrame);
        return result;
    }

    void keyPressEvent(QKeyEvent *event) override {
        CallGuarded([&] {
            if (KeyTakenBeforeKeyDown(*event))
                return;
            int key = event->key();
            if (DoKeyDown(key, event->modifiers()))
                KeyDown(*event);
        });
    }
    // A key the control acts on before OnKeyDown; true when OnKeyDown and the rest never see it.
    virtual bool KeyTakenBeforeKeyDown(QKeyEvent &) { return false; }
    // A key that OnKeyDown left to the control.
    virtual void KeyDown(QKeyEvent &event) { Widget::keyPressEvent(&event); }

private:
    // The style's frame while themed: an edit's own, a plain frame around the item views.
    static constexpr QStyle::PrimitiveElement kThemedFrame =
        std::is_base_of_v<QLineEdit, Widget> ? QStyle::PE_FrameLineEdit : QStyle::PE_Frame;
};
