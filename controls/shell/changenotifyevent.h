#pragma once

#include <QEvent>

// Posted by the change-notification thread to its owner once per change of a watched folder.
class ChangeNotifyEvent : public QEvent {
public:
    ChangeNotifyEvent(QEvent::Type type, int slot)
        : QEvent(type)
        , m_slot(slot) {}

    // The type the shell controls have their change-notification threads post, one for all.
    static QEvent::Type ShellChangeType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    int Slot() const { return m_slot; }

private:
    int m_slot = -1;
};
