// Feeds server messages, reconnects and the operator's few ways of choosing what to watch into
// the console's real main window (offscreen), and checks after every input that what the
// window shows agrees with the tables: every shown rack row, tree item and pane belongs to a
// rack in the tables, shown texts stay within their bounds, and counts agree.
//
// The window is built once per process; the link thread is stopped and the target plays its
// part, putting chunks into the inbound ring and raising the link flags. Between inputs the
// window returns to its state before the first input: no rack, no pane, no log row.
//
// Input, read as a sequence of commands; each starts with a control byte c:
//   c & 0x60 == 0x60: the link thread or the operator, by (c & 0x0F) % 5:
//     0  a pulse written (three unanswered ones make the link lost and rebuilt)
//     1  a press on the slot button of rack and slot from the next two bytes, when it shows
//     2  its context menu, choosing the pane (none, PRIMARY, SECONDARY) from a third byte
//     3  the operator closes the pane from the next byte
//     4  the LOG button
//   otherwise server bytes, announced as the link thread announces a chunk:
//     c & 0x80       a reconnect first (the link reported lost, the ring emptied)
//     c & 0x10       the reconnect's notice comes after the ring was emptied, not before
//     c & 0x0F == 0  a raw chunk: one length byte, then that many bytes as they stand
//     otherwise      one well-framed message (fuzz/serverinput.h), cut into two chunks at a
//                    position taken from the next byte
//
// Per-input leak checks are off (the toolkit's caches keep what it has drawn, so nearly every
// input ends with more blocks than it began with); every LEAK_CHECK_INPUTS inputs the whole
// heap is searched for blocks nothing points to. Run it as CI does, with
// LSAN_OPTIONS=suppressions=.ci/lsan.supp for the system libraries' own leaks.
#include "console/link/consoletables.h"
#include "console/link/consoletext.h"
#include "console/link/globals.h"
#include "console/link/pulseanswerscanner.h"
#include "console/link/rings.h"
#include "console/link/settingsfile.h"
#include "console/link/srvmsgprocessor.h"
#include "console/windows/blockdlg.h"
#include "console/windows/linknotice.h"
#include "console/windows/logdialog.h"
#include "console/windows/logfilter.h"
#include "console/windows/mainwindow.h"
#include "console/windows/mainwindowsetup.h"
#include "console/windows/monitorpanes.h"
#include "console/windows/mymainbutton.h"
#include "console/windows/mytabwidget.h"
#include "console/windows/networktree.h"
#include "console/windows/networktreetext.h"
#include "console/windows/slotgrid.h"
#include "fuzz/serverinput.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QScrollArea>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <sanitizer/lsan_interface.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

// Every input makes and frees many widgets: a quarantine of 32 MB (rather than 256) keeps a freed
// block poisoned well past the end of the input that freed it, without the allocator handing out
// fresh pages for nearly every block (about a quarter less time per input, under half the memory).
extern "C" const char *__asan_default_options() {
    return "quarantine_size_mb=32";
}

namespace {

// Inputs between two searches of the whole heap for leaked blocks.
constexpr int LEAK_CHECK_INPUTS = 2000;

void require(bool holds) {
    if (!holds)
        __builtin_trap();
}

// Writes a small image, and the folders it lies in.
void writeImage(const QString &path, const QColor &colour) {
    require(QDir().mkpath(QFileInfo(path).path()));
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    require(image.save(path));
}

// The console's folder (icons and settings); a static of its own, so it goes at exit although
// the console is never destroyed.
QTemporaryDir &consoleFolder() {
    static QTemporaryDir folder;
    return folder;
}

struct Console {
    QTemporaryDir &folder = consoleFolder();
    MainWindow *window = nullptr;
    std::unique_ptr<ConsoleTables> initial = ConsoleTables::create();
    int chosenPane = 0; // the context menu's answer
    // The blocks the panes showed during the input, as rack * SLOTS_PER_RACK + slot.
    std::set<int> shownBlocks;
    // The link thread's reading of the stream's pulse answers.
    PulseAnswerScanner pulseAnswers;
};

Console &console() {
    static Console *instance = nullptr;
    if (instance)
        return *instance;
    instance = new Console;
    Console &c = *instance;
    require(c.folder.isValid());
    appDir = c.folder.path();
    // The block-state icons and one module's icon; the other modules show their names.
    const QString icons = appDir + QStringLiteral("/ICONS_NEW/");
    writeImage(icons + QStringLiteral("red_block.png"), Qt::red);
    writeImage(icons + QStringLiteral("green_block.png"), Qt::green);
    writeImage(icons + QStringLiteral("gray_block.png"), Qt::gray);
    writeImage(icons + QStringLiteral("ICON_TORV/PSU/PSU.png"), Qt::blue);
    // A server address that is no address: the link thread connects nowhere before it stops.
    SettingsFile settings;
    settings.ip_srv_text = QStringLiteral("300.0.0.1");
    settings.port_srv_text = QStringLiteral("5000");
    settingFileName = c.folder.filePath(QStringLiteral("settings.txt"));
    settings.settingFileName = settingFileName;
    QFile file(settingFileName);
    require(file.open(QIODevice::WriteOnly) && file.write(formatSettingsFile(settings)) > 0);
    file.close();

    // Never destroyed: the window's destruction ends the process.
    c.window = new MainWindow;
    c.window->linkThread().requestInterruption();
    c.window->linkThread().wait();
    setUpMainWindow(*c.window, appDir);
    c.window->treeWidget()->chooseMonitorPane = [&c](const QPoint &) { return c.chosenPane; };
    QCoreApplication::processEvents();
    return c;
}

MainWindow &window() {
    return *console().window;
}

ConsoleTables &tables() {
    return window().consoleTables();
}

// Whether the rack's header and slot rows show in the rack panel (rows not made never showed).
bool rowsShown(SlotGrid &grid, int rack) {
    if (!grid.hasRackRows(rack))
        return false;
    const QGroupBox *header = grid.rackHeader(rack).box;
    const QGroupBox *row = grid.rackRow(rack).box;
    return header && row && !header->isHidden() && !row->isHidden() &&
           grid.gridColumnLayout->indexOf(header) >= 0 && grid.gridColumnLayout->indexOf(row) >= 0;
}

// --- Playing the link thread ---

void announceLink(int shown) {
    srv_link_shown = shown;
    emit window().linkThread().sig_InfoMsgExec();
}

// What the link thread does when it rebuilds the link: it empties the inbound ring and
// connects again.
void rebuildLink() {
    srv_rings_reset = 1;
    inboundRing().discardAll();
    to_srv_130 = 0;
    srv_reconnect = -1;
    srv_log_requested = -1;
    srv_pulse_answered = -1;
    console().pulseAnswers.restart();
}

// The link lost and made again; the notice of the loss reaches the window before or after the
// ring was emptied.
void reconnect(bool noticeAfterReset) {
    if (!noticeAfterReset)
        announceLink(1);
    rebuildLink();
    if (noticeAfterReset)
        announceLink(1);
}

// What the event loop does between two of its turns: it delivers the events posted to the
// widgets (layouts, updates, deferred deletions). Done at the end of every input, so they never
// pile up: each new post searches the queue, and the events hold memory.
void deliverPostedEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Puts the bytes into the inbound ring and announces them, then lets the window take every
// chunk waiting, as it does between turns of its event loop.
void feed(QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        char *chunk = inboundRing().reserveChunk();
        require(chunk != nullptr);
        const qsizetype length = std::min<qsizetype>(bytes.size(), RX_CHUNK_BYTES);
        std::memcpy(chunk, bytes.data(), std::size_t(length));
        // The link thread counts the answers it reads before it publishes them.
        if (const int answers = console().pulseAnswers.scan(bytes.first(length)); answers > 0) {
            countPulseAnswers(answers);
            srv_pulse_answered = 1;
        }
        inboundRing().publishChunk(int(length));
        bytes = bytes.sliced(length);
        if (inboundRing().announceChunk())
            emit window().linkThread().sig_SrvMsgObrabot();
    }
    while (inboundRing().waitingChunks() > 0)
        QCoreApplication::processEvents();
    // A turn that used up its time leaves the views to a turn that follows on a timer, also when
    // it took the last chunk; that turn is taken now.
    emit window().linkThread().sig_SrvMsgObrabot();
    // A stream that could not be framed: the link thread rebuilds the link at once.
    if (srv_reconnect == 1)
        rebuildLink();
    // The link thread reports the link up again once the server answers on it.
    if (srv_link_shown != -1 && to_srv_130 == 0 && srv_pulse_answered == 1)
        announceLink(-1);
}

void pulseWritten() {
    if (++to_srv_130 > 2)
        reconnect(false);
}

// --- Playing the operator ---

// The slot's button, when an operator can reach it: its rack shows and it is enabled.
MyMainButton *reachableSlotButton(int rack, int slot) {
    SlotGrid &grid = window().slotGrid();
    if (!rowsShown(grid, rack))
        return nullptr;
    MyMainButton *button = grid.slotButton(rack, slot);
    return button->isEnabled() ? button : nullptr;
}

void noteShownBlocks() {
    const ConsoleTables &t = tables();
    for (const auto &[rack, slot] :
         {std::pair(t.monitorRack1, t.monitorSlot1), std::pair(t.monitorRack2, t.monitorSlot2)}) {
        if (rack >= 1 && rack <= MAX_RACK_NUMBER && slot >= 1 && slot <= SLOTS_PER_RACK)
            console().shownBlocks.insert((rack - 1) * SLOTS_PER_RACK + slot - 1);
    }
}

void operatorActs(FuzzInput &in, uint8_t c) {
    const int command = (c & 0x0F) % 5;
    switch (command) {
    case 0:
        pulseWritten();
        break;
    case 1:
    case 2: {
        const int rack = in.byte() % MAX_RACK_NUMBER;
        const int slot = in.byte() % SLOTS_PER_RACK;
        console().chosenPane = in.byte() % 3;
        MyMainButton *button = reachableSlotButton(rack, slot);
        if (!button)
            break;
        if (command == 1)
            button->click();
        else
            emit button->customContextMenuRequested(QPoint(10, 10));
        noteShownBlocks();
        break;
    }
    case 3:
        window().monitorPanes().paneWindow(1 + in.byte() % 2)->close();
        break;
    case 4:
        window().on_LogBtn_clicked();
        break;
    }
}

// --- What the window shows, against the tables ---

void checkRackRows() {
    const ConsoleTables &t = tables();
    SlotGrid &grid = window().slotGrid();
    int shown = 0;
    for (int r = 0; r < MAX_RACK_NUMBER; ++r) {
        const RackRecord &rack = t.rack[r];
        require(r < t.rackCount || (rack.absent == 1 && rack.ipText.isEmpty()));
        const bool visible = rowsShown(grid, r);
        require(visible == (rack.absent == 0));
        if (!visible)
            continue;
        ++shown;
        require(grid.rackButton(r)->text() == rack.ipText);
        for (int s = 0; s < SLOTS_PER_RACK; ++s) {
            const MyMainButton *button = grid.slotButton(r, s);
            require(button->alarmMark == -1 || button->alarmMark == 1);
            if (rack.nRackStructureTable[s] != 0)
                require(button->isEnabled());
            // Indicators and labels not made yet show nothing.
            const SlotAlarms &alarms = t.alarm_table[r][s];
            const SlotRow &row = grid.rackRow(r);
            for (int a = 0; a < ALARMS_PER_SLOT; ++a) {
                const QLabel *label = row.alarmLabels[s + 1][a];
                const QLineEdit *led = row.alarmLeds[s + 1][a];
                const bool labelShown = label && !label->isHidden();
                require(labelShown == (led && !led->isHidden()));
                if (labelShown)
                    require(!alarms[a].name.isEmpty() && label->text() == alarms[a].name);
            }
        }
    }
    require(shown == t.visibleRackCount);
    require(shown == 0 || grid.gridColumn->isVisible());
}

const QIcon &stateIcon(BlockState state) {
    return state == BlockState::Red     ? redBlockIcon
           : state == BlockState::Green ? greenBlockIcon
                                        : grayBlockIcon;
}

void checkTree() {
    const ConsoleTables &t = tables();
    const NetworkTree &tree = *window().treeWidget();
    int item = 0;
    for (int r = 0; r < MAX_RACK_NUMBER; ++r) {
        const RackRecord &rack = t.rack[r];
        if (rack.absent == 1) {
            require(tree.rackItem(r) == nullptr);
            continue;
        }
        require(item < tree.topLevelItemCount());
        const QTreeWidgetItem *rackItem = tree.topLevelItem(item++);
        require(rackItem == tree.rackItem(r));
        require(rack.name.size() <= RACK_NAME_CHARS);
        require(rackItem->text(0) == rackItemText(rack));
        require(rackItem->childCount() == SLOTS_PER_RACK);
        bool red = false;
        for (int s = 0; s < SLOTS_PER_RACK; ++s) {
            const QTreeWidgetItem *slotItem = rackItem->child(s);
            const uint32_t id = rack.nRackStructureTable[s];
            require(slotItem->text(0) == slotItemText(s, id, t.blockDesc[r * SLOTS_PER_RACK + s]));
            const BlockState state = slotBlockState(window().slotAlarmMark(r, s) != -1, id);
            red = red || state == BlockState::Red;
            require(slotItem->icon(0).cacheKey() == stateIcon(state).cacheKey());
        }
        require(rackItem->icon(0).cacheKey() == (red ? redBlockIcon : greenBlockIcon).cacheKey());
    }
    require(item == tree.topLevelItemCount());
}

void checkPanes() {
    const ConsoleTables &t = tables();
    MonitorPanes &panes = window().monitorPanes();
    SlotGrid &grid = window().slotGrid();
    const int paneRacks[2] = {t.monitorRack1, t.monitorRack2};
    const int paneSlots[2] = {t.monitorSlot1, t.monitorSlot2};
    for (int p = 1; p <= 2; ++p) {
        const int rack = paneRacks[p - 1];
        const int slot = paneSlots[p - 1];
        const bool selected = rack != -1 && slot != -1;
        require(selected == (rack != -1) && selected == (slot != -1));
        require(panes.paneWindow(p)->isVisible() == selected);
        const auto &strips = grid.selectionStrips[p - 1];
        if (!selected) {
            for (const QLineEdit *strip : strips)
                require(strip->isHidden());
            continue;
        }
        // A pane shows a block of a rack the tables hold, in a slot the rack has.
        require(rack >= 1 && rack <= t.rackCount && slot >= 1 && slot <= SLOTS_PER_RACK);
        require(!t.rack[rack - 1].ipText.isEmpty());
        const BlockDlg *panel = window().blockDlg(rack - 1, slot - 1);
        require(panel->parentWidget() == panes.panePage(p, MonitorPanes::MainPage));
        require(panes.paneAlarmTable(p)->rowCount() <= ALARMS_PER_SLOT);
        for (const QLineEdit *strip : strips)
            require(!strip->isHidden() &&
                    strip->parentWidget() == grid.slotButton(rack - 1, slot - 1));
    }
    // The two panes never watch the same block.
    require(!(t.monitorRack1 != -1 && t.monitorRack1 == t.monitorRack2 &&
              t.monitorSlot1 == t.monitorSlot2));
}

void checkLog() {
    const ConsoleTables &t = tables();
    const LogDialog &log = *window().logDialog();
    require(log.logRowIndex() == t.logRecIndex);
    const auto *table = log.findChild<const QTableWidget *>(QStringLiteral("logTable"));
    for (int row = 0; row < log.logRowIndex(); ++row) {
        const LogRecord &record = t.logRecords[row];
        require(table->item(row, 2)->text() == record.alarmText);
        require(table->item(row, 3)->text() == record.ipText);
        require(table->item(row, 4)->text() == record.frameText);
        require(table->item(row, 6)->text() == record.moduleName);
        for (const QString *text : {&record.alarmText, &record.frameText, &record.moduleName})
            require(text->size() <= MAX_RECORD_TEXT_CHARS);
    }
    const auto *addresses = log.findChild<const QListWidget *>(QStringLiteral("logIpList"));
    require(addresses->count() <= LOG_LIST_ADDRESSES);
}

void checkWindow() {
    checkRackRows();
    checkTree();
    checkPanes();
    checkLog();
    require(window().linkNotice().isShown() == (srv_link_shown == 1));
}

// --- Back to the start ---

// The window as it was before the first input, for the racks the input added.
void restoreWindow(std::size_t bytesFed) {
    Console &c = console();
    MainWindow &w = *c.window;
    ConsoleTables &t = tables();
    MonitorPanes &panes = w.monitorPanes();
    panes.closePane(1);
    panes.closePane(2);
    w.logDialog()->close();
    w.logDialog()->clearLogTable();

    SlotGrid &grid = w.slotGrid();
    while (QLayoutItem *item = grid.gridColumnLayout->takeAt(0))
        delete item;
    for (int r = 0; r < t.rackCount; ++r) {
        grid.setRackRowsVisible(r, false);
        grid.rackButton(r)->setText(QString());
        for (int s = 0; s < SLOTS_PER_RACK; ++s) {
            for (int a = 0; a < ALARMS_PER_SLOT; ++a)
                grid.hideSlotAlarm(r, s, a);
            grid.setSlotButtonAlarm(r, s, false);
            grid.setSlotModule(r, s, QString(), QString());
            grid.slotButton(r, s)->setEnabled(true);
            grid.restoreSlotHeader(r, s);
        }
    }
    for (const int block : c.shownBlocks) {
        BlockDlg *panel = w.blockDlg(block / SLOTS_PER_RACK, block % SLOTS_PER_RACK);
        panel->built = -1;
        panel->viewAttached = -1;
        panel->state = -1;
    }
    c.shownBlocks.clear();
    grid.gridColumn->hide();

    restoreTables(t, *c.initial, bytesFed);
    restoreLinkState();
    c.pulseAnswers.restart();
    treeEditArmed = -1;
    // The ring's change of connection, if the input made one, is taken now.
    (void)inboundRing().takeInboundChunk();
    inboundRing().takeNotice();
    w.linkNotice().infoMsgExec();
    w.LogDlgInit();
    w.buildNetworkTree();
    deliverPostedEvents();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *fuzzerArgc, char ***fuzzerArgv) {
    // Runs before libFuzzer reads its flags: per-input leak checks are off unless asked for.
    static std::vector<char *> arguments(*fuzzerArgv, *fuzzerArgv + *fuzzerArgc);
    static char noLeakChecks[] = "-detect_leaks=0";
    if (std::none_of(arguments.begin(), arguments.end(),
                     [](const char *a) { return std::strncmp(a, "-detect_leaks=", 14) == 0; }))
        arguments.insert(arguments.begin() + 1, noLeakChecks);
    arguments.push_back(nullptr);
    *fuzzerArgc = int(arguments.size()) - 1;
    *fuzzerArgv = arguments.data();

    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static int argc = 1;
    static char name[] = "fuzz_consolewindow";
    static char *argv[] = {name, nullptr};
    new QApplication(argc, argv);
    restoreWindow(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in{data, size};
    std::size_t fed = 0;
    while (!in.done()) {
        const uint8_t c = in.byte();
        if ((c & 0x60) == 0x60) {
            operatorActs(in, c);
            checkWindow();
            continue;
        }
        if (c & 0x80)
            reconnect(c & 0x10);
        if ((c & 0x0F) == 0) {
            const QByteArray chunk = in.bytes(in.byte());
            fed += std::size_t(chunk.size());
            feed(chunk);
        } else {
            const QByteArray message = in.framedMessage(c);
            fed += std::size_t(message.size());
            const qsizetype cut = in.byte() % (message.size() + 1);
            feed(QByteArrayView(message).first(cut));
            feed(QByteArrayView(message).sliced(cut));
        }
        checkWindow();
    }
    restoreWindow(fed);
#if __has_feature(address_sanitizer)
    static int inputs = 0;
    if (++inputs % LEAK_CHECK_INPUTS == 0 && __lsan_do_recoverable_leak_check() != 0)
        __builtin_trap();
#endif
    return 0;
}
