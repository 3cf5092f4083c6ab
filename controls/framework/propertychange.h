#pragma once

#include <QWidget>

// How a property setter stores its value: an equal value does nothing.

// Stores a changed value; true when it changed.
template <typename T> bool StoreChanged(T &field, const T &value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

// Stores a changed value and repaints the widget that shows it.
template <typename T> void ChangeAndRepaint(QWidget &widget, T &field, const T &value) {
    if (StoreChanged(field, value))
        widget.update();
}
