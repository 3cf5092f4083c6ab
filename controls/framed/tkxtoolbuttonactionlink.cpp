#include "controls/framed/tkxtoolbuttonactionlink.h"

#include "controls/framed/tkxtoolbutton.h"

TKxToolButtonActionLink::TKxToolButtonActionLink(TKxToolButton *client, TCustomAction *action)
    : TControlActionLink(client, action,
                         [client](TCustomAction &changed) { client->ActionChange(changed, false); })
    , m_client(client) {}

bool TKxToolButtonActionLink::IsCheckedLinked() const {
    return Action() != nullptr && Action()->isChecked() == m_client->Down();
}

bool TKxToolButtonActionLink::IsImageIndexLinked() const {
    return Action() != nullptr && Action()->ImageIndex() == m_client->ImageIndex();
}
