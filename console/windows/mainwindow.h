#pragma once

#include "console/link/consoletables.h"
#include "console/link/consoleviews.h"
#include "console/link/tcpthread.h"
#include "console/windows/networktreehost.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class AlarmTable;
class BlockDlg;
class LinkNotice;
class LogDialog;
class MonitorPanes;
class MyMainButton;
class NetworkTree;
class QCloseEvent;
class QPoint;
class QPushButton;
class QScrollArea;
class QSplitter;
class SettingDlg;
class SlotGrid;
class SrvMsgProcessor;

// The console's one top-level window and the owner of everything the console knows and shows:
// the tables, the link thread, the block panels, the alarm cells, the log and settings
// dialogs, the network tree, the slot-button grids and the monitoring panes. It is the views
// the message handlers change and the host of the network tree. The link thread is built first and
// started last, after the settings are read, so the first connect uses the stored server address
// and every message it announces finds the tables and widgets ready. Its destruction writes the
// settings and ends the process.
class MainWindow : public QWidget, public ConsoleViews, public NetworkTreeHost {
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    ConsoleTables &consoleTables() { return *tables; }
    SrvMsgProcessor &messageProcessor() { return *processor; }
    TcpThread &linkThread() { return tcpThread; }
    SlotGrid &slotGrid() { return *grid; }
    // The slot's block panel, made the first time it is asked for.
    BlockDlg *blockDlg(int rack, int slot);
    LogDialog *logDialog() const { return logDlg; }
    SettingDlg *settingDialog() const { return settingDlg; }
    NetworkTree *treeWidget() const { return networkTree; }
    MonitorPanes &monitorPanes() { return *panes; }
    LinkNotice &linkNotice() { return *notice; }
    QWidget *buttonRow() const { return buttonPanel; }
    QScrollArea *gridArea() const { return gridScrollArea; }
    QScrollArea *monitorArea() const { return monitorScrollArea; }

    // Views of the message handlers.
    void addRackRows(int rack) override;
    void setRackRowsVisible(int rack, bool visible) override;
    void resizeRackPanel(int height) override;
    void buildNetworkTree() override;
    void setTreeItemIcon(int rack) override;
    void setRackTreeIconRed(int rack) override;
    void enableSlotButton(int rack, int slot) override;
    void emptySlotButton(int rack, int slot) override;
    void setSlotModule(int rack, int slot, const QString &iconPath, const QString &label) override;
    void setSlotButtonAlarm(int rack, int slot, bool alarm) override;
    void hideSlotAlarm(int rack, int slot, int alarm) override;
    void showSlotAlarm(int rack, int slot, int alarm, const QString &name) override;
    void setSlotAlarmLed(int rack, int slot, int alarm, LedColour colour) override;
    void resetAlarmIndicators() override;
    void resetBlockSelection(int pane, int rack, int slot) override;
    void closePane(int pane) override;
    void setPaneAlarmLed(int pane, int alarm, LedColour colour) override;
    void setPaneHeaderAlarm(int pane, bool alarm) override;
    void refreshPaneHeader(int pane, int rack, int slot, int alarmCount) override;
    void invalidateBlockPanel(int rack, int slot) override;
    void enableBlockContent(int rack, int slot) override;
    bool isBlockPageVisible(int rack, int slot) const override;
    void fillBlockPage(int rack, int slot) override;
    void loadAlarmWidgets(int rack, int slot, int alarm) override;
    void clearLogTable() override;
    void addLogRow() override;
    void LogDlgInit() override;
    void SettingDlgInit() override;

    // Host of the network tree.
    int slotAlarmMark(int rack, int slot) const override;
    bool isSlotButtonEnabled(int rack, int slot) const override;
    void setRackButton(int rack, const QString &ipText, int treeRow) override;
    void clickSlotButton(int rack, int slot) override;
    void hideSelectionFrame(int pane) override;
    void placeSelectionFrame(int pane, int rack, int slot) override;
    void restoreSlotHeader(int rack, int slot) override;
    void markSlotHeader(int pane, int rack, int slot) override;
    void showMonitorPane(int pane, int rack) override;

public slots:
    void on_CurrentBtn_clicked();
    void on_LogBtn_clicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void slot_SrvMsgObrabot();
    void slot_InfoMsgExec();
    int on_StartBtn_clicked();
    void on_StopBtn_clicked();
    void on_SettingBtn_clicked();
    void unblocked_Start_Stop_bnts();

private:
    // Handles waiting inbound chunks for up to one turn's time; true when some still wait.
    bool takeInboundChunks();
    void buildLayout();
    void buildButtonPanel();
    // A press on a grid slot button: the slot becomes the PRIMARY selection, shown in pane 1.
    void selectPrimary(MyMainButton *button);
    // The context menu of a grid slot button, asked for at pos (the button's coordinates).
    void showContextMenu(const MyMainButton *button, const QPoint &pos);

    TcpThread tcpThread;
    QElapsedTimer viewsRefreshed; // since the rack panel and network tree were last refreshed
    std::unique_ptr<ConsoleTables> tables;
    std::unique_ptr<SrvMsgProcessor> processor;
    std::unique_ptr<LinkNotice> notice;
    std::unique_ptr<AlarmTable> alarmTable;
    // A slot's panel until it is first asked for; none of them shows before then.
    BlockDlg *madeBlockDlg(int rack, int slot) const {
        return blockDlgs[rack * SLOTS_PER_RACK + slot];
    }
    std::array<BlockDlg *, MAX_BLOCKS> blockDlgs{};
    LogDialog *logDlg = nullptr;
    std::unique_ptr<SlotGrid> grid;
    std::unique_ptr<MonitorPanes> panes;
    SettingDlg *settingDlg = nullptr;
    std::optional<QPoint> settingDlgPosition; // where the settings dialog opened first

    QWidget *treePanel = nullptr;
    NetworkTree *networkTree = nullptr;
    QWidget *gridPanel = nullptr;
    QScrollArea *gridScrollArea = nullptr;
    QScrollArea *monitorScrollArea = nullptr;
    QSplitter *mainSplitter = nullptr;

    QWidget *buttonPanel = nullptr;
    QPushButton *startBtn = nullptr;
    QPushButton *stopBtn = nullptr;
    QPushButton *settingBtn = nullptr;
    QPushButton *utilitysBtn = nullptr;
    QPushButton *logBtn = nullptr;
    QPushButton *networkBtn = nullptr;
    QPushButton *monitoringBtn = nullptr;
    QPushButton *helpBtn = nullptr;
};
