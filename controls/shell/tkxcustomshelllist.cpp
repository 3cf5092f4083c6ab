#include "controls/shell/tkxcustomshelllist.h"

#include "controls/framework/controlservices.h"
#include "controls/framework/fillscope.h"
#include "controls/framework/hourglasscursor.h"
#include "controls/framework/timagelist.h"
#include "controls/shell/shelldata.h"
#include "controls/shell/shelllistitem.h"
#include "controls/shell/shellutils.h"
#include "controls/shell/shellviewwatch.h"
#include "controls/shell/tkxcustomshelltree.h"
#include "controls/shell/tkxdevicechangehandler.h"
#include "controls/shell/tkxfilemaskfilter.h"
#include "controls/shell/verbprompts.h"
#include "platform/nametext.h"

#include "platform/changenotification.h"
#include "platform/nametext.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHash>
#include <QDrag>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace {

// What every item is asked for before it is listed.
constexpr ShellAttributes kItemAttributeMask = SfgaoLink | SfgaoShare | SfgaoHidden |
                                               SfgaoRemovable | SfgaoFolder | SfgaoFileSystem |
                                               SfgaoFileSysAncestor | SfgaoStream;
static_assert(kItemAttributeMask == 0x724B0000, "the attributes an item is tested with");

const QEvent::Type kFillEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// The column widths that every shell list starts with: those of the last list that went.
QList<int> &SharedColumnWidths() {
    static QList<int> widths;
    return widths;
}

// Changes on network file systems are not always notified, so the list refreshes itself.
bool IsNetworkPath(const QString &path) {
    return !path.isEmpty() && IsNetworkDriveConnected(path);
}

} // namespace

TKxCustomShellList::TKxCustomShellList(QWidget *parent)
    : TKxCustomListView(parent) {
    SetLastColumnFills(false);
    m_folder.OnChange = [this](TKxShellLocator *) { folderChanged(); };
    m_watch = std::make_unique<ShellViewWatch>(
        this, [this] { Refresh(); }, [this] { return IsEditing(); });
    m_watch->OnNotice = [this](const QString &text) { ShowWarning(text); };
    connect(this, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem *item) { CallGuarded([&] { itemTextEdited(item); }); });
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setRootIsDecorated(false);
    // Every item is one line high, so the view lays out big folders without measuring them.
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::SelectedClicked);
    setHeaderHidden(false);
    setupColumns();
    updateDragMode();
    TKxDeviceChangeHandler::Instance().Register(
        this, [this](TKxDeviceChangeHandler *, TKxDeviceChangeHandler::DeviceChange change) {
            if (change == TKxDeviceChangeHandler::DeviceArrival ||
                change == TKxDeviceChangeHandler::DeviceRemoveComplete)
                DeviceChanged();
        });
}

TKxCustomShellList::~TKxCustomShellList() {
    TKxDeviceChangeHandler::Instance().Unregister(this);
    SetShellTree(nullptr);
    m_watch->Stop();
    disconnect(this, nullptr, this, nullptr);
    saveColumnWidths();
    // Whoever handles the events may be gone already (a form's members die before its child
    // widgets), so the list's own destruction deletes its items without OnDeleteItem.
    OnDeleteItem = nullptr;
    clearItems();
}

void TKxCustomShellList::SetOptions(TKxShellListOptions options) {
    if (m_options == options)
        return;
    m_options = options;
    updateDragMode();
    if (!(options & sloDynamicRefresh))
        m_watch->Stop();
}

void TKxCustomShellList::SetSmallImages(TImageList *images) {
    if (m_smallImages == images)
        return;
    m_smallImages = images;
    viewport()->update();
}

TKxCustomShellTree *TKxCustomShellList::ShellTree() const {
    return m_shellTree;
}

void TKxCustomShellList::SetShellTree(TKxCustomShellTree *tree) {
    if (m_shellTree == tree)
        return;
    TKxCustomShellTree *old = m_shellTree;
    m_shellTree = tree;
    // Each side keeps its own link and tells the other through its setter.
    if (old != nullptr && old->ShellList() == this)
        old->SetShellList(nullptr);
    if (tree != nullptr)
        tree->SetShellList(this);
}

void TKxCustomShellList::updateDragMode() {
    setDragEnabled(m_options & sloOleDrag);
    setAcceptDrops(m_options & sloOleDrop);
    viewport()->setAcceptDrops(m_options & sloOleDrop);
    setDragDropMode((m_options & (sloOleDrag | sloOleDrop)) ? QAbstractItemView::DragDrop
                                                            : QAbstractItemView::NoDragDrop);
}

void TKxCustomShellList::SetFileFilter(const QString &filter) {
    if (m_fileFilter == filter)
        return;
    m_fileFilter = filter;
    if (m_filled)
        CallGuarded([&] { Fill(); });
}

void TKxCustomShellList::SetSortColumn(int column) {
    if (std::abs(column) > columnCount())
        column = kDefaultSortColumn;
    m_sortColumn = column;
    if (column == 0) {
        SetSortArrowColumn(-1);
    } else {
        // The shell's header arrow points down for the natural order, up for the reversed.
        SetSortArrowColumn(std::abs(column) - 1);
        SetSortDirection(column > 0 ? sdDescending : sdAscending);
    }
    sortItems();
}

void TKxCustomShellList::Loaded() {
    TKxCustomListView::Loaded();
    if ((m_options & sloAutoFill) && topLevelItemCount() == 0)
        QCoreApplication::postEvent(this, new QEvent(kFillEvent));
}

void TKxCustomShellList::setupColumns() {
    setColumnCount(kColumnCount);
    setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Type"),
                     QStringLiteral("Modified")});
    const int widths[kColumnCount] = {200, 60, 100, 120};
    const QList<int> &stored = SharedColumnWidths();
    for (int column = 0; column < kColumnCount; ++column)
        setColumnWidth(column, column < stored.size() ? stored[column] : widths[column]);
    headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    SetSortColumn(m_sortColumn);
}

void TKxCustomShellList::saveColumnWidths() const {
    QList<int> &stored = SharedColumnWidths();
    stored.clear();
    for (int column = 0; column < columnCount(); ++column)
        stored << columnWidth(column);
}

void TKxCustomShellList::Fill() {
    if (!m_watch->MayRefresh() || leaveGoneFolder())
        return;
    HourglassCursor hourglass;
    clearItems();
    ShellFolderPtr folder;
    const QByteArray list = CopyIdList(m_folder.FolderIdList());
    if (const int code = FolderOfIdList(list, folder); code != 0)
        RaiseVerbFailure(QStringLiteral("read"), {DisplayNameOfIdList(list)}, code);
    BuildFileFilter();
    FillItems(folder, list);
    ClearFileFilter();
    m_shownPath = TextToName(IdListToPath(m_folderIdList));
    m_filled = true;
    if (topLevelItemCount() > 0)
        setCurrentItem(topLevelItem(0), 0, QItemSelectionModel::NoUpdate);
    startWatching();
}

void TKxCustomShellList::FillItems(const ShellFolderPtr &folder, const QByteArray &absoluteIdList) {
    FillScope fill(this, OnFillStarting, OnFillFinished);
    const ShellFolderPtr previousFolder = m_shellFolder;
    const QByteArray previousList = m_folderIdList;
    m_shellFolder = folder;
    m_folderIdList = absoluteIdList;
    QList<QByteArray> items;
    if (folder->enumObjects(enumFlags(), items) != 0)
        return;
    try {
        // Made apart, sorted, then handed to the view at once.
        QList<QTreeWidgetItem *> made;
        made.reserve(items.size());
        for (const QByteArray &item : items) {
            if (ShellListItem *added = makeItem(folder, absoluteIdList, item))
                made << added;
        }
        if (m_sortColumn != 0)
            std::stable_sort(
                made.begin(), made.end(),
                [](const QTreeWidgetItem *a, const QTreeWidgetItem *b) { return *a < *b; });
        addTopLevelItems(made);
    } catch (...) {
        m_shellFolder = previousFolder;
        m_folderIdList = previousList;
        throw;
    }
}

ShellListItem *TKxCustomShellList::makeItem(const ShellFolderPtr &folder,
                                            const QByteArray &folderList, const QByteArray &item) {
    const ShellAttributes attributes = folder->attributesOf(item, kItemAttributeMask);
    if (!(m_options & sloVirtualFolders) &&
        !(attributes & (SfgaoFileSystem | SfgaoFileSysAncestor)))
        return nullptr;
    // The linked tree shows the file-system folders already.
    if ((m_options & sloHideFoldersOfTree) && m_shellTree != nullptr &&
        (attributes & SfgaoFolder) && (attributes & SfgaoFileSystem))
        return nullptr;
    if (!DoAddItem(folder.get(), folderList, attributes, item))
        return nullptr;
    auto *added =
        new ShellListItem(std::make_unique<TKxShellListData>(folder, folderList, item), this);
    added->SetOverlay(ShellOverlayOf(attributes));
    if (attributes & SfgaoHidden) {
        for (int column = 0; column < kColumnCount; ++column)
            added->setForeground(column, palette().brush(QPalette::Disabled, QPalette::Text));
    }
    added->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    return added;
}

int TKxCustomShellList::ItemSortColumn() const {
    return m_sortColumn;
}

QIcon TKxCustomShellList::ChosenItemImage(QTreeWidgetItem *item) const {
    // OnGetImageIndex comes first; an index below 1 takes the shell's icon.
    if (!OnGetImageIndex || m_smallImages == nullptr)
        return {};
    int index = 0;
    OnGetImageIndex(const_cast<TKxCustomShellList *>(this), item, index);
    if (index < 1 || index >= m_smallImages->Count())
        return {};
    QPixmap image(m_smallImages->Width(), m_smallImages->Height());
    image.fill(Qt::transparent);
    QPainter painter(&image);
    m_smallImages->Draw(painter, QPoint(0, 0), index, true);
    painter.end();
    return QIcon(image);
}

bool TKxCustomShellList::DoAddItem(ShellFolder *folder, const QByteArray &parentIdList,
                                   ShellAttributes attributes, const QByteArray &item) {
    if (m_filter != nullptr) {
        const QString name =
            QFileInfo(DisplayNameOf(folder, item, ShellNameKind::ForParsing)).fileName();
        if (!PassesFileFilter(name, attributes))
            return false;
    }
    bool allow = true;
    if (OnAddItem)
        OnAddItem(this, folder, parentIdList, item, attributes, allow);
    return allow;
}

void TKxCustomShellList::BuildFileFilter() {
    ClearFileFilter();
    const QString path = IdListToPath(m_folder.FolderIdList());
    const QString filter = m_fileFilter.trimmed();
    if (path.isEmpty() || filter.isEmpty() || filter == QLatin1String("*") ||
        filter == QLatin1String("*.*"))
        return;
    m_filter = std::make_unique<TKxFileMaskFilter>();
    const QString folder = IncludeTrailingChar(path, QLatin1Char('/'));
    for (const QString &mask : filter.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!m_filter->AddMask(folder + mask.trimmed()))
            break;
    }
}

bool TKxCustomShellList::PassesFileFilter(const QString &name, ShellAttributes attributes) {
    return IsBrowsableFolder(attributes, m_options & sloStreamsCountAsFolders) ||
           m_filter == nullptr || m_filter->Passes(name);
}

void TKxCustomShellList::ClearFileFilter() {
    m_filter.reset();
}

void TKxCustomShellList::Refresh() {

    if (topLevelItemCount() == 0 || m_shellFolder == nullptr) {
        Fill();
        return;
    }
    if (!m_watch->MayRefresh() || leaveGoneFolder())
        return;
    HourglassCursor hourglass;
    FillScope fill(this, OnFillStarting, OnFillFinished);
    BuildFileFilter();
    QList<QByteArray> items;
    if (m_shellFolder->enumObjects(enumFlags(), items) == 0) {
        // An item is the same entry exactly when its list has the same bytes.
        QHash<QByteArray, bool> fresh;
        fresh.reserve(items.size());
        for (const QByteArray &item : items)
            fresh.insert(item, false);
        QList<QTreeWidgetItem *> gone;
        bool changed = false;
        for (int i = 0; i < topLevelItemCount(); ++i) {
            QTreeWidgetItem *shown = topLevelItem(i);
            TKxShellListData *data = ShellDataOfItem(shown);
            if (data == nullptr)
                continue;
            const auto found = fresh.find(data->RelativeIdList());
            if (found == fresh.end()) {
                gone << shown;
                continue;
            }
            found.value() = true;
            changed |= static_cast<ShellListItem *>(shown)->ReadAgain();
        }
        for (QTreeWidgetItem *item : gone)
            deleteItem(item);
        QList<QTreeWidgetItem *> added;
        for (const QByteArray &item : items) {
            if (!fresh.value(item)) {
                if (ShellListItem *made = makeItem(m_shellFolder, m_folderIdList, item))
                    added << made;
            }
        }
        addTopLevelItems(added);
        // What left keeps the order; what came or changed takes its place.
        if (changed || !added.isEmpty())
            sortItems();
    }
    ClearFileFilter();
}

void TKxCustomShellList::GoUp(int levels) {
    if ((m_options & sloStayInFolder) || levels <= 0)
        return;
    if (m_shellTree != nullptr) {
        m_shellTree->SelectAncestor(levels);
        return;
    }
    const QByteArray list = CopyIdList(m_folder.FolderIdList());
    const int count = IdListElementCount(list);
    m_folder.SetIdList(IdListWithoutLast(list, std::min(levels, count)));
}

void TKxCustomShellList::OpenItem(QTreeWidgetItem *item) {
    TKxShellListData *data = ShellDataOfItem(item);
    if (data == nullptr)
        return;
    m_watch->RunDue();
    if (m_shellTree != nullptr)
        m_shellTree->RunDeferredRefresh();
    const bool streams = m_options & sloStreamsCountAsFolders;
    QByteArray target;
    if (data->IsBrowsableFolder(streams)) {
        target = data->AbsoluteIdList();
    } else if (QString linked; data->IsLink() && ReadShellLink(data->PathText(), linked) &&
                               QFileInfo(linked).isDir()) {
        PathToIdList(linked, target);
    }
    if (!target.isNull()) {
        if (m_options & sloStayInFolder)
            return;
        if (m_shellTree != nullptr)
            m_shellTree->SelectionLocator().SetIdList(target);
        else
            m_folder.SetIdList(target);
        return;
    }
    bool handled = false;
    if (OnItemOpening)
        OnItemOpening(this, item, handled);
    if (handled)
        return;
    const QList<QByteArray> items{data->RelativeIdList()};
    const QList<ShellVerb> verbs = m_shellFolder->verbsOf(items);
    if (!verbs.isEmpty()) {
        if (const int code = m_shellFolder->invokeVerb(items, verbs.first().verb); code != 0)
            RaiseVerbFailure(verbs.first().verb, {item->text(0)}, code);
    }
}

void TKxCustomShellList::OpenSelection() {
    const QList<QByteArray> items = selectedIdLists();
    if (items.size() == 1) {
        OpenItem(selectedShellItems().constFirst());
        return;
    }
    if (items.isEmpty() || m_shellFolder == nullptr)
        return;
    const QList<ShellVerb> verbs = m_shellFolder->verbsOf(items);
    if (!verbs.isEmpty()) {
        if (const int code = m_shellFolder->invokeVerb(items, verbs.first().verb); code != 0)
            RaiseVerbFailure(verbs.first().verb, selectedNames(), code);
    }
}

QList<QByteArray> TKxCustomShellList::selectedIdLists() const {
    QList<QByteArray> items;
    for (QTreeWidgetItem *item : selectedShellItems())
        items << ShellDataOfItem(item)->RelativeIdList();
    return items;
}

QList<QTreeWidgetItem *> TKxCustomShellList::selectedShellItems() const {
    QList<QTreeWidgetItem *> items;
    for (QTreeWidgetItem *item : selectedItems()) {
        if (ShellDataOfItem(item) != nullptr)
            items << item;
    }
    return items;
}

QStringList TKxCustomShellList::selectedNames() const {
    QStringList names;
    for (QTreeWidgetItem *item : selectedItems()) {
        if (TKxShellListData *data = ShellDataOfItem(item))
            names << data->DisplayName();
    }
    return names;
}

int TKxCustomShellList::InvokeVerbOnSelection(const QString &verb) {
    const QList<QByteArray> items = selectedIdLists();
    if (items.isEmpty() || m_shellFolder == nullptr)
        return ENOENT;
    const int code = InvokeShellVerb(*m_shellFolder, items, verb);
    if (IsNetworkPath(IdListToPath(m_folderIdList)))
        Refresh();
    return code;
}

void TKxCustomShellList::SelectAll() {
    const QSignalBlocker blocker(this);
    selectAll();
}

void TKxCustomShellList::deleteItem(QTreeWidgetItem *item) {
    if (OnDeleteItem)
        OnDeleteItem(this, item, ShellDataOfItem(item));
    m_captionEdit.Forget(item);
    delete item;
}

void TKxCustomShellList::clearItems() {
    // Each item is told of, then all go at once: the view is told once, not once per item.
    if (OnDeleteItem) {
        for (int i = topLevelItemCount() - 1; i >= 0; --i)
            OnDeleteItem(this, topLevelItem(i), ShellDataOfItem(topLevelItem(i)));
    }
    m_captionEdit.End();
    clear();
}

int TKxCustomShellList::enumFlags() const {
    int flags = ShcontfFolders | ShcontfNonFolders;
    if (m_options & sloShowHidden)
        flags |= ShcontfIncludeHidden;
    return flags;
}

void TKxCustomShellList::sortItems() {
    // The items order themselves by the sort column; the selection and a running edit stay.
    if (m_sortColumn != 0 && topLevelItemCount() > 1)
        invisibleRootItem()->sortChildren(0, Qt::AscendingOrder);
}

void TKxCustomShellList::ColumnClick(int column) {
    const int before = m_sortColumn;
    TKxCustomListView::ColumnClick(column);
    if (m_sortColumn != before)
        return;
    SetSortColumn(std::abs(m_sortColumn) == column + 1 ? -m_sortColumn : column + 1);
}

bool TKxCustomShellList::RefreshScheduled() const {
    return m_watch->state() == ShellViewWatch::State::Waiting;
}

bool TKxCustomShellList::leaveGoneFolder() {
    const QByteArray list = CopyIdList(m_folder.FolderIdList());
    // A folder that is gone has no path any more: the one shown keeps the path it had.
    QByteArray path = TextToName(IdListToPath(list));
    if (path.isEmpty() && list == m_folderIdList)
        path = m_shownPath;
    if (path.isEmpty() || !IsGoneFolder(path))
        return false;
    QByteArray above = list;
    ShellFolderPtr folder;
    do
        above = IdListWithoutLast(above, 1);
    while (IdListElementCount(above) > 0 && FolderOfIdList(above, folder) != 0);
    const QString gone = NameToDisplayText(path.mid(path.lastIndexOf('/') + 1));
    // Said once the list shows the folder it moved to, outside the refresh that found it.
    QTimer::singleShot(0, this, [this, gone, shown = DisplayNameOfIdList(above)] {
        ShowWarning(QStringLiteral("The folder \"%1\" no longer exists, so \"%2\" is shown.")
                        .arg(gone, shown));
    });
    m_folder.SetIdList(above);
    return true;
}

void TKxCustomShellList::ShowWarning(const QString &text) {
    QMessageBox::warning(window(), QCoreApplication::applicationName(), text);
}

void TKxCustomShellList::folderChanged() {
    CallGuarded([&] { Fill(); });
    if (OnFolderChanged)
        OnFolderChanged(this);
}

void TKxCustomShellList::DeviceChanged() {
    if (SpecialFolderOfIdList(m_folder.FolderIdList()) == kCsidlDrives)
        CallGuarded([&] { Fill(); });
    else if (!m_watch->Folders().isEmpty())
        CallGuarded([&] {
            // A file system mounted on or unmounted from the folder shows other entries, and
            // needs a watch of its own.
            Refresh();
            startWatching(true);
        });
}

bool TKxCustomShellList::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) {
    QTreeWidgetItem *item = itemFromIndex(index);
    TKxShellListData *data = ShellDataOfItem(item);
    if (data == nullptr || index.column() != 0 || m_readOnly || !data->CanRename())
        return false;
    return m_captionEdit.Start(item,
                               [&] { return TKxCustomListView::edit(index, trigger, event); });
}

void TKxCustomShellList::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) {
    TKxCustomListView::closeEditor(editor, hint);
    m_captionEdit.End();
    m_watch->RunDue();
}

void TKxCustomShellList::itemTextEdited(QTreeWidgetItem *item) {
    if (const std::optional<QString> text = m_captionEdit.TakeEditedText(item, this))
        RenameItem(item, *text);
}

bool TKxCustomShellList::RenameItem(QTreeWidgetItem *item, const QString &text) {
    TKxShellListData *data = ShellDataOfItem(item);
    if (data == nullptr || m_shellFolder == nullptr)
        return false;
    QString name = text.trimmed();
    if (OnEdited)
        OnEdited(this, item, name);
    if (name.isEmpty() || name == data->DisplayName())
        return false;
    int code = 0;
    {
        HourglassCursor hourglass;
        m_watch->IgnoreNextChange();
        QByteArray newItem;
        code = m_shellFolder->setNameOf(data->RelativeIdList(), name.left(kShellMaxNameLength),
                                        newItem);
        if (code == 0) {
            const QSignalBlocker blocker(this);
            if (!newItem.isEmpty())
                data->SetRelativeIdList(newItem);
            static_cast<ShellListItem *>(item)->ForgetTexts();
            sortItems();
        }
    }
    m_watch->RunDue();
    if (code != 0)
        RaiseVerbFailure(QStringLiteral("rename"), {data->DisplayName()}, code, name);
    return true;
}

QAction *TKxCustomShellList::TrackShellMenu(QMenu *menu, const QPoint &globalPos) {
    return menu->exec(globalPos);
}

void TKxCustomShellList::DoItemMenu(QTreeWidgetItem *item, QPoint &pos, QMenu *&menu) {
    TKxCustomListView::DoItemMenu(item, pos, menu);
    const QList<QByteArray> items = selectedIdLists();
    if (!(m_options & sloContextMenus) || items.isEmpty() || m_shellFolder == nullptr)
        return;
    menu = nullptr;
    QMenu shellMenu(this);
    AddShellVerbActions(shellMenu, m_shellFolder->verbsOf(items), m_readOnly);
    QAction *chosen = TrackShellMenu(&shellMenu, viewport()->mapToGlobal(pos));
    if (chosen == nullptr)
        return;
    const QString verb = chosen->data().toString();
    if (verb == QLatin1String("rename")) {
        edit(indexFromItem(currentItem()), QAbstractItemView::AllEditTriggers, nullptr);
        return;
    }
    const QStringList names = selectedNames();
    if (verb == QLatin1String("delete") && !ConfirmDelete(this, names))
        return;
    const int code = m_shellFolder->invokeVerb(items, verb);
    if (verb == QLatin1String("delete") || verb == QLatin1String("paste") ||
        IsNetworkPath(IdListToPath(m_folderIdList)))
        Refresh();
    if (code != 0)
        RaiseVerbFailure(verb, names, code);
}

void TKxCustomShellList::keyPressEvent(QKeyEvent *event) {
    if (!(m_options & sloDefaultKeyHandling) || IsEditing()) {
        TKxCustomListView::keyPressEvent(event);
        return;
    }
    const QKeySequence key(event->keyCombination());
    const ShellShortcuts &shortcuts = ShellViewShortcuts();
    bool handled = true;
    CallGuarded([&] {
        if (key == shortcuts.selectAll) {
            SelectAll();
        } else if (key == shortcuts.remove || key == shortcuts.shiftRemove) {
            const QStringList names = selectedNames();
            if (names.isEmpty() || !ConfirmDelete(this, names))
                return;
            const int code = InvokeVerbOnSelection(QStringLiteral("delete"));
            Refresh();
            if (code != 0)
                RaiseVerbFailure(QStringLiteral("delete"), names, code);
        } else if (key == shortcuts.copy || key == shortcuts.cut) {
            const QString verb =
                key == shortcuts.copy ? QStringLiteral("copy") : QStringLiteral("cut");
            if (const int code = InvokeVerbOnSelection(verb); code != 0 && code != ENOENT)
                RaiseVerbFailure(verb, selectedNames(), code);
        } else if (key == shortcuts.paste) {
            ShellFolderPtr parent;
            QByteArray self;
            int code = ENOENT;
            if (ParentFolderOfIdList(m_folderIdList, parent, self) == 0)
                code = parent->invokeVerb({self}, QStringLiteral("paste"));
            Refresh();
            if (code != 0)
                RaiseVerbFailure(QStringLiteral("paste"), {DisplayNameOfIdList(m_folderIdList)},
                                 code);
        } else if (key == shortcuts.refresh) {
            Fill();
        } else if (key == shortcuts.rename) {
            edit(indexFromItem(currentItem()), QAbstractItemView::AllEditTriggers, nullptr);
        } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                   claimsEnter()) {
            OpenSelection();
        } else if (event->key() == Qt::Key_Backspace) {
            GoUp(1);
        } else {
            handled = false;
        }
    });
    if (handled)
        event->accept();
    else
        TKxCustomListView::keyPressEvent(event);
}

bool TKxCustomShellList::claimsEnter() const {
    if (qobject_cast<const QDialog *>(window()) == nullptr)
        return true;
    const QList<QTreeWidgetItem *> selected = selectedShellItems();
    return !selected.isEmpty() && ShellDataOfItem(selected.constFirst())
                                      ->IsBrowsableFolder(m_options & sloStreamsCountAsFolders);
}

void TKxCustomShellList::wheelEvent(QWheelEvent *event) {
    ScrollShellViewByWheel(*this, *event);
}

void TKxCustomShellList::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) {
        if (QTreeWidgetItem *item = itemAt(event->position().toPoint())) {
            CallGuarded([&] { OpenItem(item); });
            return;
        }
    }
    TKxCustomListView::mouseDoubleClickEvent(event);
}

void TKxCustomShellList::startDrag(Qt::DropActions) {
    const QList<QByteArray> items = selectedIdLists();
    if (!(m_options & sloOleDrag) || items.isEmpty() || m_shellFolder == nullptr)
        return;
    ShellAttributes effects = kDragEffectMask;
    for (const QByteArray &item : items)
        effects &= m_shellFolder->attributesOf(item, kDragEffectMask);
    auto *drag = new QDrag(this);
    drag->setMimeData(CreateShellMimeData(m_folderIdList, items));
    Qt::DropAction result = Qt::IgnoreAction;
    {
        const ShellViewWatch::Scope dragging(*m_watch, ShellViewWatch::Hold::RefreshAndChanges);
        result = drag->exec(DropActionsOf(effects));
    }
    if (result != Qt::IgnoreAction || m_watch->state() == ShellViewWatch::State::HeldDue)
        CallGuarded([&] { Refresh(); });
}

QString TKxCustomShellList::dropFolderAt(const QPoint &pos, bool ownDrag) const {
    if (TKxShellListData *data = ShellDataOfItem(itemAt(pos));
        data != nullptr && data->IsBrowsableFolder(m_options & sloStreamsCountAsFolders))
        return data->PathText();
    // The list's own items dropped beside themselves stay where they are.
    return ownDrag ? QString() : IdListToPath(m_folderIdList);
}

void TKxCustomShellList::dragEnterEvent(QDragEnterEvent *event) {
    EnterShellDrag(*event, m_options & sloOleDrop);
}

void TKxCustomShellList::dragMoveEvent(QDragMoveEvent *event) {
    const QString folder = dropFolderAt(event->position().toPoint(), event->source() == this);
    const Qt::DropAction action = DropActionOf(*event, folder);
    if (!(m_options & sloOleDrop) || action == Qt::IgnoreAction || folder.isEmpty()) {
        event->ignore();
        return;
    }
    TKxCustomListView::dragMoveEvent(event);
    event->setDropAction(action);
    event->accept();
}

void TKxCustomShellList::dropEvent(QDropEvent *event) {
    const QString folder = dropFolderAt(event->position().toPoint(), event->source() == this);
    const Qt::DropAction action = DropActionOf(*event, folder);
    if (!(m_options & sloOleDrop) || action == Qt::IgnoreAction || folder.isEmpty() ||
        DroppedPaths(*event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    CallGuarded([&] {
        const int code = TransferDrop(*event->mimeData(), folder, action);
        Refresh();
        if (code != 0)
            RaiseVerbFailure(QStringLiteral("drop"), {PathToDisplayText(TextToName(folder))}, code);
    });
    event->setDropAction(action);
    event->accept();
}

void TKxCustomShellList::startWatching(bool force) {
    if (!(m_options & sloDynamicRefresh))
        return;
    const QByteArray &path = m_shownPath;
    m_watch->Watch(path.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{path},
                   ChangeFileName | ChangeDirName, force);
}

void TKxCustomShellList::customEvent(QEvent *event) {
    if (event->type() == kFillEvent) {
        if (topLevelItemCount() == 0)
            CallGuarded([&] { Fill(); });
        return;
    }
    TKxCustomListView::customEvent(event);
}

void TKxCustomShellList::showEvent(QShowEvent *event) {
    TKxCustomListView::showEvent(event);
    if ((m_options & sloAutoFill) && topLevelItemCount() == 0)
        QCoreApplication::postEvent(this, new QEvent(kFillEvent));
}
