#include "controls/framework/tkxblinkingcontrolslist.h"

#include "controls/framework/ikxblinkingcontrol.h"

#include <memory>

namespace {

std::unique_ptr<TKxBlinkingControlsList> &SharedList() {
    static std::unique_ptr<TKxBlinkingControlsList> list;
    return list;
}

} // namespace

TKxBlinkingControlsList::TKxBlinkingControlsList() {
    connect(&m_timer, &QTimer::timeout, this, &TKxBlinkingControlsList::Tick);
    m_timer.start(m_intervalOff);
}

TKxBlinkingControlsList &TKxBlinkingControlsList::Instance() {
    if (!SharedList())
        SharedList().reset(new TKxBlinkingControlsList());
    return *SharedList();
}

bool TKxBlinkingControlsList::Exists() {
    return SharedList() != nullptr;
}

void TKxBlinkingControlsList::Add(IKxBlinkingControl *control) {
    if (control != nullptr && !m_controls.contains(control))
        m_controls.append(control);
}

void TKxBlinkingControlsList::Remove(IKxBlinkingControl *control) {
    m_controls.removeAll(control);
    if (Count() == 0 && SharedList().get() == this)
        SharedList().reset();
}

int TKxBlinkingControlsList::Count() const {
    return int(m_controls.size());
}

void TKxBlinkingControlsList::SetIntervalOff(std::uint16_t milliseconds) {
    m_intervalOff = milliseconds;
}

void TKxBlinkingControlsList::SetIntervalOn(std::uint16_t milliseconds) {
    m_intervalOn = milliseconds;
}

void TKxBlinkingControlsList::Tick() {
    m_phase = m_phase == 1 ? 0 : 1;
    m_timer.setInterval(m_phase == 0 ? m_intervalOff : m_intervalOn);
    const QList<IKxBlinkingControl *> controls = m_controls;
    for (IKxBlinkingControl *control : controls) {
        if (control->IsBlinking())
            control->SetBlinkPhase(m_phase);
    }
}
