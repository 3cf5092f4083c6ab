#pragma once

#include <QString>

#include <functional>
#include <optional>

class QObject;
class QTreeWidgetItem;

// An edit of an item's caption in place: which item is being edited and the name it had. The
// edited text does not stay in the item; it goes to the rename, which decides what is shown.
class CaptionEdit {
public:
    // Opens the editor while the item is editable for a moment; whether it opened.
    bool Start(QTreeWidgetItem *item, const std::function<bool()> &openEditor);
    // The item's text changed: when that ends this edit, the item shows its old name again
    // (without the view's signals) and the edited text is answered.
    std::optional<QString> TakeEditedText(QTreeWidgetItem *item, QObject *view);
    // The editor closed.
    void End() { m_item = nullptr; }
    // The item is about to be deleted.
    void Forget(const QTreeWidgetItem *item) {
        if (item == m_item)
            m_item = nullptr;
    }

private:
    QTreeWidgetItem *m_item = nullptr;
    QString m_oldText;
};
