#pragma once

#include <QList>
#include <QWidget>

// Tells every button of the sender's kind beside it (the children of its parent) that the
// sender's group changed; buttons of other groups ignore the message.
template <typename Button> void BroadcastButtonGroup(Button &sender, int groupIndex) {
    QWidget *parent = sender.parentWidget();
    if (groupIndex == 0 || parent == nullptr)
        return;
    const QList<Button *> siblings =
        parent->template findChildren<Button *>(Qt::FindDirectChildrenOnly);
    for (Button *button : siblings)
        button->GroupButtonPressed(groupIndex, &sender);
}

// The group message as a button takes it: another down button of its group raises it, and it
// copies the sender's AllowAllUp. True when the button went up.
template <typename Button>
bool TakeGroupMessage(const Button &self, int ownGroup, int groupIndex, const Button &sender,
                      bool &down, bool &allowAllUp) {
    if (&sender == &self || groupIndex != ownGroup)
        return false;
    const bool raised = sender.Down() && down;
    if (raised)
        down = false;
    allowAllUp = sender.AllowAllUp();
    return raised;
}

// Whether a button's Down takes the value: without a group a button stays up (the value is
// forced False), and a down grouped button goes up by itself only with AllowAllUp.
inline bool DownChangeAllowed(int groupIndex, bool down, bool allowAllUp, bool &value) {
    if (groupIndex == 0)
        value = false;
    return value != down && (!down || allowAllUp);
}
