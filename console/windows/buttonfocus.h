#pragma once

class QAbstractButton;
class QKeyEvent;

// Arrow keys in a row of mutually exclusive buttons (a button group, an ON/OFF pair, a
// Normal/Ignore choice) move the focus to the neighbouring button in that direction, as the
// buttons lie on screen, without clicking it: Qt's own arrow navigation clicks every button
// it passes, which would write each one to the equipment. True when the event was such a
// key and has been dealt with (accepted, or ignored at the end of the row so that it can
// scroll what holds the row); false for any other key or button.
bool moveFocusWithoutClick(QAbstractButton &button, QKeyEvent &event);
