#include "console/windows/networktree.h"

#include "console/link/consoletables.h"
#include "console/link/globals.h"
#include "console/link/rings.h"
#include "console/link/srvmessage.h"
#include "console/windows/networktreehost.h"
#include "console/windows/networktreetext.h"
#include "platform/codec1251.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QModelIndex>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

int treeEditArmed = -1;

namespace {

constexpr int RackIndexRole = Qt::UserRole;

const QIcon &blockStateIcon(BlockState state) {
    switch (state) {
    case BlockState::Red:
        return redBlockIcon;
    case BlockState::Green:
        return greenBlockIcon;
    case BlockState::Gray:
        break;
    }
    return grayBlockIcon;
}

bool isRackIndex(int rack) {
    return rack >= 0 && rack < MAX_RACK_NUMBER;
}

bool isSlotIndex(int slot) {
    return slot >= 0 && slot < SLOTS_PER_RACK;
}

// The in-place editor of a rack item offers the rack's name alone, not the item's
// "name : address", so that the operator's edit is the new name.
class RackNameDelegate : public QStyledItemDelegate {
public:
    RackNameDelegate(const ConsoleTables &tables, QObject *parent)
        : QStyledItemDelegate(parent)
        , tables(tables) {}

    void setEditorData(QWidget *editor, const QModelIndex &index) const override {
        bool ok = false;
        const int rack = index.data(RackIndexRole).toInt(&ok);
        auto *line = qobject_cast<QLineEdit *>(editor);
        if (line && ok && isRackIndex(rack) && !index.parent().isValid()) {
            line->setText(tables.rack[rack].name);
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

private:
    const ConsoleTables &tables;
};

} // namespace

NetworkTree::NetworkTree(ConsoleTables &tables, NetworkTreeHost &host, QWidget *parent)
    : QTreeWidget(parent)
    , chooseMonitorPane(
          [this](const QPoint &globalPos) { return execMonitorMenu(this, globalPos); })
    , tables(tables)
    , host(host) {
    setContextMenuPolicy(Qt::CustomContextMenu);
    setItemDelegate(new RackNameDelegate(tables, this));
    connect(this, &QTreeWidget::doubleClicked, this, &NetworkTree::on_TreeItem_DoubleClicked);
    connect(this, &QTreeWidget::itemChanged, this, &NetworkTree::on_TreeItem_ItemChanged);
    connect(this, &QWidget::customContextMenuRequested, this, &NetworkTree::showContextMenu);
}

void NetworkTree::buildNetworkTree() {
    const QSignalBlocker blocker(this);
    clear();
    // Setting a style sheet repolishes the tree, so it is set once.
    const QString itemStyle = QStringLiteral("QTreeView::item {padding: 4px}");
    if (styleSheet() != itemStyle)
        setStyleSheet(itemStyle);
    setColumnCount(1);
    if (tables.visibleRackCount > 0) {
        // Each item gets its text, icon and flags before it enters the view, and all enter
        // at once: the view lays its items out once, not once per change.
        QList<QTreeWidgetItem *> rackItems;
        for (int r = 0; r < MAX_RACK_NUMBER; ++r) {
            const RackRecord &record = tables.rack[r];
            if (record.absent == 1)
                continue;
            auto *item = new QTreeWidgetItem(QStringList{rackItemText(record)});
            item->setData(0, RackIndexRole, r);
            QList<QTreeWidgetItem *> children;
            for (int s = 0; s < SLOTS_PER_RACK; ++s) {
                const QString text =
                    slotItemText(s, record.nRackStructureTable[s], tables.block(r, s));
                children.append(new QTreeWidgetItem(QStringList{text}));
            }
            item->insertChildren(0, children);
            setItemIcons(item, r);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsEditable);
            rackItems.append(item);
            host.setRackButton(r, record.ipText, int(rackItems.size()));
        }
        addTopLevelItems(rackItems);
        // Sizing measures every item: once for the whole tree, not once per rack.
        resizeColumnToContents(0);
    }
    show();
}

void NetworkTree::setTreeItemIcon(int rack) {
    QTreeWidgetItem *item = rackItem(rack);
    if (!item)
        return;
    const QSignalBlocker blocker(this);
    setItemIcons(item, rack);
}

void NetworkTree::setItemIcons(QTreeWidgetItem *item, int rack) {
    const RackRecord &record = tables.rack[rack];
    bool rackRed = false;
    for (int s = 0; s < SLOTS_PER_RACK && s < item->childCount(); ++s) {
        const BlockState state =
            slotBlockState(host.slotAlarmMark(rack, s) != -1, record.nRackStructureTable[s]);
        rackRed = rackRed || state == BlockState::Red;
        item->child(s)->setIcon(0, blockStateIcon(state));
    }
    item->setIcon(0, rackRed ? redBlockIcon : greenBlockIcon);
}

void NetworkTree::setRackTreeIconRed(int rack) {
    QTreeWidgetItem *item = rackItem(rack);
    if (!item)
        return;
    const QSignalBlocker blocker(this);
    item->setIcon(0, redBlockIcon);
}

QTreeWidgetItem *NetworkTree::rackItem(int rack) const {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = topLevelItem(i);
        if (item->data(0, RackIndexRole).toInt() == rack)
            return item;
    }
    return nullptr;
}

void NetworkTree::showSlotMenu(int rack, int slot, const QPoint &globalPos) {
    treeEditArmed = -1;
    if (isRackIndex(rack) && isSlotIndex(slot))
        openMonitorMenu(rack, slot, globalPos);
}

void NetworkTree::selectMonitoredBlock(int pane, int rack, int slot) {
    if ((pane != 1 && pane != 2) || !isRackIndex(rack) || !isSlotIndex(slot))
        return;
    const int other = 3 - pane;
    int &paneRack = pane == 1 ? tables.monitorRack1 : tables.monitorRack2;
    int &paneSlot = pane == 1 ? tables.monitorSlot1 : tables.monitorSlot2;
    int &otherRack = pane == 1 ? tables.monitorRack2 : tables.monitorRack1;
    int &otherSlot = pane == 1 ? tables.monitorSlot2 : tables.monitorSlot1;

    // The slot moves over from the other pane.
    if (otherRack == rack + 1 && otherSlot == slot + 1) {
        host.hideSelectionFrame(other);
        otherRack = -1;
        otherSlot = -1;
    }
    host.placeSelectionFrame(pane, rack, slot);
    if (paneRack > 0 && paneSlot > 0)
        host.restoreSlotHeader(paneRack - 1, paneSlot - 1);
    paneRack = rack + 1;
    paneSlot = slot + 1;
    host.markSlotHeader(pane, rack, slot);
    if (otherRack == -1 && otherSlot == -1)
        host.closePane(other);
    host.showMonitorPane(pane, paneRack);
}

void NetworkTree::on_TreeItem_DoubleClicked(const QModelIndex &) {
    QTreeWidgetItem *item = currentItem();
    if (!item)
        return;
    if (item->childCount() > 0)
        treeEditArmed = 1;
    const TreeSlot at = treeSlot(item);
    if (at.slot >= 0)
        host.clickSlotButton(at.rack, at.slot);
}

void NetworkTree::on_TreeItem_ItemChanged(QTreeWidgetItem *item, int) {
    const QSignalBlocker blocker(this);
    const bool armed = treeEditArmed == 1;
    treeEditArmed = -1;
    const TreeSlot at = treeSlot(item);
    if (at.rack < 0 || at.slot >= 0)
        return;
    RackRecord &record = tables.rack[at.rack];
    if (armed) {
        // The name as the server will hold it: characters Windows-1251 lacks travel as "?".
        record.name = fromWin1251(toWin1251(cutRackName(item->text(0))));
        const WireAddress address{record.ip[0], record.ip[1], record.ip[2], record.ip[3]};
        if (const auto message = buildRackRename(address, record.name))
            queueToSrv(message->constData(), static_cast<int>(message->size()));
    }
    // An edit that renames nothing leaves the item as it was.
    item->setText(0, rackItemText(record));
}

void NetworkTree::showContextMenu(const QPoint &pos) {
    const TreeSlot at = treeSlot(currentItem());
    if (at.slot < 0 || !host.isSlotButtonEnabled(at.rack, at.slot))
        return;
    openMonitorMenu(at.rack, at.slot, viewport()->mapToGlobal(pos));
}

void NetworkTree::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                              const QList<int> &roles) {
    // The base view would also put the item's text back into an editor open on it.
    if (roles == QList<int>{Qt::DecorationRole} && topLeft == bottomRight) {
        viewport()->update(visualRect(topLeft));
        return;
    }
    QTreeWidget::dataChanged(topLeft, bottomRight, roles);
}

NetworkTree::TreeSlot NetworkTree::treeSlot(QTreeWidgetItem *item) const {
    if (!item)
        return {};
    QTreeWidgetItem *parentItem = item->parent();
    QTreeWidgetItem *rackItem = parentItem ? parentItem : item;
    bool ok = false;
    const int rack = rackItem->data(0, RackIndexRole).toInt(&ok);
    if (!ok || !isRackIndex(rack))
        return {};
    if (!parentItem)
        return {rack, -1};
    const int slot = parentItem->indexOfChild(item);
    return isSlotIndex(slot) ? TreeSlot{rack, slot} : TreeSlot{};
}

void NetworkTree::openMonitorMenu(int rack, int slot, const QPoint &globalPos) {
    const int pane = chooseMonitorPane ? chooseMonitorPane(globalPos) : 0;
    if (pane == 1 || pane == 2)
        selectMonitoredBlock(pane, rack, slot);
}

int NetworkTree::execMonitorMenu(QWidget *parent, const QPoint &globalPos) {
    QMenu menu(parent);
    const QAction *primary = menu.addAction(QStringLiteral("Select PRIMARY block to MONITORING"));
    menu.addSeparator();
    const QAction *secondary =
        menu.addAction(QStringLiteral("Select SECONDARY block to MONITORING"));
    const QAction *chosen = menu.exec(globalPos);
    if (chosen == primary)
        return 1;
    return chosen == secondary ? 2 : 0;
}
