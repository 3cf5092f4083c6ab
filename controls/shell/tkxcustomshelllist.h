#pragma once

#include "controls/framed/tkxcustomlistview.h"
#include "controls/framework/timagelist.h"
#include "controls/shell/captionedit.h"
#include "controls/shell/shelldata.h"
#include "controls/shell/shelllistitem.h"
#include "controls/shell/tkxshelllocator.h"

#include "platform/shellfolder.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>

class ShellViewWatch;
class TKxCustomShellTree;
class TKxFileMaskFilter;
class TKxShellListData;

enum TKxShellListOption : std::uint16_t {
    sloAutoFill = 1 << 0,
    sloVirtualFolders = 1 << 1,
    sloDesignInteractive = 1 << 2,
    sloDefaultKeyHandling = 1 << 3,
    sloContextMenus = 1 << 4,
    sloStayInFolder = 1 << 5,
    sloDynamicRefresh = 1 << 7,
    sloHideFoldersOfTree = 1 << 8,
    sloOleDrag = 1 << 9,
    sloOleDrop = 1 << 10,
    sloShowHidden = 1 << 12,
    sloStreamsCountAsFolders = 1 << 13,
};
using TKxShellListOptions = std::uint16_t;
// Bit 11 is part of the default though the list gives it no effect.
inline constexpr TKxShellListOptions kDefaultShellListOptions = 0x3E9B;
static_assert(kDefaultShellListOptions ==
                  (sloAutoFill | sloVirtualFolders | sloDefaultKeyHandling | sloContextMenus |
                   sloDynamicRefresh | sloOleDrag | sloOleDrop | (1 << 11) | sloShowHidden |
                   sloStreamsCountAsFolders),
              "the default list options");

using TKxShListDeleteItemEvent =
    std::function<void(QObject *sender, QTreeWidgetItem *item, TKxShellListData *data)>;
// The image of an item's icon: an index from 1 into the list's SmallImages, else the shell's.
using TKxLvGetImageIndexEvent =
    std::function<void(QObject *sender, QTreeWidgetItem *item, int &imageIndex)>;
using TKxShItemOpeningEvent =
    std::function<void(QObject *sender, QTreeWidgetItem *item, bool &handled)>;

// The contents of one shell folder as a framed list view with the detail columns Name, Size,
// Type and Modified, sorted by the folder's own comparison, with system icons, rename in place,
// the shell's verbs, opening and leaving folders and refresh on folder changes.
class TKxCustomShellList : public TKxCustomListView, private ShellListItemOwner {
    Q_OBJECT

public:
    static constexpr int kDefaultSortColumn = 1;
    static constexpr int kColumnCount = 4;

    explicit TKxCustomShellList(QWidget *parent = nullptr);
    ~TKxCustomShellList() override;

    // The folder shown; a change reloads the list.
    TKxShellLocator &Folder() { return m_folder; }
    TKxShellListOptions Options() const { return m_options; }
    void SetOptions(TKxShellListOptions options);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    // The masks a file must match to be listed ("*.conf;*.ini"); empty, "*" or "*.*" for all.
    QString FileFilter() const { return m_fileFilter; }
    void SetFileFilter(const QString &filter);
    // Column number from 1, negative for the reversed order, 0 for the order of enumeration.
    int SortColumn() const { return m_sortColumn; }
    void SetSortColumn(int column);
    // The images that OnGetImageIndex chooses from (not owned); none by default.
    TImageList *SmallImages() const { return m_smallImages; }
    void SetSmallImages(TImageList *images);
    // Leaving out the folders that a linked tree shows, the list has the tree open the selected
    // folder to show them.
    bool WantsTreeSelectionExpanded() const { return m_options & sloHideFoldersOfTree; }
    // The tree that the list follows; linked both ways (TKxCustomShellTree::SetShellList).
    TKxCustomShellTree *ShellTree() const;
    void SetShellTree(TKxCustomShellTree *tree);

    void Fill();
    void Refresh();
    // Leaves the folder for the one the given number of levels up (never above the desktop).
    void GoUp(int levels);
    // Enters a folder item; another item runs its default verb unless OnItemOpening handled it.
    void OpenItem(QTreeWidgetItem *item);
    // One selected item opens; several run the default verb that they share.
    void OpenSelection();
    // 0, or the errno code of the verb on the selected items.
    int InvokeVerbOnSelection(const QString &verb);
    // Renames an item (never over an existing name); false when it kept its name.
    bool RenameItem(QTreeWidgetItem *item, const QString &text);
    bool IsEditing() const { return state() == QAbstractItemView::EditingState; }
    void SelectAll();

    void Loaded() override;

    TNotifyEvent OnFolderChanged;
    TKxShAddItemEvent OnAddItem;
    TKxShListDeleteItemEvent OnDeleteItem;
    TKxShItemOpeningEvent OnItemOpening;
    TNotifyEvent OnFillStarting;
    TNotifyEvent OnFillFinished;
    std::function<void(QObject *sender, QTreeWidgetItem *item, QString &text)> OnEdited;
    TKxLvGetImageIndexEvent OnGetImageIndex;

protected:
    // Lets an item of the folder in: the filter, then OnAddItem.
    virtual bool DoAddItem(ShellFolder *folder, const QByteArray &parentIdList,
                           ShellAttributes attributes, const QByteArray &item);
    virtual void DeviceChanged();
    // Lists the folder into the view, in the order of the sort column.
    virtual void FillItems(const ShellFolderPtr &folder, const QByteArray &absoluteIdList);
    virtual void BuildFileFilter();
    virtual bool PassesFileFilter(const QString &name, ShellAttributes attributes);
    virtual void ClearFileFilter();
    // Shows the shell's menu and answers the chosen action; tests choose instead.
    virtual QAction *TrackShellMenu(QMenu *menu, const QPoint &globalPos);
    // A refresh waits for the delay after a change.
    bool RefreshScheduled() const;
    // Where the list watches its folder and schedules its refreshes.
    ShellViewWatch &Watch() const { return *m_watch; }
    // A box that tells the operator what happened (the folder shown went away); tests record
    // the text instead.
    virtual void ShowWarning(const QString &text);

    void DoItemMenu(QTreeWidgetItem *item, QPoint &pos, QMenu *&menu) override;
    void ColumnClick(int column) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void customEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The columns, as wide as the last shell list had them (the defaults for the first).
    void setupColumns();
    void saveColumnWidths() const;
    void updateDragMode();
    // The folder a drop at the point goes into: a folder item under it, else the list's own
    // folder; empty when there is none (the list's own items dragged over empty space).
    QString dropFolderAt(const QPoint &pos, bool ownDrag) const;
    // The relative lists of the selected items.
    QList<QByteArray> selectedIdLists() const;
    // The display names of the selected items.
    QStringList selectedNames() const;
    // The item, not yet in the list, when it passes; null when it is left out.
    ShellListItem *makeItem(const ShellFolderPtr &folder, const QByteArray &folderList,
                            const QByteArray &item);
    int ItemSortColumn() const override;
    QIcon ChosenItemImage(QTreeWidgetItem *item) const override;
    void deleteItem(QTreeWidgetItem *item);
    void clearItems();
    int enumFlags() const;
    void sortItems();
    void folderChanged();
    void itemTextEdited(QTreeWidgetItem *item);
    QList<QTreeWidgetItem *> selectedShellItems() const;
    // In a dialog, Enter belongs to its default button unless the selected item is a folder.
    bool claimsEnter() const;
    void startWatching(bool force = false);
    // The folder shown is gone: the list moves to the nearest folder above it that still
    // exists and says why. False while the folder is there.
    bool leaveGoneFolder();

    TKxShellLocator m_folder;
    ShellFolderPtr m_shellFolder;
    QByteArray m_folderIdList;
    QByteArray m_shownPath; // raw; empty for a virtual folder
    TKxShellListOptions m_options = kDefaultShellListOptions;
    bool m_readOnly = false;
    QString m_fileFilter;
    std::unique_ptr<TKxFileMaskFilter> m_filter;
    int m_sortColumn = kDefaultSortColumn;
    std::unique_ptr<ShellViewWatch> m_watch;
    bool m_filled = false;
    CaptionEdit m_captionEdit;
    QPointer<TKxCustomShellTree> m_shellTree;
    QPointer<TImageList> m_smallImages;
};
