#include "controls/framed/borderedcontrol.h"

#include "controls/framework/propertychange.h"
#include "controls/painting/colorarithmetic.h"

#include <QWidget>

BorderedControl::BorderedControl(QWidget *self, const BorderLayers &layers)
    : m_self(self)
    , m_layers(layers)
    , m_controller(self) {}

template <typename T> void BorderedControl::ChangeExtent(T &field, const T &value) {
    if (field == value)
        return;
    field = value;
    BordersChanged();
}

void BorderedControl::SetBevelWidth(int value) {
    ChangeExtent(m_layers.bevelWidth, value);
}

void BorderedControl::SetBorderColor(TColor value) {
    ChangeAndRepaint(*m_self, m_layers.borderColor, value);
}

void BorderedControl::SetBorderInner(TFrameStyleEx value) {
    ChangeExtent(m_layers.inner, value);
}

void BorderedControl::SetBorderOuter(TFrameStyleEx value) {
    ChangeExtent(m_layers.outer, value);
}

void BorderedControl::SetBorderSides(TSides value) {
    ChangeExtent(m_layers.sides, value);
}

void BorderedControl::SetBorderWidth(int value) {
    ChangeExtent(m_layers.borderWidth, value);
}

void BorderedControl::SetFlatColor(TColor value) {
    ChangeAndRepaint(*m_self, m_layers.flatColor, value);
}

void BorderedControl::SetFlatColorAdjustment(int value) {
    ChangeAndRepaint(*m_self, m_layers.flatColorAdjustment, value);
}

void BorderedControl::SetFrameController(TKxFrameController *controller) {
    m_controller.SetController(controller);
}

void BorderedControl::ApplyFrameController() {
    const TKxFrameController *controller = FrameController();
    if (controller == nullptr || !controller->FrameVisible())
        return;
    const TKxFrameController &c = *controller;
    const auto accepts = [this](TKxFrameControllerProperty p) {
        return HasNotification(m_notifications, p);
    };
    if (accepts(fcpFrameStyle))
        SetBorderOuter(c.FrameStyle());
    if (accepts(fcpFrameSides))
        SetBorderSides(c.FrameSides());
    if (accepts(fcpFrameColor)) {
        SetFlatColor(c.FrameColor());
        SetFlatColorAdjustment(0);
    }
    if (accepts(fcpColor))
        SetColor(c.Color());
    if (accepts(fcpParentColor))
        SetParentColor(c.ParentColor());
    if (accepts(fcpColor)) {
        const QColor color = ShownColor();
        SetBevelColors(TColor::FromQColor(ShadeLighter(color, 100)),
                       TColor::FromQColor(ShadeDarker(color, 50)));
    }
    m_self->update();
}

void BorderedControl::ChangeBorderHighlight(TColor value) {
    ChangeAndRepaint(*m_self, m_layers.highlightColor, value);
}

void BorderedControl::ChangeBorderShadow(TColor value) {
    ChangeAndRepaint(*m_self, m_layers.shadowColor, value);
}
