#include "controls/shell/tkxcustomshelltree.h"

#include "controls/framework/controlservices.h"
#include "controls/framework/fillscope.h"
#include "controls/framework/hourglasscursor.h"
#include "controls/shell/newfolder.h"
#include "controls/shell/shelldata.h"
#include "controls/shell/shelltreenode.h"
#include "controls/shell/shellutils.h"
#include "controls/shell/shellviewwatch.h"
#include "controls/shell/tkxcustomshelllist.h"
#include "controls/shell/tkxdevicechangehandler.h"
#include "controls/shell/tkxidlistarray.h"
#include "controls/shell/verbprompts.h"

#include "platform/changenotification.h"
#include "platform/nametext.h"

#include <QCoreApplication>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScopeGuard>
#include <QHash>
#include <QScopedValueRollback>
#include <QSet>

#include <cerrno>

namespace {

// What every added node is asked for.
constexpr ShellAttributes kNodeAttributeMask = SfgaoHasSubfolder | SfgaoFileSystem | SfgaoFolder |
                                               SfgaoFileSysAncestor | SfgaoRemovable | SfgaoHidden |
                                               SfgaoShare | SfgaoLink | SfgaoStream;
static_assert(kNodeAttributeMask == 0xF24B0000, "the attributes a node is added with");
constexpr int kAutoExpandDelayMs = 400;
constexpr int kSelectionDelayMs = 500;

const QEvent::Type kFillEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// Raises a nested counter for the scope.
class CounterScope {
public:
    explicit CounterScope(int &counter)
        : m_counter(counter) {
        ++m_counter;
    }
    ~CounterScope() { --m_counter; }
    CounterScope(const CounterScope &) = delete;
    CounterScope &operator=(const CounterScope &) = delete;

private:
    int &m_counter;
};

void ForgetSubtree(QTreeWidgetItem *node) {
    if (TKxShellTreeData *data = ShellDataOf(node))
        data->ForgetCachedData();
    if (node->type() == ShellTreeNode::kType)
        static_cast<ShellTreeNode *>(node)->ForgetIcon();
    for (int i = 0; i < node->childCount(); ++i)
        ForgetSubtree(node->child(i));
}

} // namespace

TKxCustomShellTree::TKxCustomShellTree(QWidget *parent)
    : TKxCustomTreeView(parent) {
    // A refresh and the linked list's update each wait on their own, so neither ever drops the
    // other.
    m_watch = std::make_unique<ShellViewWatch>(
        this, [this] { RefreshNodes(); }, [this] { return IsEditing(); });
    m_watch->OnNotice = [this](const QString &text) { ShowWarning(text); };
    m_selectionTimer.setSingleShot(true);
    m_selectionTimer.setInterval(kSelectionDelayMs);
    connect(&m_selectionTimer, &QTimer::timeout, this,
            [this] { CallGuarded([&] { updateLinkedList(); }); });
    m_baseFolder.OnChange = [this](TKxShellLocator *) { baseFolderChanged(); };
    m_selectionLocator.OnChange = [this](TKxShellLocator *) { selectionLocatorChanged(); };
    setRootIsDecorated(false);
    // Every node is one line high, so the view lays out big folders without measuring them.
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::SelectedClicked);
    setAutoExpandDelay(kAutoExpandDelayMs);
    setDropIndicatorShown(true);
    resize(150, 150);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *node) {
        CallGuarded([&] { fillNode(node); });
        startWatching();
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *node) {
        if (node->type() == ShellTreeNode::kType && node->childCount() > 0)
            static_cast<ShellTreeNode *>(node)->SetChildrenStale(true);
        // A selection hidden in the collapsed folder moves to it: what is chosen is shown.
        if (QTreeWidgetItem *selected = currentItem();
            selected != node && IsNodeWithin(selected, node))
            CallGuarded([&] { selectNode(node); });
        startWatching();
    });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) {
        CallGuarded([&] { currentNodeChanged(current); });
    });
    connect(this, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem *node) { CallGuarded([&] { nodeTextEdited(node); }); });
    TKxDeviceChangeHandler::Instance().Register(
        this, [this](TKxDeviceChangeHandler *, TKxDeviceChangeHandler::DeviceChange change) {
            if (change == TKxDeviceChangeHandler::DeviceArrival ||
                change == TKxDeviceChangeHandler::DeviceRemoveComplete)
                DeviceChanged();
        });
    updateDragMode();
}

TKxCustomShellTree::~TKxCustomShellTree() {
    TKxDeviceChangeHandler::Instance().Unregister(this);
    SetShellList(nullptr);
    m_watch->Stop();
    disconnect(this, nullptr, this, nullptr);
    // Whoever handles the events may be gone already (a form's members die before its child
    // widgets), so the tree's own destruction deletes its nodes without OnDeleteItem.
    OnDeleteItem = nullptr;
    CounterScope ignore(m_ignoreChanges);
    clearNodes();
}

void TKxCustomShellTree::SetOptions(TKxShellTreeOptions options) {
    if (m_options == options)
        return;
    const TKxShellTreeOptions old = m_options;
    m_options = options;
    updateDragMode();
    if ((old ^ options) & stoDynamicRefresh) {
        if ((options & stoDynamicRefresh) && topLevelItemCount() > 0)
            startWatching();
        else
            m_watch->Stop();
    }
}

TKxCustomShellList *TKxCustomShellTree::ShellList() const {
    return m_shellList;
}

void TKxCustomShellTree::SetShellList(TKxCustomShellList *list) {
    if (m_shellList == list)
        return;
    TKxCustomShellList *old = m_shellList;
    m_shellList = list;
    // Each side keeps its own link and tells the other through its setter.
    if (old != nullptr && old->ShellTree() == this)
        old->SetShellTree(nullptr);
    if (list == nullptr)
        return;
    list->SetShellTree(this);
    updateLinkedList();
}

void TKxCustomShellTree::RunDeferredRefresh() {
    m_watch->RunDue();
}

bool TKxCustomShellTree::RefreshScheduled() const {
    return m_watch->state() == ShellViewWatch::State::Waiting;
}

void TKxCustomShellTree::updateLinkedList() {
    if (m_shellList != nullptr)
        m_shellList->Folder().Assign(&m_selectionLocator);
}

void TKxCustomShellTree::Loaded() {
    TKxCustomTreeView::Loaded();
    if ((m_options & stoAutoFill) && topLevelItemCount() == 0)
        FillTree();
}

void TKxCustomShellTree::FillTree() {
    if (!m_watch->MayRefresh())
        return;
    HourglassCursor hourglass;
    {
        CounterScope ignore(m_ignoreChanges);
        setCurrentItem(nullptr);
        clearNodes();
    }
    ShellFolderPtr folder;
    if (const int code = FolderOfIdList(m_baseFolder.FolderIdList(), folder); code != 0)
        RaiseVerbFailure(QStringLiteral("read"), {DisplayNameOfIdList(m_baseFolder.FolderIdList())},
                         code);
    FillChildNodes(folder, nullptr);
    const QByteArray selection = m_selectionLocator.FolderIdList();
    if (!selection.isNull()) {
        selectPath(selection);
    } else if (QTreeWidgetItem *first = rootNode()) {
        selectNode(first);
    }
    if (SelectionScheduled()) {
        m_selectionTimer.stop();
        updateLinkedList();
    }
    startWatching();
}

void TKxCustomShellTree::FillChildNodes(const ShellFolderPtr &folder, QTreeWidgetItem *node) {
    FillScope fill(this, OnFillStart, OnFillComplete);
    QTreeWidgetItem *root = nullptr;
    if (node == nullptr) {
        const QByteArray base = CopyIdList(m_baseFolder.FolderIdList());
        ShellFolderPtr parentFolder;
        QByteArray item;
        if (!IsEmptyIdList(base))
            ParentFolderOfIdList(base, parentFolder, item);
        ShellTreeNode *added =
            newNode(std::make_unique<TKxShellTreeData>(nullptr, base, parentFolder), nullptr);
        added->setText(0, DisplayNameOfIdList(base));
        added->SetHasChildrenFlag(true);
        if (OnInsertItem)
            OnInsertItem(this, added);
        root = node = added;
    }
    TKxShellTreeData *data = ShellDataOf(node);
    QList<QByteArray> items;
    // A folder that cannot be listed keeps its expand button and shows no children.
    if (folder == nullptr || folder->enumObjects(enumFlags(), items) != 0)
        return;
    const QByteArray parentList = data != nullptr ? data->AbsoluteIdList() : QByteArray();
    for (const QByteArray &item : items) {
        if (const int code = AddShellNode(folder, parentList, item, node); code != 0)
            RaiseVerbFailure(QStringLiteral("read"), {node->text(0)}, code);
    }
    if (node->childCount() == 0 && node->type() == ShellTreeNode::kType)
        static_cast<ShellTreeNode *>(node)->SetHasChildrenFlag(false);
    sortChildren(node);
    if (root != nullptr)
        root->setExpanded(true);
}

bool TKxCustomShellTree::childrenFlagOf(ShellAttributes attributes) const {
    const bool subfolders = attributes & SfgaoHasSubfolder;
    const bool isFolder = attributes & SfgaoFolder;
    return (m_options & stoIncludeNonFolders) ? (subfolders || isFolder) : (subfolders && isFolder);
}

int TKxCustomShellTree::AddShellNode(const ShellFolderPtr &folder, const QByteArray &parentIdList,
                                     const QByteArray &item, QTreeWidgetItem *parentNode) {
    const ShellAttributes attributes = folder->attributesOf(item, kNodeAttributeMask);
    if (!(m_options & stoVirtualFolders) &&
        !(attributes & (SfgaoFileSystem | SfgaoFileSysAncestor)))
        return 0;
    if (!DoAddItem(folder.get(), parentIdList, attributes, item))
        return 0;
    ShellTreeNode *node =
        newNode(std::make_unique<TKxShellTreeData>(ShellDataOf(parentNode), item), parentNode);
    node->setText(0, DisplayNameOf(folder.get(), item, ShellNameKind::InFolder));
    node->SetHasChildrenFlag(childrenFlagOf(attributes));
    node->SetOverlay(ShellOverlayOf(attributes));
    if (attributes & SfgaoHidden)
        node->setForeground(0, palette().brush(QPalette::Disabled, QPalette::Text));
    m_lastAdded = node;
    if (OnInsertItem)
        OnInsertItem(this, node);
    return 0;
}

bool TKxCustomShellTree::DoAddItem(ShellFolder *folder, const QByteArray &parentIdList,
                                   ShellAttributes attributes, const QByteArray &item) {
    bool allow = true;
    if (OnAddItem)
        OnAddItem(this, folder, parentIdList, item, attributes, allow);
    return allow;
}

void TKxCustomShellTree::DeviceChanged() {
    CallGuarded([&] { RefreshNodes(); });
    // A file system mounted on or unmounted from a shown folder needs a watch of its own now,
    // not at the next fill.
    startWatching(true);
}

ShellTreeNode *TKxCustomShellTree::rootNode() const {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (ShellDataOf(topLevelItem(i)) != nullptr)
            return static_cast<ShellTreeNode *>(topLevelItem(i));
    }
    return nullptr;
}

ShellTreeNode *TKxCustomShellTree::newNode(std::unique_ptr<TKxShellTreeData> data,
                                           QTreeWidgetItem *parentNode) {
    auto *node = new ShellTreeNode(std::move(data));
    if (parentNode != nullptr)
        parentNode->addChild(node);
    else
        addTopLevelItem(node);
    return node;
}

void TKxCustomShellTree::fillNode(QTreeWidgetItem *node) {
    TKxShellTreeData *data = ShellDataOf(node);
    if (data == nullptr)
        return;
    auto *shellNode = static_cast<ShellTreeNode *>(node);
    if (shellNode->ChildrenStale()) {
        shellNode->SetChildrenStale(false);
        if (m_watch->MayRefresh()) {
            HourglassCursor hourglass;
            refreshSubtree(shellNode);
        }
        return;
    }
    if (node->childCount() > 0 || !shellNode->HasChildrenFlag())
        return;
    HourglassCursor hourglass;
    FillChildNodes(data->ShellFolder(), node);
}

void TKxCustomShellTree::sortChildren(QTreeWidgetItem *node) {
    // The nodes order themselves by their folder; the selection and a running edit stay.
    if (node != nullptr && node->childCount() > 1)
        node->sortChildren(0, Qt::AscendingOrder);
}

void TKxCustomShellTree::forgetNodes(QTreeWidgetItem *node) {
    for (int i = node->childCount() - 1; i >= 0; --i)
        forgetNodes(node->child(i));
    if (OnDeleteItem)
        OnDeleteItem(this, node, ShellDataOf(node));
    m_captionEdit.Forget(node);
    if (node == m_lastAdded)
        m_lastAdded = nullptr;
}

void TKxCustomShellTree::deleteNode(QTreeWidgetItem *node) {
    // The children go with the node: the view is told once, not once per node.
    forgetNodes(node);
    delete node;
}

void TKxCustomShellTree::clearNodes() {
    for (int i = topLevelItemCount() - 1; i >= 0; --i)
        forgetNodes(topLevelItem(i));
    clear();
}

int TKxCustomShellTree::enumFlags() const {
    int flags = ShcontfFolders;
    if (m_options & stoShowHidden)
        flags |= ShcontfIncludeHidden;
    if (m_options & stoIncludeNonFolders)
        flags |= ShcontfNonFolders;
    return flags;
}

void TKxCustomShellTree::RefreshNodes() {
    if (!m_watch->MayRefresh())
        return;
    if (topLevelItemCount() == 0) {
        FillTree();
        return;
    }
    HourglassCursor hourglass;
    if (ShellTreeNode *root = rootNode())
        refreshSubtree(root);
    startWatching();
}

void TKxCustomShellTree::refreshSubtree(ShellTreeNode *node) {
    QTreeWidgetItem *selected = currentItem();
    {
        CounterScope ignore(m_ignoreChanges);
        FillScope fill(this, OnFillStart, OnFillComplete);
        refreshNode(node, selected);
    }
    // A selection inside a folder that disappeared moved to its parent.
    if (selected != nullptr && selected != currentItem())
        selectNode(selected);
}

void TKxCustomShellTree::refreshNode(ShellTreeNode *node, QTreeWidgetItem *&selected) {
    if (node->HasChildrenFlag() && node->childCount() == 0)
        return;
    const ShellFolderPtr folder = node->Data()->ShellFolder();
    QList<QByteArray> items;
    if (folder == nullptr || folder->enumObjects(enumFlags(), items) != 0)
        return;
    // A child is the same entry exactly when its list has the same bytes.
    QHash<QByteArray, bool> fresh;
    fresh.reserve(items.size());
    for (const QByteArray &item : items)
        fresh.insert(item, false);
    for (int i = node->childCount() - 1; i >= 0; --i) {
        QTreeWidgetItem *child = node->child(i);
        TKxShellTreeData *data = ShellDataOf(child);
        if (data == nullptr)
            continue;
        if (const auto found = fresh.find(data->RelativeIdList()); found != fresh.end()) {
            found.value() = true;
            continue;
        }
        if (IsNodeWithin(selected, child))
            selected = node;
        deleteNode(child);
    }
    const QByteArray parentList = node->Data()->AbsoluteIdList();
    bool added = false;
    for (const QByteArray &item : items) {
        if (fresh.value(item))
            continue;
        if (const int code = AddShellNode(folder, parentList, item, node); code != 0)
            RaiseVerbFailure(QStringLiteral("read"), {node->text(0)}, code);
        added = true;
    }
    if (added)
        sortChildren(node);
    // A folder read empty loses its expand button, so the next refresh reads it again.
    node->SetHasChildrenFlag(node->childCount() > 0);
    for (int i = 0; i < node->childCount(); ++i) {
        if (node->child(i)->type() != ShellTreeNode::kType)
            continue;
        auto *child = static_cast<ShellTreeNode *>(node->child(i));
        // A collapsed node without children gets its expand button when a subfolder appears; the
        // folder's listing just told that, so the node's own folder is not opened.
        if (child->childCount() == 0 && !child->HasChildrenFlag()) {
            const bool children = childrenFlagOf(
                folder->attributesOf(child->Data()->RelativeIdList(), kNodeAttributeMask));
            if (!children || !child->isExpanded()) {
                child->SetHasChildrenFlag(children);
                continue;
            }
        }
        refreshNode(child, selected);
    }
}

void TKxCustomShellTree::selectPath(const QByteArray &target) {
    if (m_ignoreChanges > 0)
        return;
    ShellTreeNode *first = rootNode();
    if (first == nullptr)
        return;
    const QByteArray base = m_baseFolder.FolderIdList();
    const TKxIdListArray baseElements(base);
    const TKxIdListArray targetElements(target);
    const int baseCount = baseElements.ElementCount();
    const int targetCount = targetElements.ElementCount();
    QTreeWidgetItem *reached = first;
    setUpdatesEnabled(false);
    const auto updates = qScopeGuard([this] { setUpdatesEnabled(true); });
    if (targetCount > 0)
        first->setExpanded(true);
    // A folder outside the base folder selects the base folder itself.
    const bool below =
        targetCount > baseCount &&
        CompareIdLists(targetElements.WithoutLast(targetCount - baseCount), CopyIdList(base)) == 0;
    for (int i = baseCount; below && i < targetCount; ++i) {
        const QByteArray element = targetElements.ElementAt(i);
        TKxShellTreeData *data = ShellDataOf(reached);
        const ShellFolderPtr folder = data->ShellFolder();
        if (folder == nullptr) {
            SystemBeep();
            break;
        }
        QTreeWidgetItem *next = nullptr;
        for (int c = 0; c < reached->childCount() && next == nullptr; ++c) {
            TKxShellTreeData *childData = ShellDataOf(reached->child(c));
            if (childData != nullptr &&
                folder->compareIds(0, childData->RelativeIdList(), element) == 0)
                next = reached->child(c);
        }
        if (next == nullptr) {
            m_lastAdded = nullptr;
            const int code = AddShellNode(folder, data->AbsoluteIdList(), element, reached);
            if (code != 0 || m_lastAdded == nullptr) {
                SystemBeep();
                break;
            }
            next = m_lastAdded;
            sortChildren(reached);
        }
        // The last folder opens too when the linked list leaves its subfolders to the tree.
        if (i + 1 < targetCount ||
            (m_shellList != nullptr && m_shellList->WantsTreeSelectionExpanded()))
            next->setExpanded(true);
        reached = next;
    }
    selectNode(reached);
    scrollToItem(reached);
}

void TKxCustomShellTree::baseFolderChanged() {
    if (IsLoading())
        return;
    {
        const QScopedValueRollback setting(m_settingSelection, true);
        m_selectionLocator.Clear();
    }
    if (m_options & stoAutoFill)
        CallGuarded([&] { FillTree(); });
}

void TKxCustomShellTree::selectionLocatorChanged() {
    if (m_settingSelection || topLevelItemCount() == 0)
        return;
    CallGuarded([&] { selectPath(m_selectionLocator.FolderIdList()); });
}

void TKxCustomShellTree::currentNodeChanged(QTreeWidgetItem *current) {
    if (IsLoading())
        return;
    if (TKxShellTreeData *data = ShellDataOf(current)) {
        const QScopedValueRollback setting(m_settingSelection, true);
        m_selectionLocator.SetIdList(data->AbsoluteIdList());
    }
    // While the tree rebuilds or selects itself only the selected folder follows here.
    if (m_ignoreChanges > 0)
        return;
    // What is left are the keyboard's steps through the nodes.
    followSelection(current, false);
}

void TKxCustomShellTree::selectNode(QTreeWidgetItem *node) {
    QTreeWidgetItem *before = currentItem();
    {
        CounterScope ignore(m_ignoreChanges);
        setCurrentItem(node);
    }
    if (currentItem() != before)
        followSelection(currentItem(), true);
}

void TKxCustomShellTree::followSelection(QTreeWidgetItem *node, bool now) {
    if (now || m_shellList == nullptr) {
        m_selectionTimer.stop();
        updateLinkedList();
    } else {
        m_selectionTimer.start();
    }
    if (OnChange)
        OnChange(this, node);
}

QString TKxCustomShellTree::SelectedFolderPath() const {
    TKxShellTreeData *data = ShellDataOf(currentItem());
    return data != nullptr ? data->PathText() : QString();
}

void TKxCustomShellTree::SelectAncestor(int levels) {
    QTreeWidgetItem *node = currentItem();
    for (; node != nullptr && node->parent() != nullptr && levels > 0; --levels)
        node = node->parent();
    if (node != nullptr)
        selectNode(node);
}

QTreeWidgetItem *TKxCustomShellTree::FindNode(const QByteArray &absoluteIdList) const {
    QList<QTreeWidgetItem *> pending;
    for (int i = 0; i < topLevelItemCount(); ++i)
        pending << topLevelItem(i);
    while (!pending.isEmpty()) {
        QTreeWidgetItem *node = pending.takeFirst();
        if (TKxShellTreeData *data = ShellDataOf(node);
            data != nullptr && CompareIdLists(data->AbsoluteIdList(), absoluteIdList) == 0)
            return node;
        for (int i = 0; i < node->childCount(); ++i)
            pending << node->child(i);
    }
    return nullptr;
}

bool TKxCustomShellTree::CreateNewFolder() {
    QString parent = SelectedFolderPath();
    if (parent.isEmpty())
        parent = QDir::currentPath();
    m_watch->IgnoreNextChange();
    const NewFolderResult result = CreateNewFolderIn(parent, MakeDirectory);
    for (const QString &warning : result.warnings)
        ShowWarning(warning);
    if (result.name.isEmpty())
        return false;
    RefreshNodes();
    QTreeWidgetItem *selected = currentItem();
    if (selected == nullptr)
        return true;
    selected->setExpanded(true);
    for (int i = 0; i < selected->childCount(); ++i) {
        if (selected->child(i)->text(0) == result.name) {
            EditNodeName(selected->child(i));
            break;
        }
    }
    return true;
}

void TKxCustomShellTree::ShowWarning(const QString &text) {
    QMessageBox::warning(window(), QCoreApplication::applicationName(), text);
}

int TKxCustomShellTree::InvokeNodeVerb(QTreeWidgetItem *node, const QString &verb) {
    TKxShellTreeData *data = ShellDataOf(node);
    if (data == nullptr || node->parent() == nullptr)
        return 1;
    if (verb.compare(QStringLiteral("rename"), Qt::CaseInsensitive) == 0)
        return EditNodeName(node) ? 0 : 1;
    const ShellFolderPtr folder = data->ParentShellFolder();
    if (folder == nullptr)
        RaiseVerbFailure(verb, {node->text(0)}, ENOENT);
    const int code = InvokeShellVerb(*folder, {data->RelativeIdList()}, verb);
    RefreshNodes();
    return code;
}

QAction *TKxCustomShellTree::TrackShellMenu(QMenu *menu, const QPoint &globalPos) {
    return menu->exec(globalPos);
}

void TKxCustomShellTree::DoNodeContextMenu(QTreeWidgetItem *node, QPoint &pos, QMenu *&menu) {
    TKxCustomTreeView::DoNodeContextMenu(node, pos, menu);
    TKxShellTreeData *data = ShellDataOf(node);
    // The root too, unless it is the desktop: it has a folder above it.
    if (!(m_options & stoContextMenus) || data == nullptr || IsEmptyIdList(data->RelativeIdList()))
        return;
    const ShellFolderPtr folder = data->ParentShellFolder();
    if (folder == nullptr)
        return;
    menu = nullptr;
    const QList<QByteArray> items{data->RelativeIdList()};
    QMenu shellMenu(this);
    AddShellVerbActions(shellMenu, folder->verbsOf(items), m_readOnly);
    connect(&shellMenu, &QMenu::hovered, this, [this](QAction *action) {
        if (OnPopupHint)
            OnPopupHint(this, action->statusTip());
    });
    QAction *chosen = nullptr;
    {
        const ShellViewWatch::Scope menuUp(*m_watch, ShellViewWatch::Hold::Refresh);
        chosen = TrackShellMenu(&shellMenu, viewport()->mapToGlobal(pos));
    }
    if (chosen != nullptr) {
        const QString verb = chosen->data().toString();
        if (verb == QLatin1String("rename")) {
            EditNodeName(node);
        } else {
            InvokeVerbAsked(node, verb);
        }
    } else {
        m_watch->RunDue();
    }
}

bool TKxCustomShellTree::EditNodeName(QTreeWidgetItem *node) {
    if (node == nullptr)
        return false;
    return edit(indexFromItem(node), QAbstractItemView::AllEditTriggers, nullptr);
}

bool TKxCustomShellTree::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) {
    QTreeWidgetItem *node = itemFromIndex(index);
    TKxShellTreeData *data = ShellDataOf(node);
    if (data == nullptr || m_readOnly || !data->CanRename())
        return false;
    return m_captionEdit.Start(node,
                               [&] { return TKxCustomTreeView::edit(index, trigger, event); });
}

void TKxCustomShellTree::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) {
    TKxCustomTreeView::closeEditor(editor, hint);
    // A cancelled edit (or one that kept the text) changes nothing.
    m_captionEdit.End();
    m_watch->RunDue();
}

void TKxCustomShellTree::nodeTextEdited(QTreeWidgetItem *node) {
    if (const std::optional<QString> text = m_captionEdit.TakeEditedText(node, this))
        RenameNode(node, *text);
}

bool TKxCustomShellTree::RenameNode(QTreeWidgetItem *node, const QString &text) {
    TKxShellTreeData *data = ShellDataOf(node);
    if (data == nullptr || node->parent() == nullptr)
        return false;
    QString name = text.trimmed();
    if (OnEdited)
        OnEdited(this, node, name);
    if (name.isEmpty() || name == node->text(0))
        return false;
    const ShellFolderPtr folder = data->ParentShellFolder();
    if (folder == nullptr)
        RaiseVerbFailure(QStringLiteral("rename"), {node->text(0)}, ENOENT, name);
    int code = 0;
    {
        HourglassCursor hourglass;
        CounterScope ignore(m_ignoreChanges);
        m_watch->IgnoreNextChange();
        QByteArray newItem;
        code = folder->setNameOf(data->RelativeIdList(), name.left(kShellMaxNameLength), newItem);
        if (code == 0) {
            const QSignalBlocker blocker(this);
            if (!newItem.isEmpty()) {
                ForgetSubtree(node);
                data->ReplaceRelativeIdList(newItem);
            }
            node->setText(
                0, DisplayNameOf(folder.get(), data->RelativeIdList(), ShellNameKind::InFolder));
            if (node == currentItem()) {
                const QScopedValueRollback setting(m_settingSelection, true);
                m_selectionLocator.SetIdList(data->AbsoluteIdList());
                updateLinkedList();
            }
            sortChildren(node->parent());
        }
    }
    // The selected folder is now another one: who shows it follows.
    if (code == 0 && node == currentItem() && OnChange)
        OnChange(this, node);
    m_watch->RunDue();
    if (code != 0)
        RaiseVerbFailure(QStringLiteral("rename"), {node->text(0)}, code, name);
    return true;
}

void TKxCustomShellTree::InvokeVerbAsked(QTreeWidgetItem *node, const QString &verb) {
    if (node == nullptr || node->parent() == nullptr || ShellDataOf(node) == nullptr)
        return;
    const QStringList names{node->text(0)};
    if (verb == QLatin1String("delete") && !ConfirmDelete(this, names))
        return;
    if (const int code = InvokeNodeVerb(node, verb); code != 0)
        RaiseVerbFailure(verb, names, code);
}

// A key that OnKeyDown left: the shell's shortcuts, then the framed tree's handling.
void TKxCustomShellTree::KeyDown(QKeyEvent &event) {
    if (!(m_options & stoDefaultKeyHandling) || state() == QAbstractItemView::EditingState ||
        IsContextMenuKey(event)) {
        TKxCustomTreeView::KeyDown(event);
        return;
    }
    const QKeySequence key(event.keyCombination());
    const ShellShortcuts &shortcuts = ShellViewShortcuts();
    QTreeWidgetItem *node = currentItem();
    if (key == shortcuts.rename) {
        EditNodeName(node);
    } else if (key == shortcuts.refresh) {
        RefreshNodes();
    } else if (key == shortcuts.cut || key == shortcuts.copy || key == shortcuts.paste ||
               key == shortcuts.remove || key == shortcuts.shiftRemove) {
        const QString verb = key == shortcuts.cut     ? QStringLiteral("cut")
                             : key == shortcuts.copy  ? QStringLiteral("copy")
                             : key == shortcuts.paste ? QStringLiteral("paste")
                                                      : QStringLiteral("delete");
        InvokeVerbAsked(node, verb);
    } else {
        TKxCustomTreeView::KeyDown(event);
        return;
    }
    event.accept();
}

void TKxCustomShellTree::wheelEvent(QWheelEvent *event) {
    ScrollShellViewByWheel(*this, *event);
}

void TKxCustomShellTree::mousePressEvent(QMouseEvent *event) {
    QTreeWidgetItem *before = currentItem();
    {
        // A click is followed at once, below, rather than as a keyboard step.
        CounterScope ignore(m_ignoreChanges);
        // A right click selects the node its menu acts on, as a left click does.
        if (event->button() == Qt::RightButton) {
            if (QTreeWidgetItem *node = itemAt(event->position().toPoint());
                node != nullptr && node != currentItem())
                setCurrentItem(node);
        }
        TKxCustomTreeView::mousePressEvent(event);
    }
    if (currentItem() != before)
        CallGuarded([&] { followSelection(currentItem(), true); });
}

void TKxCustomShellTree::updateDragMode() {
    setDragEnabled(m_options & stoOleDrag);
    setAcceptDrops(m_options & stoOleDrop);
    viewport()->setAcceptDrops(m_options & stoOleDrop);
    setDragDropMode((m_options & (stoOleDrag | stoOleDrop)) ? QAbstractItemView::DragDrop
                                                            : QAbstractItemView::NoDragDrop);
}

void TKxCustomShellTree::startDrag(Qt::DropActions) {
    QTreeWidgetItem *node = currentItem();
    TKxShellTreeData *data = ShellDataOf(node);
    if (!(m_options & stoOleDrag) || data == nullptr || node->parent() == nullptr)
        return;
    TKxShellTreeData *parentData = ShellDataOf(node->parent());
    const ShellFolderPtr folder = data->ParentShellFolder();
    ShellAttributes effects = kDragEffectMask;
    if (folder != nullptr)
        effects = folder->attributesOf(data->RelativeIdList(), kDragEffectMask);
    auto *drag = new QDrag(this);
    drag->setMimeData(
        CreateShellMimeData(parentData != nullptr ? parentData->AbsoluteIdList() : QByteArray(),
                            {data->RelativeIdList()}));
    Qt::DropAction result = Qt::IgnoreAction;
    {
        const ShellViewWatch::Scope dragging(*m_watch, ShellViewWatch::Hold::RefreshAndChanges);
        result = drag->exec(DropActionsOf(effects));
    }
    if (result != Qt::IgnoreAction || m_watch->state() == ShellViewWatch::State::HeldDue)
        CallGuarded([&] { RefreshNodes(); });
}

void TKxCustomShellTree::dragEnterEvent(QDragEnterEvent *event) {
    EnterShellDrag(*event, m_options & stoOleDrop);
}

void TKxCustomShellTree::dragMoveEvent(QDragMoveEvent *event) {
    QTreeWidgetItem *node = itemAt(event->position().toPoint());
    TKxShellTreeData *data = ShellDataOf(node);
    // Nodes without a parent, or without a path, take no drop.
    if (!(m_options & stoOleDrop) || data == nullptr || node->parent() == nullptr ||
        data->PathText().isEmpty()) {
        event->ignore();
        return;
    }
    const Qt::DropAction action = DropActionOf(*event, data->PathText());
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    TKxCustomTreeView::dragMoveEvent(event);
    event->setDropAction(action);
    event->accept();
}

void TKxCustomShellTree::dropEvent(QDropEvent *event) {
    QTreeWidgetItem *node = itemAt(event->position().toPoint());
    TKxShellTreeData *target = ShellDataOf(node);
    const Qt::DropAction action =
        target != nullptr ? DropActionOf(*event, target->PathText()) : Qt::IgnoreAction;
    bool dropped = false;
    if (action != Qt::IgnoreAction)
        CallGuarded([&] { dropped = dropOnNode(node, event->mimeData(), action); });
    if (dropped) {
        event->setDropAction(action);
        event->accept();
    } else {
        event->ignore();
    }
}

bool TKxCustomShellTree::dropOnNode(QTreeWidgetItem *node, const QMimeData *data,
                                    Qt::DropAction action) {
    TKxShellTreeData *target = ShellDataOf(node);
    if (!(m_options & stoOleDrop) || target == nullptr || node->parent() == nullptr)
        return false;
    const QString folder = target->PathText();
    if (folder.isEmpty() || DroppedPaths(*data).isEmpty())
        return false;
    const int code = TransferDrop(*data, folder, action);
    RefreshNodes();
    if (code != 0)
        RaiseVerbFailure(QStringLiteral("drop"), {node->text(0)}, code);
    return true;
}

void TKxCustomShellTree::startWatching(bool force) {
    if (!(m_options & stoDynamicRefresh))
        return;
    QList<QByteArray> folders;
    for (const QString &path : WatchedFolders())
        folders << TextToName(path);
    int filter = ChangeDirName;
    if (m_options & stoIncludeNonFolders)
        filter |= ChangeFileName;
    m_watch->Watch(folders, filter, force);
}

QStringList TKxCustomShellTree::WatchedFolders() const {
    QStringList paths;
    QSet<QString> seen;
    QList<QTreeWidgetItem *> pending;
    for (int i = topLevelItemCount() - 1; i >= 0; --i)
        pending << topLevelItem(i);
    while (!pending.isEmpty()) {
        QTreeWidgetItem *node = pending.takeLast();
        if (!node->isExpanded())
            continue;
        if (TKxShellTreeData *data = ShellDataOf(node)) {
            const QString path = data->PathText();
            if (!path.isEmpty() && !seen.contains(path)) {
                seen.insert(path);
                paths << path;
            }
        }
        for (int i = node->childCount() - 1; i >= 0; --i)
            pending << node->child(i);
    }
    return paths;
}

void TKxCustomShellTree::customEvent(QEvent *event) {
    if (event->type() == kFillEvent) {
        if (topLevelItemCount() == 0)
            CallGuarded([&] { FillTree(); });
        return;
    }
    TKxCustomTreeView::customEvent(event);
}

void TKxCustomShellTree::showEvent(QShowEvent *event) {
    TKxCustomTreeView::showEvent(event);
    if ((m_options & stoAutoFill) && topLevelItemCount() == 0)
        QCoreApplication::postEvent(this, new QEvent(kFillEvent));
}
