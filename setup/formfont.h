#pragma once

#include <QFont>

// The font of netsetup's forms: Arial, 11 pixels high. A window does not take the font of the
// window that owns it, so every form sets this one itself.
QFont FormFont();
