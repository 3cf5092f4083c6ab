#pragma once

#include <QLayout>
#include <QList>

// A layout that places its items at the borders of its rectangle: north items stack downwards
// from the top and south items upwards from the bottom, both across the full width; west items
// stack rightwards and east items leftwards in the band between them; the last centre item gets
// what is left. Band sizes come from the items' size hints.
class BorderLayout : public QLayout {
public:
    enum Position { West = 0, North = 1, South = 2, East = 3, Center = 4 };

    BorderLayout(QWidget *parent, int margin, int spacing);
    explicit BorderLayout(int spacing);
    ~BorderLayout() override;

    void add(QLayoutItem *item, Position position);
    void addItem(QLayoutItem *item) override;
    void addWidget(QWidget *widget, Position position);

    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;

    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &rect) override;

private:
    struct ItemWrapper {
        QLayoutItem *item = nullptr;
        Position position = West;
    };
    enum SizeType { MinimumSize, SizeHint };

    QSize calculateSize(SizeType sizeType) const;

    QList<ItemWrapper> list;
};
