#pragma once

#include <QList>
#include <QObject>
#include <QPixmap>

class QPainter;

// A list of images of one size, drawn by index; disabled images are rendered greyed.
class TImageList : public QObject {
    Q_OBJECT

public:
    TImageList(int width, int height, QObject *owner = nullptr);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Count() const { return int(m_images.size()); }

    // Appends an image, scaled to the list's size; returns its index.
    int Add(const QPixmap &image);
    void Clear();
    // Draws an image at a point; an index outside the list draws nothing.
    void Draw(QPainter &canvas, QPoint at, int index, bool enabled) const;

signals:
    void Changed();

private:
    int m_width;
    int m_height;
    QList<QPixmap> m_images;
};
