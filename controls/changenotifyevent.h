#pragma once

#include <QEvent>

// Posted by the change-notification thread to its owner once per change of a watched folder.
class ChangeNotifyEvent : public QEvent {
public:
    ChangeNotifyEvent(QEvent::Type type, int slot)
        : QEvent(type)
        , m_slot(slot) {}

    int Slot() const { return m_slot; }

private:
    int m_slot = -1;
};
