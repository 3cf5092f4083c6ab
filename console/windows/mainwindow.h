#pragma once

#include "console/link/tcpthread.h"

#include <QWidget>

class SettingDlg;

// The console's one top-level window. Builds the link thread first and starts it last, after
// the settings are read, so the first connect uses the stored server address; its destruction
// writes the settings and ends the process.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

private slots:
    void slot_SrvMsgObrabot();

private:
    TcpThread tcpThread;
    SettingDlg *settingDlg = nullptr;
};
