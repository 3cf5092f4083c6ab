#pragma once

#include <QPointer>

class ConsoleTables;
class ConsoleViews;
class QMessageBox;
class QWidget;

// The console's answer to a change of the link state: the "no connection" notice, shown once
// while the link is reported down (and the window is open), above the console's other windows,
// and closed when it is back, and,
// after the inbound ring was emptied for a new connection, the hiding of every shown rack.
class LinkNotice {
public:
    // The notice is a child window of `window`, which owns it.
    LinkNotice(QWidget *window, ConsoleTables &tables, ConsoleViews &views);

    // Runs for every link-state announcement of the link thread.
    void infoMsgExec();

    bool isShown() const { return infoBoxShown == 1; }
    // The link state of the last announcement.
    bool isLinkDown() const { return linkDown; }
    QMessageBox *noConnectionBox() const { return box; }

private:
    ConsoleTables &tables;
    ConsoleViews &views;
    QPointer<QMessageBox> box;
    int infoBoxShown = -1; // 1 while the notice is open
    bool linkDown = false;
};
