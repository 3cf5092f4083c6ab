#pragma once

class QKeyEvent;
class QWidget;

// Enter and Escape that the focused control does not use go to the buttons of its window: Enter
// clicks the button with the default look, Escape the window's Cancel button, once.

// Clicks the button of the widget's window that takes the key (Enter or Escape, without Shift,
// Ctrl or Alt, on a button that can take the focus); false when no button takes it.
bool ClickDialogButton(QWidget &widget, const QKeyEvent &event);
// Enter and Escape that reach the window unused, because the control that had them ignored them,
// go to ClickDialogButton. Watching a window twice changes nothing.
void WatchDialogKeys(QWidget &window);
