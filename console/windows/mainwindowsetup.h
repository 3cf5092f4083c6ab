#pragma once

class MainWindow;
class QString;

// What the program does with its window once the window is built: the application style, the
// title, the window icon and the block-state icons from "/ICONS_NEW/" under `folder` (names
// matched exactly first, then case-insensitively; a file that is missing or does not load
// leaves its icon empty), the geometry 1080 x 698 at (5, 20) with that size
// as the minimum, and the window shown maximised.
void setUpMainWindow(MainWindow &window, const QString &folder);
