#pragma once

#include "console/link/tcpthread.h"

#include <QWidget>

#include <memory>

class ConsoleTables;
class ConsoleViews;
class SettingDlg;
class SrvMsgProcessor;

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
    std::unique_ptr<ConsoleTables> tables;
    std::unique_ptr<ConsoleViews> views;
    std::unique_ptr<SrvMsgProcessor> processor;
    SettingDlg *settingDlg = nullptr;
};
