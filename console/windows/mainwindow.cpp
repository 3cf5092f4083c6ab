#include "console/windows/mainwindow.h"

#include "console/link/consoletables.h"
#include "console/link/globals.h"
#include "console/link/nullconsoleviews.h"
#include "console/link/rings.h"
#include "console/link/settingdlg.h"
#include "console/link/srvmsgprocessor.h"
#include "platform/endprocess.h"

#include <QDateTime>

MainWindow::MainWindow()
    : QWidget(nullptr)
    , tcpThread(nullptr)
    , tables(ConsoleTables::create())
    // The window's own views replace these once it shows racks and slots.
    , views(std::make_unique<NullConsoleViews>())
    , processor(std::make_unique<SrvMsgProcessor>(*tables, *views, appDir)) {
    setLogRangeToMonthBefore(QDateTime::currentDateTime());

    settingDlg = new SettingDlg(ip_all, ip_all_old, ip_sel, ip_sel_old, this);
    settingDlg->ReadSettingFile();

    connect(&tcpThread, &TcpThread::sig_SrvMsgObrabot, this, &MainWindow::slot_SrvMsgObrabot);
    tcpThread.start(QThread::InheritPriority);
}

MainWindow::~MainWindow() {
    lastTime = QDateTime::currentDateTime();
    settingDlg->WriteSettingFile();
    endProcess(0);
}

void MainWindow::slot_SrvMsgObrabot() {
    processor->processInboundChunk(inboundRing().takeInboundChunk());
}
