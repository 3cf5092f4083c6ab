#include "controls/framework/timagelist.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

TImageList::TImageList(int width, int height, QObject *owner)
    : QObject(owner)
    , m_width(width)
    , m_height(height) {}

int TImageList::Add(const QPixmap &image) {
    m_images.append(
        image.size() == QSize(m_width, m_height)
            ? image
            : image.scaled(m_width, m_height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    emit Changed();
    return Count() - 1;
}

void TImageList::Clear() {
    if (m_images.isEmpty())
        return;
    m_images.clear();
    emit Changed();
}

void TImageList::Draw(QPainter &canvas, QPoint at, int index, bool enabled) const {
    if (index < 0 || index >= Count())
        return;
    if (enabled) {
        canvas.drawPixmap(at, m_images[index]);
        return;
    }
    QStyleOption option;
    option.palette = QApplication::palette();
    canvas.drawPixmap(
        at, QApplication::style()->generatedIconPixmap(QIcon::Disabled, m_images[index], &option));
}
