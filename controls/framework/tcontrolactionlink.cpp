#include "controls/framework/tcontrolactionlink.h"

TControlActionLink::TControlActionLink(QWidget *client, TCustomAction *action,
                                       std::function<void(TCustomAction &)> changed)
    : m_action(action) {
    m_connection =
        QObject::connect(action, &QAction::changed, client, [this, changed = std::move(changed)] {
            if (m_action)
                changed(*m_action);
        });
}

TControlActionLink::~TControlActionLink() {
    QObject::disconnect(m_connection);
}

void TControlActionLink::Execute() {
    if (m_action)
        m_action->trigger();
}
