#pragma once

#include "controls/framework/kxevents.h"

class QObject;

// Fires the start event now and the finish event when the scope ends, whatever happens in it.
class FillScope {
public:
    FillScope(QObject *sender, const TNotifyEvent &start, const TNotifyEvent &finish)
        : m_sender(sender)
        , m_finish(finish) {
        if (start)
            start(sender);
    }
    ~FillScope() {
        if (m_finish)
            m_finish(m_sender);
    }
    FillScope(const FillScope &) = delete;
    FillScope &operator=(const FillScope &) = delete;

private:
    QObject *m_sender;
    const TNotifyEvent &m_finish;
};
