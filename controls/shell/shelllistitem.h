#pragma once

#include "controls/shell/tkxshelllistdata.h"
#include "platform/shellsortkey.h"

#include <QIcon>
#include <QTreeWidgetItem>

#include <memory>
#include <optional>

// What an item of the shell list asks of the list that shows it.
class ShellListItemOwner {
public:
    // Column number from 1, negative for the reversed order, 0 for the order of enumeration.
    virtual int ItemSortColumn() const = 0;
    // The image the list chooses for the item (OnGetImageIndex); null for the shell's icon.
    virtual QIcon ChosenItemImage(QTreeWidgetItem *item) const = 0;

protected:
    ~ShellListItemOwner() = default;
};

// An item of the shell list: owns its shell data, keeps what it sorts by (read once), and asks
// its data for the detail texts and the icon when they are first shown.
class ShellListItem : public QTreeWidgetItem {
public:
    static constexpr int kType = QTreeWidgetItem::UserType + 2;

    ShellListItem(std::unique_ptr<TKxShellListData> data, const ShellListItemOwner *owner);

    TKxShellListData *Data() const { return m_data.get(); }
    // After a rename: the caption, details and sort keys are asked again.
    void ForgetTexts();
    // After its folder was listed again: the sort keys are read again, and the details when
    // the item changed; whether it changed.
    bool ReadAgain();
    // The overlay drawn over the icon (kShellOverlayNone for none).
    void SetOverlay(int overlay) {
        m_overlay = overlay;
        m_iconValid = false;
    }

    QVariant data(int column, int role) const override;
    // The order of the list's sort column (from 1, negative reversed) by the folder's own
    // order of the two items, the Type column by the description it shows; 0 keeps the order of
    // enumeration, as do items without shell data.
    bool operator<(const QTreeWidgetItem &other) const override;

private:
    std::unique_ptr<TKxShellListData> m_data;
    const ShellListItemOwner *m_owner = nullptr;
    std::optional<ShellSortKey> m_key;
    mutable QIcon m_icon;
    mutable bool m_iconValid = false;
    int m_overlay = -1;
};

// The shell data of an item; null for an item without it.
TKxShellListData *ShellDataOfItem(const QTreeWidgetItem *item);
