#pragma once

#include <QObject>
#include <QRect>
#include <QString>

class QColor;
class QImage;
class QWidget;

// Counts the paint events that reach a widget.
class PaintCounter : public QObject {
    Q_OBJECT

public:
    explicit PaintCounter(QWidget *widget);
    int Count() const { return m_count; }
    void Reset() { m_count = 0; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_count = 0;
};

// Shows a window, makes it the active one and lets pending events run.
void ShowActive(QWidget &window);
void Settle();
// Sends a key press with the text it types.
void TypeKey(QWidget &widget, int key, const QString &text = QString());
// Counts system beeps while it lives.
class BeepCounter {
public:
    BeepCounter();
    ~BeepCounter();
    int Count() const { return *m_count; }

private:
    int *m_count;
};

// The bounding box of the pixels of one colour in an image.
QRect ColorBounds(const QImage &image, const QColor &color);
