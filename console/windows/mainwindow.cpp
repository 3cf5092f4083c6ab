#include "console/windows/mainwindow.h"

#include "console/link/globals.h"
#include "console/link/rings.h"
#include "console/link/settingdlg.h"
#include "console/link/srvmsgprocessor.h"
#include "console/windows/alarmtable.h"
#include "console/windows/blockdlg.h"
#include "console/windows/blockpage.h"
#include "console/windows/borderlayout.h"
#include "console/windows/linknotice.h"
#include "console/windows/logdialog.h"
#include "console/windows/monitorpanes.h"
#include "console/windows/mymainbutton.h"
#include "console/windows/networktree.h"
#include "console/windows/slotgrid.h"
#include "platform/endprocess.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QDebug>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>

#include <array>
#include <iterator>

namespace {

constexpr int MAIN_BUTTON_HEIGHT = 41;
constexpr int MAIN_BUTTON_WIDTH = 197;
// Longest the GUI thread handles inbound chunks in one turn of its event loop.
constexpr int CHUNK_TURN_MS = 20;
// The pause before the next turn; not 0, which would queue an event and not start a timer.
constexpr int CHUNK_PAUSE_MS = 1;
// While chunks keep coming, the rack panel and network tree are refreshed at most this often.
constexpr int VIEWS_REFRESH_MS = 100;

QPushButton *mainButton(const char *text, bool fixedWidth) {
    auto *button = new QPushButton(QString::fromLatin1(text));
    button->setMinimumHeight(MAIN_BUTTON_HEIGHT);
    if (fixedWidth)
        button->setFixedWidth(MAIN_BUTTON_WIDTH);
    return button;
}

QBoxLayout *panelBox(QWidget *panel) {
    auto *box = new QHBoxLayout(panel);
    box->setSpacing(0);
    box->setContentsMargins(2, 5, 2, 5);
    return box;
}

// The dark face of the grid's scroll areas.
QPalette scrollAreaPalette() {
    QPalette palette;
    palette.setColor(QPalette::Base, Qt::gray);
    palette.setColor(QPalette::Window, Qt::black);
    return palette;
}

} // namespace

MainWindow::MainWindow()
    : QWidget(nullptr)
    , tcpThread(nullptr)
    , tables(ConsoleTables::create())
    , processor(std::make_unique<SrvMsgProcessor>(*tables, *this, appDir))
    , notice(std::make_unique<LinkNotice>(this, *tables, *this)) {
    setLogRangeToMonthBefore(QDateTime::currentDateTime());

    alarmTable = std::make_unique<AlarmTable>(*tables, *this, [this](int rack, int slot, int reg) {
        const BlockDlg *panel = madeBlockDlg(rack, slot);
        return panel ? static_cast<const QDoubleSpinBox *>(panel->spin(reg)) : nullptr;
    });
    logDlg = new LogDialog(*tables);

    buildLayout();
    buildButtonPanel();

    settingDlg = new SettingDlg(ip_all, ip_all_old, ip_sel, ip_sel_old, this);
    connect(settingDlg, &QDialog::finished, this, &MainWindow::unblocked_Start_Stop_bnts);
    settingDlg->ReadSettingFile();

    grid = std::make_unique<SlotGrid>(
        [this](MyMainButton *pressed) { selectPrimary(pressed); },
        [this](const MyMainButton *button, const QPoint &pos) { showContextMenu(button, pos); });
    gridScrollArea->setWidget(grid->gridColumn);
    // The scroll area shows its widget; the rack panel stays hidden until a rack is reported.
    grid->gridColumn->hide();
    monitorScrollArea->setWidget(grid->monitorColumn);
    panes = std::make_unique<MonitorPanes>(
        *tables, *alarmTable,
        [this](int rack, int slot) -> BlockDlg & { return *blockDlg(rack, slot); }, *grid, this);
    // SETTING and LOG stay in reach when a pane first opens.
    panes->keepClear = {settingBtn, logBtn};

    monitoringBtn->setEnabled(false);
    networkBtn->setChecked(true);

    connect(&tcpThread, &TcpThread::sig_SrvMsgObrabot, this, &MainWindow::slot_SrvMsgObrabot);
    connect(&tcpThread, &TcpThread::sig_InfoMsgExec, this, &MainWindow::slot_InfoMsgExec);
    tcpThread.start(QThread::InheritPriority);
}

MainWindow::~MainWindow() {
    lastTime = QDateTime::currentDateTime();
    settingDlg->WriteSettingFile();
    endProcess(0);
}

BlockDlg *MainWindow::blockDlg(int rack, int slot) {
    BlockDlg *&panel = blockDlgs[rack * SLOTS_PER_RACK + slot];
    if (!panel)
        panel = new BlockDlg;
    return panel;
}

void MainWindow::buildLayout() {
    auto *layout = new BorderLayout(-1);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    treePanel = new QWidget;
    treePanel->setMinimumSize(180, 600);
    networkTree = new NetworkTree(*tables, *this);
    networkTree->setHeaderHidden(true);
    networkTree->setPalette(QPalette(Qt::gray));
    panelBox(treePanel)->addWidget(networkTree);

    gridPanel = new QWidget;
    gridScrollArea = new QScrollArea;
    gridScrollArea->setPalette(scrollAreaPalette());
    panelBox(gridPanel)->addWidget(gridScrollArea);
    monitorScrollArea = new QScrollArea;
    monitorScrollArea->setPalette(scrollAreaPalette());

    mainSplitter = new QSplitter;
    mainSplitter->addWidget(treePanel);
    mainSplitter->addWidget(gridPanel);
    mainSplitter->setStretchFactor(0, 0);
    mainSplitter->setStretchFactor(1, 1);
    mainSplitter->setSizes({180, 800});
    layout->addWidget(mainSplitter, BorderLayout::Center);

    buttonPanel = new QWidget;
    layout->addWidget(buttonPanel, BorderLayout::South);
    setLayout(layout);
}

void MainWindow::buildButtonPanel() {
    auto *box = new QHBoxLayout(buttonPanel);
    box->setSpacing(10);
    box->setContentsMargins(2, 0, 2, 10);

    startBtn = mainButton("START", true);
    stopBtn = mainButton("STOP", false);
    settingBtn = mainButton("SETTING", true);
    utilitysBtn = mainButton("UTILITYS", false);
    logBtn = mainButton("LOG", true);
    auto *spareEdit = new QLineEdit;
    spareEdit->setMinimumSize(200, MAIN_BUTTON_HEIGHT);
    spareEdit->setMaximumSize(500, MAIN_BUTTON_HEIGHT);
    networkBtn = mainButton("NETWORK", true);
    monitoringBtn = mainButton("MONITORING", true);
    helpBtn = mainButton("HELP", false);
    helpBtn->setMinimumWidth(61);
    auto *spareDateTime = new QDateTimeEdit;

    auto *viewBox = new QHBoxLayout;
    for (QPushButton *button : {networkBtn, monitoringBtn}) {
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setStyleSheet(
            QStringLiteral("QPushButton:checked {background-color:RGB(85,85,255)}"));
        viewBox->addWidget(button);
    }
    box->addWidget(startBtn);
    box->addWidget(stopBtn);
    box->addWidget(settingBtn);
    box->addWidget(utilitysBtn);
    box->addWidget(logBtn);
    box->addWidget(spareEdit);
    box->addLayout(viewBox);
    box->addWidget(helpBtn);
    box->addWidget(spareDateTime);
    // Only SETTING and LOG are ever offered to the operator.
    for (QWidget *hidden :
         std::initializer_list<QWidget *>{startBtn, stopBtn, utilitysBtn, spareEdit, networkBtn,
                                          monitoringBtn, helpBtn, spareDateTime})
        hidden->hide();
    stopBtn->setEnabled(false);

    connect(startBtn, &QPushButton::clicked, this, &MainWindow::on_StartBtn_clicked);
    connect(stopBtn, &QPushButton::clicked, this, &MainWindow::on_StopBtn_clicked);
    connect(settingBtn, &QPushButton::clicked, this, &MainWindow::on_SettingBtn_clicked);
    connect(logBtn, &QPushButton::clicked, this, &MainWindow::on_LogBtn_clicked);
    connect(monitoringBtn, &QPushButton::clicked, this, &MainWindow::on_CurrentBtn_clicked);
}

void MainWindow::closeEvent(QCloseEvent *event) {
    logDlg->close();
    panes->closePane(1);
    panes->closePane(2);
    event->accept();
}

void MainWindow::slot_SrvMsgObrabot() {
    // Chunks still waiting after a turn's time get no signal: the rest follow on a timer, so
    // input, painting and the other timers have their turn first.
    const bool moreWait = takeInboundChunks();
    if (moreWait)
        QTimer::singleShot(CHUNK_PAUSE_MS, this, &MainWindow::slot_SrvMsgObrabot);
    // Once for all the chunks of a turn, and while chunks keep coming at most once a refresh
    // period: a burst does not lay out and repaint the growing tree and panel every turn.
    if (!moreWait || !viewsRefreshed.isValid() || viewsRefreshed.hasExpired(VIEWS_REFRESH_MS)) {
        processor->refreshViews();
        grid->forgetModuleIcons();
        viewsRefreshed.start();
    }
}

bool MainWindow::takeInboundChunks() {
    QElapsedTimer spent;
    spent.start();
    for (;;) {
        InboundChunk chunk = inboundRing().takeInboundChunk();
        if (chunk.bytes().isEmpty()) {
            processor->processInboundChunk(chunk);
            // Signal the next chunk again; one published just before that was not signalled.
            inboundRing().takeNotice();
            chunk = inboundRing().takeInboundChunk();
            if (chunk.bytes().isEmpty()) {
                processor->processInboundChunk(chunk);
                return false;
            }
        }
        processor->processInboundChunk(chunk);
        if (spent.elapsed() >= CHUNK_TURN_MS)
            return true;
    }
}

void MainWindow::slot_InfoMsgExec() {
    notice->infoMsgExec();
    panes->setLinkUp(!notice->isLinkDown());
}

int MainWindow::on_StartBtn_clicked() {
    qDebug() << " START begin!!!";
    networkBtn->setEnabled(true);
    networkBtn->setChecked(true);
    for (QScrollArea *area : {gridScrollArea, monitorScrollArea}) {
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    QLayout *box = gridPanel->layout();
    box->removeWidget(monitorScrollArea);
    // The grid's scroll area normally never left the box; adding it twice would move it.
    if (box->indexOf(gridScrollArea) < 0)
        box->addWidget(gridScrollArea);
    monitorScrollArea->hide();
    gridScrollArea->show();
    startBtn->setEnabled(false);
    stopBtn->setEnabled(true);
    return 1;
}

void MainWindow::on_StopBtn_clicked() {
    stopBtn->setEnabled(false);
    grid->gridColumn->hide();
    grid->paneRowsWidget->hide();
    networkTree->clear();
    startBtn->setEnabled(true);
}

void MainWindow::on_SettingBtn_clicked() {
    startBtn->setEnabled(false);
    stopBtn->setEnabled(false);
    // The file is read again for the server's address and port. The log filter the operator
    // set since start is newer than the file's, and is what the exit writes: it stays.
    QString *const logFilter[] = {&logFilterOnOff, &logSelectFilter, &logDateTime,
                                  &logEventType,   &logIPs,          &logSlots};
    std::array<QString, std::size(logFilter)> kept;
    for (std::size_t i = 0; i < kept.size(); ++i)
        kept[i] = *logFilter[i];
    settingDlg->ReadSettingFile();
    for (std::size_t i = 0; i < kept.size(); ++i)
        *logFilter[i] = kept[i];
    settingDlg->SettingDlgInit();
    settingDlg->setWindowTitle(QStringLiteral("Settings"));
    // Every opening where the first one was: the dialog's window is made anew for its flags at
    // each opening, and the window system would otherwise put it at the screen's corner.
    if (settingDlgPosition)
        settingDlg->move(*settingDlgPosition);
    settingDlg->show();
    if (!settingDlgPosition)
        settingDlgPosition = settingDlg->pos();
}

void MainWindow::unblocked_Start_Stop_bnts() {
    startBtn->setEnabled(true);
}

void MainWindow::on_LogBtn_clicked() {
    logDlg->on_LogBtn_clicked();
}

void MainWindow::on_CurrentBtn_clicked() {
    panes->on_CurrentBtn_clicked();
}

void MainWindow::selectPrimary(MyMainButton *button) {
    treeEditArmed = -1;
    ConsoleTables &t = *tables;
    if (t.monitorRack1 > 0 && t.monitorSlot1 > 0)
        grid->restoreSlotHeader(t.monitorRack1 - 1, t.monitorSlot1 - 1);
    t.monitorRack1 = button->rack;
    t.monitorSlot1 = button->slot;
    qDebug() << "nRack = " << t.monitorRack1 << "\nnSlot = " << t.monitorSlot1;
    if (grid->frameSitsOn(2, button)) {
        grid->hideSelectionFrame(2);
        if (t.monitorRack1 == t.monitorRack2 && t.monitorSlot1 == t.monitorSlot2) {
            closePane(2);
            t.monitorRack2 = -1;
            t.monitorSlot2 = -1;
        }
    }
    grid->placeSelectionFrame(1, t.monitorRack1 - 1, t.monitorSlot1 - 1);
    grid->markSlotHeader(1, t.monitorRack1 - 1, t.monitorSlot1 - 1);
    monitoringBtn->setEnabled(true);
    panes->showMonitorPane1(t.monitorRack1);
}

void MainWindow::showContextMenu(const MyMainButton *button, const QPoint &pos) {
    networkTree->showSlotMenu(button->rack - 1, button->slot - 1, button->mapToGlobal(pos));
}

void MainWindow::addRackRows(int rack) {
    grid->addRackRows(rack, tables->rack[rack].ipText);
}

void MainWindow::setRackRowsVisible(int rack, bool visible) {
    grid->setRackRowsVisible(rack, visible);
}

void MainWindow::resizeRackPanel(int height) {
    grid->resizeRackPanel(height);
}

void MainWindow::buildNetworkTree() {
    networkTree->buildNetworkTree();
}

void MainWindow::setTreeItemIcon(int rack) {
    networkTree->setTreeItemIcon(rack);
}

void MainWindow::setRackTreeIconRed(int rack) {
    networkTree->setRackTreeIconRed(rack);
}

void MainWindow::enableSlotButton(int rack, int slot) {
    grid->slotButton(rack, slot)->setEnabled(true);
}

void MainWindow::emptySlotButton(int rack, int slot) {
    grid->emptySlotButton(rack, slot);
}

void MainWindow::setSlotModule(int rack, int slot, const QString &iconPath, const QString &label) {
    grid->setSlotModule(rack, slot, iconPath, label);
}

void MainWindow::setSlotButtonAlarm(int rack, int slot, bool alarm) {
    grid->setSlotButtonAlarm(rack, slot, alarm);
}

void MainWindow::hideSlotAlarm(int rack, int slot, int alarm) {
    grid->hideSlotAlarm(rack, slot, alarm);
}

void MainWindow::showSlotAlarm(int rack, int slot, int alarm, const QString &name) {
    grid->showSlotAlarm(rack, slot, alarm, name);
}

void MainWindow::setSlotAlarmLed(int rack, int slot, int alarm, LedColour colour) {
    grid->setSlotAlarmLed(rack, slot, alarm, colour);
}

void MainWindow::resetAlarmIndicators() {
    grid->resetAlarmIndicators();
}

void MainWindow::resetBlockSelection(int pane, int rack, int slot) {
    panes->resetBlockSelection(pane, rack, slot);
}

void MainWindow::closePane(int pane) {
    panes->closePane(pane);
}

void MainWindow::setPaneAlarmLed(int pane, int alarm, LedColour colour) {
    panes->setPaneAlarmLed(pane, alarm, colour);
}

void MainWindow::setPaneHeaderAlarm(int pane, bool alarm) {
    panes->setPaneHeaderAlarm(pane, alarm);
}

void MainWindow::refreshPaneHeader(int pane, int rack, int slot, int alarmCount) {
    panes->refreshPaneHeader(pane, rack, slot, alarmCount);
}

void MainWindow::invalidateBlockPanel(int rack, int slot) {
    // A panel made later starts unbuilt.
    if (BlockDlg *panel = madeBlockDlg(rack, slot))
        panel->built = -1;
}

void MainWindow::enableBlockContent(int rack, int slot) {
    if (BlockDlg *panel = madeBlockDlg(rack, slot))
        ::enableBlockContent(*panel);
    panes->blockValuesArrived(rack, slot);
}

bool MainWindow::isBlockPageVisible(int rack, int slot) const {
    const BlockDlg *panel = madeBlockDlg(rack, slot);
    return panel && panel->isVisible();
}

void MainWindow::fillBlockPage(int rack, int slot) {
    ::fillBlockPage(*blockDlg(rack, slot), tables->block(rack, slot), rack, slot);
}

void MainWindow::loadAlarmWidgets(int rack, int slot, int alarm) {
    alarmTable->loadAlarmWidgets(rack, slot, alarm);
}

void MainWindow::clearLogTable() {
    logDlg->clearLogTable();
}

void MainWindow::addLogRow() {
    logDlg->addLogRow();
}

void MainWindow::LogDlgInit() {
    logDlg->LogDlgInit();
}

void MainWindow::SettingDlgInit() {
    settingDlg->SettingDlgInit();
}

int MainWindow::slotAlarmMark(int rack, int slot) const {
    return grid->slotButton(rack, slot)->alarmMark;
}

bool MainWindow::isSlotButtonEnabled(int rack, int slot) const {
    return grid->slotButton(rack, slot)->isEnabled();
}

void MainWindow::setRackButton(int rack, const QString &ipText, int treeRow) {
    MyMainButton *button = grid->rackButton(rack);
    button->setText(ipText);
    button->treeItemRow = treeRow;
}

void MainWindow::clickSlotButton(int rack, int slot) {
    grid->slotButton(rack, slot)->click();
}

void MainWindow::hideSelectionFrame(int pane) {
    grid->hideSelectionFrame(pane);
}

void MainWindow::placeSelectionFrame(int pane, int rack, int slot) {
    grid->placeSelectionFrame(pane, rack, slot);
}

void MainWindow::restoreSlotHeader(int rack, int slot) {
    grid->restoreSlotHeader(rack, slot);
}

void MainWindow::markSlotHeader(int pane, int rack, int slot) {
    grid->markSlotHeader(pane, rack, slot);
}

void MainWindow::showMonitorPane(int pane, int rack) {
    panes->showMonitorPane(pane, rack);
}
