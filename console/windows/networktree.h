#pragma once

#include <QTreeWidget>

#include <functional>

class ConsoleTables;
class NetworkTreeHost;
class QModelIndex;
class QPoint;

// 1 after a double click on a rack item, -1 otherwise; a rack rename acts only while it is 1.
// The slot buttons' PRIMARY selection and their context menu clear it.
extern int treeEditArmed;

// The network tree: one top-level item per shown rack, one child per slot, icons by block
// state. A double click on a slot opens it in pane 1, the context menu chooses a pane for a
// slot, and an operator's edit of a rack item renames the rack (code 160).
//
// Items know their rack by index, so every action addresses the rack of its item whatever
// the item's row. Filling the tree and setting icons block its signals: only an edit by the
// operator reaches the rename.
class NetworkTree : public QTreeWidget {
    Q_OBJECT

public:
    NetworkTree(ConsoleTables &tables, NetworkTreeHost &host, QWidget *parent = nullptr);

    // Rebuilds the tree from the tables.
    void buildNetworkTree();
    // Rack and slot icons of the rack (index 0..39) from its slots' alarm marks and modules.
    void setTreeItemIcon(int rack);
    void setRackTreeIconRed(int rack);
    // The rack's item, or nullptr while the rack is not listed.
    QTreeWidgetItem *rackItem(int rack) const;

    // A slot button's context menu (rack and slot 0-based, globalPos in screen coordinates):
    // disarms renaming, asks for the pane and selects the slot for it.
    void showSlotMenu(int rack, int slot, const QPoint &globalPos);
    // Makes the slot the pane's selection and shows the pane.
    void selectMonitoredBlock(int pane, int rack, int slot);

    // Asks for the pane at globalPos: 1, 2, or 0 for none. Runs the monitoring menu unless
    // replaced.
    std::function<int(const QPoint &globalPos)> chooseMonitorPane;
    // The monitoring menu at globalPos: 1 for PRIMARY, 2 for SECONDARY, 0 for nothing chosen.
    static int execMonitorMenu(QWidget *parent, const QPoint &globalPos);

public slots:
    void on_TreeItem_DoubleClicked(const QModelIndex &index);
    void on_TreeItem_ItemChanged(QTreeWidgetItem *item, int column);
    void showContextMenu(const QPoint &pos);

protected:
    // An icon change repaints its item only: an open editor keeps what the operator typed.
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles) override;

private:
    struct TreeSlot {
        int rack = -1;
        int slot = -1; // -1 for a rack item
    };
    TreeSlot treeSlot(QTreeWidgetItem *item) const;
    // The icons of a rack item (in the view or not yet) and of its slot items.
    void setItemIcons(QTreeWidgetItem *item, int rack);
    void openMonitorMenu(int rack, int slot, const QPoint &globalPos);

    ConsoleTables &tables;
    NetworkTreeHost &host;
};
