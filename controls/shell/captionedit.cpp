#include "controls/shell/captionedit.h"

#include <QSignalBlocker>
#include <QTreeWidgetItem>

bool CaptionEdit::Start(QTreeWidgetItem *item, const std::function<bool()> &openEditor) {
    // Changing the flags reports the item as changed; the edit's end is only awaited once the
    // flags are back, so those reports are not taken for it.
    m_item = nullptr;
    m_oldText = item->text(0);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    const bool started = openEditor();
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    if (started)
        m_item = item;
    return started;
}

std::optional<QString> CaptionEdit::TakeEditedText(QTreeWidgetItem *item, QObject *view) {
    if (item == nullptr || item != m_item || item->text(0) == m_oldText)
        return std::nullopt;
    m_item = nullptr;
    const QString text = item->text(0);
    const QSignalBlocker blocker(view);
    item->setText(0, m_oldText);
    return text;
}
