#pragma once

#include <QTabWidget>

#include <functional>

class QCloseEvent;

// The tab widget of a monitoring pane window. Closing the window hands the pane to
// `paneClosed` (the main window clears that pane's selection there) and then hides it.
class MyTabWidget : public QTabWidget {
    Q_OBJECT

public:
    using QTabWidget::QTabWidget;

    int lastPage = 1;   // the page shown last
    int paneNumber = 0; // 1 for the PRIMARY pane, 2 for the SECONDARY pane
    std::function<void(MyTabWidget *)> paneClosed;

protected:
    void closeEvent(QCloseEvent *event) override;
};
