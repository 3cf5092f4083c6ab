#pragma once

#include <QAction>

// An action as the controls link to it: Qt's action with the image index it shows.
class TCustomAction : public QAction {
    Q_OBJECT

public:
    explicit TCustomAction(QObject *owner = nullptr);

    int ImageIndex() const { return m_imageIndex; }
    // A change is announced through changed(), as every other property of the action.
    void SetImageIndex(int value);

private:
    int m_imageIndex = -1;
};
