#include "controls/framed/framecontrollerlink.h"

#include "controls/framed/tkxframecontroller.h"

FrameControllerLink::FrameControllerLink(QWidget *control)
    : m_control(control) {}

FrameControllerLink::~FrameControllerLink() {
    if (m_controller)
        m_controller->UnregisterFramedControl(m_control);
}

void FrameControllerLink::SetController(TKxFrameController *controller) {
    if (m_controller == controller)
        return;
    if (m_controller)
        m_controller->UnregisterFramedControl(m_control);
    m_controller = controller;
    if (controller != nullptr)
        controller->RegisterFramedControl(m_control);
}
