#pragma once

#include "controls/framed/framecontrollerlink.h"
#include "controls/framed/ikxframecontrollernotification.h"
#include "controls/framed/tkxframecontroller.h"
#include "controls/framework/frametypes.h"
#include "controls/framework/tcolor.h"
#include "controls/painting/borderlayers.h"

class QColor;
class QWidget;

// What labels and panels share: inner and outer borders with their colours, and membership in a
// frame controller whose settings they read themselves. A control derives from its Qt widget
// and this.
class BorderedControl : public IKxFrameControllerNotification {
public:
    BorderedControl(QWidget *self, const BorderLayers &layers);

    int BevelWidth() const { return m_layers.bevelWidth; }
    virtual void SetBevelWidth(int value);
    TColor BorderColor() const { return m_layers.borderColor; }
    virtual void SetBorderColor(TColor value);
    TFrameStyleEx BorderInner() const { return m_layers.inner; }
    virtual void SetBorderInner(TFrameStyleEx value);
    TFrameStyleEx BorderOuter() const { return m_layers.outer; }
    virtual void SetBorderOuter(TFrameStyleEx value);
    TSides BorderSides() const { return m_layers.sides; }
    virtual void SetBorderSides(TSides value);
    int BorderWidth() const { return m_layers.borderWidth; }
    virtual void SetBorderWidth(int value);
    TColor FlatColor() const { return m_layers.flatColor; }
    virtual void SetFlatColor(TColor value);
    int FlatColorAdjustment() const { return m_layers.flatColorAdjustment; }
    virtual void SetFlatColorAdjustment(int value);
    TKxFrameController *FrameController() const { return m_controller.Controller(); }
    virtual void SetFrameController(TKxFrameController *controller);
    TKxFrameControllerNotifications FrameControllerNotifications() const { return m_notifications; }
    void SetFrameControllerNotifications(TKxFrameControllerNotifications value) {
        m_notifications = value;
    }

    // The fill colour; setting one also turns ParentColor off.
    virtual void SetColor(TColor value) = 0;
    virtual void SetParentColor(bool value) = 0;

    // Reads the frame controller's settings (only while it shows frames): its frame style,
    // sides and colour become the outer border, its colour the fill with bevels to match.
    virtual void ApplyFrameController();

protected:
    ~BorderedControl() = default;

    const BorderLayers &Layers() const { return m_layers; }
    // Change the bevel colours, which the controls publish under names of their own.
    void ChangeBorderHighlight(TColor value);
    void ChangeBorderShadow(TColor value);
    // The borders' extent changed: the control lays itself out again and repaints.
    virtual void BordersChanged() = 0;
    // The colour the control is filled with, which the bevels follow.
    virtual QColor ShownColor() const = 0;
    // Sets the two bevel colours through the control's own properties.
    virtual void SetBevelColors(TColor highlight, TColor shadow) = 0;

private:
    template <typename T> void ChangeExtent(T &field, const T &value);

    QWidget *m_self;
    BorderLayers m_layers;
    FrameControllerLink m_controller;
    TKxFrameControllerNotifications m_notifications = kAllFrameControllerNotifications;
};
