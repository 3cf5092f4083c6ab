#pragma once

#include "controls/shell/tkxshelltreedata.h"
#include "platform/shellsortkey.h"

#include <QTreeWidgetItem>

#include <memory>
#include <optional>

// A node of the shell tree: owns its shell data and takes its icons from the shell when it is
// first painted (the open form for the selected state).
class ShellTreeNode : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 1;

    explicit ShellTreeNode(std::unique_ptr<TKxShellTreeData> data);

    TKxShellTreeData *Data() const { return m_data.get(); }
    // The expand button, shown before the children are enumerated.
    bool HasChildrenFlag() const;
    void SetHasChildrenFlag(bool value);
    // Collapsed after its children were read: they are no longer watched, so the next
    // expansion reads them again.
    bool ChildrenStale() const { return m_childrenStale; }
    void SetChildrenStale(bool value) { m_childrenStale = value; }
    // Drops the cached icon and sort keys so they are asked again (after a rename).
    void ForgetIcon() {
        m_iconValid = false;
        m_keyRead = false;
    }
    // The overlay drawn over the icon (kShellOverlayNone for none).
    void SetOverlay(int overlay) {
        m_overlay = overlay;
        m_iconValid = false;
    }

    QVariant data(int column, int role) const override;
    // The parent folder's order of the two items, by the keys read once when first compared;
    // nodes without shell data compare equal.
    bool operator<(const QTreeWidgetItem &other) const override;

private:
    const std::optional<ShellSortKey> &sortKey() const;

    std::unique_ptr<TKxShellTreeData> m_data;
    mutable QIcon m_icon;
    mutable bool m_iconValid = false;
    int m_overlay = -1;
    bool m_childrenStale = false;
    mutable std::optional<ShellSortKey> m_key;
    mutable bool m_keyRead = false;
};

// The shell data of a node; null for a node without it.
TKxShellTreeData *ShellDataOf(const QTreeWidgetItem *node);
