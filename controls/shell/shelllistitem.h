#pragma once

#include "controls/shell/tkxshelllistdata.h"

#include <QTreeWidgetItem>

#include <memory>

// An item of the shell list: owns its shell data, and asks it for the detail texts and the
// icon when they are first shown.
class ShellListItem : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 2;

    explicit ShellListItem(std::unique_ptr<TKxShellListData> data);

    TKxShellListData *Data() const { return m_data.get(); }
    // After a rename: the caption and details are asked again.
    void ForgetTexts();
    // The overlay drawn over the icon (kShellOverlayNone for none).
    void SetOverlay(int overlay) {
        m_overlay = overlay;
        m_iconValid = false;
    }

    QVariant data(int column, int role) const override;
    // The order of the list's sort column (from 1, negative reversed) by the folder's own
    // comparison, the Type column by the description it shows; 0 keeps the order of
    // enumeration, as do items without shell data.
    bool operator<(const QTreeWidgetItem &other) const override;

private:
    std::unique_ptr<TKxShellListData> m_data;
    mutable QIcon m_icon;
    mutable bool m_iconValid = false;
    int m_overlay = -1;
};

// The shell data of an item; null for an item without it.
TKxShellListData *ShellDataOfItem(const QTreeWidgetItem *item);
