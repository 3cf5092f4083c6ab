#pragma once

#include "controls/framework/tcontrolactionlink.h"

class TKxToolButton;

// A tool button's link to its action, which also supplies the checked state (as Down) and the
// image index while the button shows the action's values.
class TKxToolButtonActionLink : public TControlActionLink {
public:
    TKxToolButtonActionLink(TKxToolButton *client, TCustomAction *action);

    bool IsCheckedLinked() const;
    bool IsImageIndexLinked() const;

private:
    TKxToolButton *m_client;
};
