#pragma once

#include "controls/framework/tcustomaction.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <functional>

// Links a control to an action: every change of the action reaches the control's ActionChange,
// and a click of a control without its own OnClick runs the action.
class TControlActionLink {
public:
    TControlActionLink(QWidget *client, TCustomAction *action,
                       std::function<void(TCustomAction &)> changed);
    virtual ~TControlActionLink();
    TControlActionLink(const TControlActionLink &) = delete;
    TControlActionLink &operator=(const TControlActionLink &) = delete;

    TCustomAction *Action() const { return m_action; }
    void Execute();

private:
    QPointer<TCustomAction> m_action;
    QMetaObject::Connection m_connection;
};

// What every control takes from its action: caption, enabled state, hint and visibility; with
// checkDefaults only where the control still has its default.
template <typename Control>
void ApplyActionToControl(Control &control, const TCustomAction &action, bool checkDefaults) {
    if (!checkDefaults || control.Caption().isEmpty())
        control.SetCaption(action.text());
    if (!checkDefaults || control.isEnabled())
        control.setEnabled(action.isEnabled());
    if (!checkDefaults || control.toolTip().isEmpty())
        control.setToolTip(action.toolTip());
    // A control without a parent would become a window of its own.
    if (control.parentWidget() != nullptr && (!checkDefaults || !control.isHidden()))
        control.setVisible(action.isVisible());
}
