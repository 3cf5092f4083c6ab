#pragma once

#include "controls/framed/tkxcustomtreeview.h"
#include "controls/shell/captionedit.h"
#include "controls/shell/shelldata.h"
#include "controls/shell/tkxshelllocator.h"

#include "platform/shellfolder.h"

#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class ShellTreeNode;
class ShellViewWatch;
class TKxCustomShellList;
class TKxShellTreeData;

enum TKxShellTreeOption : std::uint16_t {
    stoAutoFill = 1 << 0,
    stoVirtualFolders = 1 << 1,
    stoDesignInteractive = 1 << 2,
    stoDefaultKeyHandling = 1 << 3,
    stoContextMenus = 1 << 4,
    stoDynamicRefresh = 1 << 5,
    stoIncludeNonFolders = 1 << 6,
    stoOleDrag = 1 << 7,
    stoOleDrop = 1 << 8,
    stoShowHidden = 1 << 9,
};
using TKxShellTreeOptions = std::uint16_t;
inline constexpr TKxShellTreeOptions kDefaultShellTreeOptions = 955;
static_assert(kDefaultShellTreeOptions ==
                  (stoAutoFill | stoVirtualFolders | stoDefaultKeyHandling | stoContextMenus |
                   stoDynamicRefresh | stoOleDrag | stoOleDrop | stoShowHidden),
              "the default is every option but design interaction and non-folders");

using TKxShTreeDeleteItemEvent =
    std::function<void(QObject *sender, QTreeWidgetItem *node, TKxShellTreeData *data)>;
using TKxShTreeInsertItemEvent = std::function<void(QObject *sender, QTreeWidgetItem *node)>;
using TKxShPopupHintEvent = std::function<void(QObject *sender, const QString &hint)>;
using TKxTvChangedEvent = std::function<void(QObject *sender, QTreeWidgetItem *node)>;

// The shell namespace (desktop, Home, Computer, folders, optionally files) as a framed tree,
// filled as nodes expand, with rename in place, the shell's verbs as context menu, keyboard
// commands, drag and drop of items and refresh on folder and device changes.
class TKxCustomShellTree : public TKxCustomTreeView {
    Q_OBJECT

public:
    explicit TKxCustomShellTree(QWidget *parent = nullptr);
    ~TKxCustomShellTree() override;

    // The root of the tree; an empty locator is the desktop.
    TKxShellLocator &BaseFolder() { return m_baseFolder; }
    // The selected folder; setting it selects that folder.
    TKxShellLocator &SelectionLocator() { return m_selectionLocator; }
    TKxShellTreeOptions Options() const { return m_options; }
    void SetOptions(TKxShellTreeOptions options);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    // The list view kept on the selected folder; linked both ways, unlinked when either goes.
    TKxCustomShellList *ShellList() const;
    void SetShellList(TKxCustomShellList *list);

    void FillTree();
    void RefreshNodes();
    // A refresh held off by a drag, a menu or a name edit runs now.
    void RunDeferredRefresh();
    // Creates a folder under the selected one and starts editing its name.
    bool CreateNewFolder();
    // 0 on success, 1 for a node that has no verbs (the root or a node without shell data),
    // else the errno code of the verb.
    int InvokeNodeVerb(QTreeWidgetItem *node, const QString &verb);
    // A verb the operator chose for a node, from a key, the context menu or a button: "delete"
    // asks first, and a failure is raised with its reason.
    void InvokeVerbAsked(QTreeWidgetItem *node, const QString &verb);
    // The path of the selected node; empty when none is selected or it is virtual.
    QString SelectedFolderPath() const;
    // Selects the ancestor of the selected node the given number of levels up.
    void SelectAncestor(int levels);
    // A node's name is being edited.
    bool IsEditing() const { return state() == QAbstractItemView::EditingState; }
    // Starts editing the node's name when it may be renamed.
    bool EditNodeName(QTreeWidgetItem *node);
    // Ends a name edit: the trimmed text through OnEdited, then the rename (never over an
    // existing name). False when the item kept its name.
    bool RenameNode(QTreeWidgetItem *node, const QString &text);
    // The node with the given absolute list, searched among the nodes already made.
    QTreeWidgetItem *FindNode(const QByteArray &absoluteIdList) const;

    void Loaded() override;

    TKxShAddItemEvent OnAddItem;
    TKxShTreeDeleteItemEvent OnDeleteItem;
    TKxShTreeInsertItemEvent OnInsertItem;
    TNotifyEvent OnFillStart;
    TNotifyEvent OnFillComplete;
    TKxShPopupHintEvent OnPopupHint;
    TKxTvChangedEvent OnChange;
    // May change the new name before the rename.
    std::function<void(QObject *sender, QTreeWidgetItem *node, QString &text)> OnEdited;

protected:
    // Adds the item below parentNode (the root when null); 0 or an errno code.
    virtual int AddShellNode(const ShellFolderPtr &folder, const QByteArray &parentIdList,
                             const QByteArray &item, QTreeWidgetItem *parentNode);
    // Fires OnAddItem; true lets the item in.
    virtual bool DoAddItem(ShellFolder *folder, const QByteArray &parentIdList,
                           ShellAttributes attributes, const QByteArray &item);
    virtual void DeviceChanged();
    // Enumerates the folder into the node's children; a null node adds the root first.
    virtual void FillChildNodes(const ShellFolderPtr &folder, QTreeWidgetItem *node);
    // Shows the shell's menu and answers the chosen action (null when none); tests choose
    // instead.
    virtual QAction *TrackShellMenu(QMenu *menu, const QPoint &globalPos);
    // A warning box with OK only; tests record the text instead.
    virtual void ShowWarning(const QString &text);
    // A refresh waits for the delay after a change; the linked list's update waits for the
    // keyboard to pause.
    bool RefreshScheduled() const;
    bool SelectionScheduled() const { return m_selectionTimer.isActive(); }
    // Where the tree watches its folders and schedules its refreshes.
    ShellViewWatch &Watch() const { return *m_watch; }
    // The folders watched for changes: those whose nodes are expanded, each once, in the order
    // of the tree.
    QStringList WatchedFolders() const;

    void DoNodeContextMenu(QTreeWidgetItem *node, QPoint &pos, QMenu *&menu) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void KeyDown(QKeyEvent &event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void customEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    ShellTreeNode *rootNode() const;
    ShellTreeNode *newNode(std::unique_ptr<TKxShellTreeData> data, QTreeWidgetItem *parentNode);
    // A node expands: its children are read the first time, and read again after a collapse.
    void fillNode(QTreeWidgetItem *node);
    // Reads the filled folders at and below the node again; the selection stays, or moves to
    // the parent of a folder that went.
    void refreshSubtree(ShellTreeNode *node);
    void sortChildren(QTreeWidgetItem *node);
    // Tells of the node and its subtree going (OnDeleteItem, children first).
    void forgetNodes(QTreeWidgetItem *node);
    void deleteNode(QTreeWidgetItem *node);
    void clearNodes();
    void refreshNode(ShellTreeNode *node, QTreeWidgetItem *&selected);
    // Whether a node with these attributes shows an expand button.
    bool childrenFlagOf(ShellAttributes attributes) const;
    int enumFlags() const;
    void selectPath(const QByteArray &target);
    // Selects the node as the tree's own choice: the linked list follows at once.
    void selectNode(QTreeWidgetItem *node);
    // The selection moved to the node: the linked list follows, at once or, for the keyboard's
    // steps through the nodes, when they pause.
    void followSelection(QTreeWidgetItem *node, bool now);
    void baseFolderChanged();
    void selectionLocatorChanged();
    void currentNodeChanged(QTreeWidgetItem *current);
    // The linked list takes the selected folder.
    void updateLinkedList();
    void nodeTextEdited(QTreeWidgetItem *node);
    void updateDragMode();
    // Watches the folders of the expanded nodes; forced after a mount, where the same path is
    // another folder.
    void startWatching(bool force = false);
    bool dropOnNode(QTreeWidgetItem *node, const QMimeData *data, Qt::DropAction action);

    TKxShellLocator m_baseFolder;
    TKxShellLocator m_selectionLocator;
    TKxShellTreeOptions m_options = kDefaultShellTreeOptions;
    bool m_readOnly = false;
    QTimer m_selectionTimer;
    std::unique_ptr<ShellViewWatch> m_watch;
    int m_ignoreChanges = 0;
    bool m_settingSelection = false;
    CaptionEdit m_captionEdit;
    QTreeWidgetItem *m_lastAdded = nullptr;
    QPointer<TKxCustomShellList> m_shellList;
};
