#include "controls/framework/tcustomaction.h"

TCustomAction::TCustomAction(QObject *owner)
    : QAction(owner) {}

void TCustomAction::SetImageIndex(int value) {
    if (m_imageIndex == value)
        return;
    m_imageIndex = value;
    emit changed();
}
