#pragma once

#include "console/link/consoleviews.h"

#include <QPoint>
#include <QPointer>

#include <array>
#include <functional>
#include <vector>

class AlarmTable;
class BlockDlg;
class ConsoleTables;
class HelpView;
class MyTabWidget;
class PaneGrid;
class QLineEdit;
class QScrollArea;
class QTableWidget;
class QWidget;

// The two monitoring panes: one top-level tab window per pane that shows the selected block's
// title, control panel, alarm settings and help page. The windows are made once as separate
// windows of `owner` (they close with it), hidden and shown, never rebuilt, and deleted with
// this object, which gives the block panel a pane shows back first. Each keeps one alarm table
// and one help view and refills them for every block it shows. Rack and slot are 1-based here
// (as in the tables' pane selections) unless a function says otherwise; pane is 1 or 2.
class MonitorPanes {
public:
    static constexpr int PANE_COUNT = 2;
    static constexpr int PANE_PAGES = 4;
    enum Page { TitlePage = 0, MainPage = 1, AlarmPage = 2, HelpPage = 3 };

    // The block panel of rack index `rack` (0..39) and slot index `slot` (0..16).
    using BlockPanels = std::function<BlockDlg &(int rack, int slot)>;

    MonitorPanes(ConsoleTables &tables, AlarmTable &alarmTable, BlockPanels panels, PaneGrid &grid,
                 QWidget *owner);
    ~MonitorPanes();
    MonitorPanes(const MonitorPanes &) = delete;
    MonitorPanes &operator=(const MonitorPanes &) = delete;

    // Shows the pane's selected block (its slot from the tables' selection) in its window;
    // the first showing places the window beside the owner, inside the screen's area for
    // windows, beside the other pane where the area is wide enough and clear of `keepClear`
    // where the screen leaves room.
    void showMonitorPane1(int rack);
    void showMonitorPane2(int rack);
    void showMonitorPane(int pane, int rack);
    // Fills the pane's pages for the block; nothing for a rack or slot out of range.
    void buildModuleView(int pane, int rack, int slot);
    // Colours the pane, opens its "MAIN" page and shows its border.
    void selectPaneTab(int pane);
    // The slot loses the pane's selection marks (frame and number-button colour); a pane
    // with nothing selected (-1) has nothing to reset.
    void resetBlockSelection(int pane, int rack, int slot);
    // The operator closed the pane's window: its selection is reset and cleared.
    void restorePaneSelection(MyTabWidget *tabWidget);
    // Closes the pane's window, which resets and clears its selection.
    void closePane(int pane);
    // The MONITORING button: shows the pane of the only selection there is.
    void on_CurrentBtn_clicked();
    // The pane's tab bar changed its current tab (each pane's tab bar is connected to this
    // here): choosing the title tab returns to the page shown last; the current tab's text is
    // black, the others' cyan.
    void slot_tabbar_clicked(int pane);

    // The link to the server went down (false) or came back (true). While it is down, every
    // pane drops the operator's uncommitted edits, disables its block and alarm pages, shows
    // its panel's lamps gray and says in its title that its values are not live. A pane stays so
    // after the link is back until values arrive for the block it shows (blockValuesArrived).
    void setLinkUp(bool up);
    // Register values arrived for the block of rack index `rack`, slot index `slot`: a pane
    // that shows it while the link was up again becomes live.
    void blockValuesArrived(int rack, int slot);
    // False while the pane shows values that may be stale: the link went down since.
    bool isPaneLive(int pane) const;

    // The pane rows of the monitor column, for the alarm handlers. Rack and slot 0-based.
    void setPaneAlarmLed(int pane, int alarm, LedColour colour);
    void setPaneHeaderAlarm(int pane, bool alarm);
    void refreshPaneHeader(int pane, int rack, int slot, int alarmCount);

    MyTabWidget *paneWindow(int pane) const;
    QScrollArea *panePage(int pane, int page) const;
    QLineEdit *paneBorderStrip(int pane, int side) const;
    QTableWidget *paneAlarmTable(int pane) const;
    HelpView *paneHelpView(int pane) const;

    // Widgets of the owner that a pane's first placement leaves uncovered where it can (the
    // SETTING and LOG buttons).
    std::vector<QPointer<QWidget>> keepClear;

private:
    struct Pane {
        QPointer<MyTabWidget> window; // owned here; the owner may have deleted it first
        std::array<QScrollArea *, PANE_PAGES> pages{};
        std::array<QLineEdit *, 4> borderStrips{};
        QTableWidget *alarmTable = nullptr;
        HelpView *helpView = nullptr;
        bool placed = false; // moved beside the owner at its first showing
        bool live = true;    // false from a lost link to the next values for its block
    };

    void buildPaneWindow(int pane, QWidget *owner);
    QPoint firstPlacement(int pane) const;
    void colourTabTexts(Pane &pane);
    // The pages' enabled state and the titles for the pane's liveness.
    void showLiveness(Pane &pane);
    Pane &at(int pane) { return panes[pane - 1]; }
    const Pane &at(int pane) const { return panes[pane - 1]; }
    static bool isPane(int pane) { return pane == 1 || pane == 2; }

    ConsoleTables &tables;
    AlarmTable &alarmTable;
    BlockPanels panels;
    PaneGrid &grid;
    QWidget *owner = nullptr;
    std::array<Pane, PANE_COUNT> panes{};
    bool linkUp = true;
};
