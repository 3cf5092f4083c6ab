#pragma once

// A control that reads the frame controller's settings itself: the controller only tells it
// that they changed instead of assigning them property by property.
class IKxFrameControllerNotification {
public:
    virtual void FrameControllerChanged() = 0;

protected:
    ~IKxFrameControllerNotification() = default;
};
