#pragma once

#include <QObject>

class QComboBox;

// The object an image combo box keeps with each row's text.
class TKxImageComboBoxItem : public QObject {
    Q_OBJECT

public:
    explicit TKxImageComboBoxItem(QObject *owner = nullptr);
};

// The object kept with the combo box row at the index (none when the row keeps none); an
// object of another class raises "Invalid class typecast", a row out of range
// "List index out of bounds".
TKxImageComboBoxItem *ImageComboItemAt(const QComboBox &combo, int index);
