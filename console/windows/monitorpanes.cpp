#include "console/windows/monitorpanes.h"

#include "console/link/consoletables.h"
#include "console/link/globals.h"
#include "console/windows/alarmtable.h"
#include "console/windows/blockdlg.h"
#include "console/windows/blockpage.h"
#include "console/windows/committedspinbox.h"
#include "console/windows/consolecolours.h"
#include "console/windows/helpview.h"
#include "console/windows/mytabwidget.h"
#include "console/windows/panegrid.h"
#include "console/windows/paneplacement.h"

#include <QIcon>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr QSize PANE_SIZE(580, 673);
constexpr QSize PANE_MINIMUM_SIZE(580, 658);
constexpr QRect HELP_VIEW_GEOMETRY(5, 2, 565, 608);
// Where a pane's window goes, from the owner's position, the first time it is shown.
constexpr std::array<QPoint, MonitorPanes::PANE_COUNT> FIRST_PLACEMENT{QPoint(210, 340),
                                                                       QPoint(810, 340)};
// The pane frame along the window's edges: top, right, bottom, left.
constexpr std::array<QRect, 4> BORDER_STRIPS{QRect(0, 0, 580, 6), QRect(574, 0, 6, 673),
                                             QRect(0, 667, 580, 6), QRect(0, 0, 6, 673)};

const char *const PANE_STYLE =
    "QTabWidget { background: lightgray; }QTabWidget:!enabled { background: black; color: black "
    "}QTabWidget::pane { background-color: lightgray; }QScrollArea:!enabled { background: "
    "black; }";
const char *const TAB_BAR_STYLE =
    "QTabBar::pane { background: lightgray; }QTabBar::tab:!enabled { background: black; color: "
    "black }QScrollArea:!enabled { background: black; }QTabBar:!enabled { background: black; "
    "color: black }QTabBar::tab { min-height: 32px; min-width: 79px; font: bold; font-size: "
    "10px; }QTabBar::tab:first { min-width: 340px; font: bold italic; font-size: "
    "12px;}QTabBar::tab:selected { background: lightgray; }QTabBar::tab:!enabled { background: "
    "black; color: black }";

const char *const PANE_TITLE = "TORVALE v3";
const char *const NOT_LIVE_TITLE = "TORVALE v3  :  NO CONNECTION TO SERVER  :  VALUES NOT LIVE";

bool isRack(int rack) {
    return rack >= 1 && rack <= MAX_RACK_NUMBER;
}
bool isSlot(int slot) {
    return slot >= 1 && slot <= SLOTS_PER_RACK;
}

} // namespace

MonitorPanes::MonitorPanes(ConsoleTables &tables, AlarmTable &alarmTable, BlockPanels panels,
                           PaneGrid &grid, QWidget *owner)
    : tables(tables)
    , alarmTable(alarmTable)
    , panels(std::move(panels))
    , grid(grid)
    , owner(owner) {
    for (int pane = 1; pane <= PANE_COUNT; ++pane)
        buildPaneWindow(pane, owner);
}

MonitorPanes::~MonitorPanes() {
    // The block panels belong to their owner, not to the pane that shows one.
    for (Pane &pane : panes) {
        if (!pane.window)
            continue;
        QScrollArea *blockPage = pane.pages[MainPage];
        for (BlockDlg *panel :
             blockPage->findChildren<BlockDlg *>(QString(), Qt::FindDirectChildrenOnly))
            panel->setParent(nullptr);
        delete pane.window;
    }
}

void MonitorPanes::buildPaneWindow(int number, QWidget *owner) {
    Pane &pane = at(number);
    auto *window = new MyTabWidget(owner);
    // A dialog-type window is transient for its owner (X11 writes WM_TRANSIENT_FOR only for
    // such types), so the window manager keeps the pane above the main window, never behind it.
    window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    pane.window = window;
    window->setMinimumSize(PANE_MINIMUM_SIZE);
    window->setStyleSheet(QLatin1String(PANE_STYLE));
    QTabBar *tabBar = window->tabBar();
    tabBar->setStyleSheet(QLatin1String(TAB_BAR_STYLE));
    QFont font = tabBar->font();
    font.setPixelSize(14);
    font.setItalic(true);
    font.setWeight(QFont::Bold);
    tabBar->setFont(font);
    window->setFixedSize(PANE_SIZE);
    window->setWindowIcon(QIcon(QStringLiteral(":ICONS_NEW/TORVALE30_4.png")));
    window->setWindowTitle(QLatin1String(PANE_TITLE));

    const std::array<QString, PANE_PAGES> titles{QString(), QStringLiteral("MAIN"),
                                                 QStringLiteral("ALARMS"), QStringLiteral("HELP")};
    for (int page = 0; page < PANE_PAGES; ++page) {
        pane.pages[page] = new QScrollArea;
        window->addTab(pane.pages[page], QIcon(), titles[page]);
    }
    // Connected once the tabs exist, so that adding them does not count as a choice.
    QObject::connect(tabBar, &QTabBar::currentChanged, window,
                     [this, number](int) { slot_tabbar_clicked(number); });
    window->lastPage = MainPage;
    window->paneNumber = number;
    window->paneClosed = [this](MyTabWidget *closed) { restorePaneSelection(closed); };

    const QColor &colour = paneColor[number - 1];
    const QString stripStyle = QStringLiteral("QLineEdit { background: rgb(%1, %2, %3); }")
                                   .arg(colour.red())
                                   .arg(colour.green())
                                   .arg(colour.blue());
    for (std::size_t side = 0; side < BORDER_STRIPS.size(); ++side) {
        auto *strip = new QLineEdit(window);
        strip->setFrame(false);
        strip->setEnabled(false);
        strip->setGeometry(BORDER_STRIPS[side]);
        strip->setStyleSheet(stripStyle);
        strip->hide();
        pane.borderStrips[side] = strip;
    }

    pane.alarmTable = AlarmTable::createPaneTable(pane.pages[AlarmPage]);
    pane.helpView = new HelpView(pane.pages[HelpPage]);
    pane.helpView->setGeometry(HELP_VIEW_GEOMETRY);
}

void MonitorPanes::showMonitorPane1(int rack) {
    showMonitorPane(1, rack);
}

void MonitorPanes::showMonitorPane2(int rack) {
    showMonitorPane(2, rack);
}

void MonitorPanes::showMonitorPane(int number, int rack) {
    if (!isPane(number))
        return;
    const int other = 3 - number;
    const bool otherSelected = other == 1 ? tables.monitorRack1 != -1 && tables.monitorSlot1 != -1
                                          : tables.monitorRack2 != -1 && tables.monitorSlot2 != -1;
    if (otherSelected)
        at(other).window->activateWindow();
    selectPaneTab(number);
    Pane &pane = at(number);
    pane.window->hide();
    buildModuleView(number, rack, number == 1 ? tables.monitorSlot1 : tables.monitorSlot2);
    if (!pane.placed) {
        pane.window->move(firstPlacement(number));
        pane.placed = true;
    }
    pane.window->show();
}

QPoint MonitorPanes::firstPlacement(int number) const {
    const QPoint offset = FIRST_PLACEMENT[number - 1];
    if (!owner)
        return offset;
    // The panes' frames are not known before their first showing; the owner's is the same kind.
    const QSize frameExtra = owner->frameGeometry().size() - owner->size();
    std::array<QRect, PANE_COUNT> wanted;
    for (int pane = 1; pane <= PANE_COUNT; ++pane)
        wanted[pane - 1] =
            QRect(owner->pos() + FIRST_PLACEMENT[pane - 1], at(pane).window->size() + frameExtra);
    std::vector<QRect> clear;
    for (const QPointer<QWidget> &widget : keepClear)
        if (widget && widget->isVisible())
            clear.emplace_back(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    return firstPanePositions(wanted, owner->screen()->availableGeometry(), clear)[number - 1];
}

void MonitorPanes::selectPaneTab(int number) {
    if (!isPane(number))
        return;
    Pane &pane = at(number);
    pane.window->setPalette(QPalette(QColor(Qt::lightGray)));
    pane.window->tabBar()->setPalette(QPalette(paneColor[number - 1]));
    pane.window->setCurrentIndex(MainPage);
    colourTabTexts(pane);
    pane.window->setEnabled(true);
    // The tab widget shows one page at a time; the others are made available, not shown over it.
    for (int page : {MainPage, AlarmPage, HelpPage}) {
        pane.window->setTabVisible(page, true);
        pane.window->setTabEnabled(page, true);
    }
    showLiveness(pane);
    for (QLineEdit *strip : pane.borderStrips)
        strip->show();
}

void MonitorPanes::setLinkUp(bool up) {
    linkUp = up;
    if (up)
        return;
    for (Pane &pane : panes) {
        if (!pane.window || !pane.live)
            continue;
        // Disabling a field would move the focus on and commit what the operator typed.
        for (CommittedSpinBox *field : pane.window->findChildren<CommittedSpinBox *>())
            field->abandonEdit();
        pane.live = false;
        showLiveness(pane);
    }
}

void MonitorPanes::blockValuesArrived(int rack, int slot) {
    if (!linkUp)
        return;
    for (int number = 1; number <= PANE_COUNT; ++number) {
        Pane &pane = at(number);
        const int shownRack = number == 1 ? tables.monitorRack1 : tables.monitorRack2;
        const int shownSlot = number == 1 ? tables.monitorSlot1 : tables.monitorSlot2;
        if (!pane.window || pane.live || shownRack != rack + 1 || shownSlot != slot + 1)
            continue;
        pane.live = true;
        showLiveness(pane);
    }
}

bool MonitorPanes::isPaneLive(int pane) const {
    return isPane(pane) && at(pane).live;
}

void MonitorPanes::showLiveness(Pane &pane) {
    for (int page : {MainPage, AlarmPage})
        pane.pages[page]->setEnabled(pane.live);
    pane.pages[HelpPage]->setEnabled(true);
    pane.window->setWindowTitle(QLatin1String(pane.live ? PANE_TITLE : NOT_LIVE_TITLE));
    if (pane.live)
        return;
    for (BlockDlg *panel :
         pane.pages[MainPage]->findChildren<BlockDlg *>(QString(), Qt::FindDirectChildrenOnly))
        panel->showValuesNotLive();
}

void MonitorPanes::buildModuleView(int number, int rack, int slot) {
    if (!isPane(number) || !isRack(rack) || !isSlot(slot))
        return;
    Pane &pane = at(number);
    const int r = rack - 1;
    const int s = slot - 1;
    BlockDescription &block = tables.block(r, s);
    BlockDlg &panel = panels(r, s);

    const QString separator = QStringLiteral("  :  ");
    pane.window->setTabText(
        TitlePage, block.name + separator +
                       QString::number(tables.rack[r].nRackStructureTable[s], 16) + separator +
                       QStringLiteral("slot ") + QString::number(s) + separator + block.ipText);

    if (panel.built == 1) {
        if (panel.content && !panel.content->isEnabled() && block.valueCount != 0) {
            panel.content->setEnabled(true);
            fillBlockPage(panel, block, r, s);
        }
    } else if (panel.built == -1) {
        setupBlockWindow(panel, block, r, s, block.name);
        if (panel.state == -1 && panel.content)
            panel.content->setEnabled(false);
        panel.viewAttached = 1;
    }

    alarmTable.showSlot(*pane.alarmTable, r, s);

    pane.helpView->setGeometry(HELP_VIEW_GEOMETRY);
    pane.helpView->showModule(appDir, block.name);
    pane.helpView->show();

    QScrollArea *blockPage = pane.pages[MainPage];
    for (BlockDlg *shown :
         blockPage->findChildren<BlockDlg *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (shown != &panel)
            shown->setParent(nullptr);
    }
    if (panel.parentWidget() != blockPage)
        panel.setParent(blockPage);
    panel.move(0, 0);
    panel.show();
    // A block shown while the link is down shows no live values.
    pane.live = linkUp;
    showLiveness(pane);
}

void MonitorPanes::resetBlockSelection(int pane, int rack, int slot) {
    if (!isPane(pane) || !isRack(rack) || !isSlot(slot))
        return;
    grid.restoreSlotHeader(rack - 1, slot - 1);
    grid.hideSelectionFrame(pane);
}

void MonitorPanes::restorePaneSelection(MyTabWidget *tabWidget) {
    if (!tabWidget || !isPane(tabWidget->paneNumber))
        return;
    const int pane = tabWidget->paneNumber;
    int &rack = pane == 1 ? tables.monitorRack1 : tables.monitorRack2;
    int &slot = pane == 1 ? tables.monitorSlot1 : tables.monitorSlot2;
    resetBlockSelection(pane, rack, slot);
    rack = -1;
    slot = -1;
}

void MonitorPanes::closePane(int pane) {
    if (isPane(pane))
        at(pane).window->close();
}

void MonitorPanes::on_CurrentBtn_clicked() {
    if (tables.monitorRack1 != -1 && tables.monitorSlot2 == -1)
        showMonitorPane1(tables.monitorRack1);
    if (tables.monitorSlot1 == -1 && tables.monitorRack2 != -1)
        showMonitorPane2(tables.monitorRack2);
    tables.monitoringOn = 1;
}

void MonitorPanes::setPaneAlarmLed(int pane, int alarm, LedColour colour) {
    if (isPane(pane) && alarm >= 0 && alarm < ALARMS_PER_SLOT)
        grid.setPaneAlarmLed(pane, alarm, colour);
}

void MonitorPanes::setPaneHeaderAlarm(int pane, bool alarm) {
    if (isPane(pane))
        grid.setPaneHeaderAlarm(pane, alarm);
}

void MonitorPanes::refreshPaneHeader(int pane, int rack, int slot, int alarmCount) {
    if (isPane(pane) && isRack(rack + 1) && isSlot(slot + 1))
        grid.refreshPaneHeader(pane, rack, slot, std::clamp(alarmCount, 0, ALARMS_PER_SLOT));
}

MyTabWidget *MonitorPanes::paneWindow(int pane) const {
    return isPane(pane) ? at(pane).window : nullptr;
}

QScrollArea *MonitorPanes::panePage(int pane, int page) const {
    return isPane(pane) && page >= 0 && page < PANE_PAGES ? at(pane).pages[page] : nullptr;
}

QLineEdit *MonitorPanes::paneBorderStrip(int pane, int side) const {
    return isPane(pane) && side >= 0 && side < 4 ? at(pane).borderStrips[side] : nullptr;
}

QTableWidget *MonitorPanes::paneAlarmTable(int pane) const {
    return isPane(pane) ? at(pane).alarmTable : nullptr;
}

HelpView *MonitorPanes::paneHelpView(int pane) const {
    return isPane(pane) ? at(pane).helpView : nullptr;
}

void MonitorPanes::slot_tabbar_clicked(int number) {
    if (!isPane(number))
        return;
    Pane &pane = at(number);
    if (pane.window->currentIndex() == TitlePage)
        pane.window->setCurrentIndex(pane.window->lastPage);
    colourTabTexts(pane);
    pane.window->lastPage = pane.window->currentIndex();
}

void MonitorPanes::colourTabTexts(Pane &pane) {
    QTabBar *tabBar = pane.window->tabBar();
    for (int tab = 0; tab < tabBar->count(); ++tab)
        tabBar->setTabTextColor(tab, tab == tabBar->currentIndex() ? QColor(Qt::black)
                                                                   : inactiveTabColor);
}
