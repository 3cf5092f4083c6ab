#pragma once

// A control that the shared blink timer drives (labels).
class IKxBlinkingControl {
public:
    virtual bool IsBlinking() const = 0;
    // Phase 1 shows the blink colour, phase 0 the ordinary one.
    virtual void SetBlinkPhase(int phase) = 0;

protected:
    ~IKxBlinkingControl() = default;
};
