#pragma once

#include <QPointer>

class QWidget;
class TKxFrameController;

// A control's membership in a frame controller: joining one leaves the one before, and the
// control leaves its controller when it goes.
class FrameControllerLink {
public:
    explicit FrameControllerLink(QWidget *control);
    ~FrameControllerLink();
    FrameControllerLink(const FrameControllerLink &) = delete;
    FrameControllerLink &operator=(const FrameControllerLink &) = delete;

    TKxFrameController *Controller() const { return m_controller; }
    void SetController(TKxFrameController *controller);

private:
    QWidget *m_control;
    QPointer<TKxFrameController> m_controller;
};
