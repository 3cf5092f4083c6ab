#include "controls/framework/tkximagecomboboxitem.h"

#include <QComboBox>

#include <stdexcept>

TKxImageComboBoxItem::TKxImageComboBoxItem(QObject *owner)
    : QObject(owner) {}

TKxImageComboBoxItem *ImageComboItemAt(const QComboBox &combo, int index) {
    if (index < 0 || index >= combo.count())
        throw std::out_of_range("List index out of bounds");
    QObject *object = combo.itemData(index).value<QObject *>();
    if (object == nullptr)
        return nullptr;
    auto *item = qobject_cast<TKxImageComboBoxItem *>(object);
    if (item == nullptr)
        throw std::runtime_error("Invalid class typecast");
    return item;
}
