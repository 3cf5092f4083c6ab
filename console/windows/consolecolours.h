#pragma once

#include <QColor>

#include <array>

// The console's colours.
inline const QColor normalColor{180, 255, 160};    // face of a slot button
inline const QColor alarmColor{255, 150, 170};     // a slot button that shows an alarm
inline const QColor paneColor1{220, 0, 240};       // the PRIMARY pane
inline const QColor paneColor2{255, 100, 0};       // the SECONDARY pane
inline const QColor inactiveTabColor{0, 255, 255}; // text of the pane tabs not shown
inline const std::array<QColor, 2> paneColor{paneColor1, paneColor2};
