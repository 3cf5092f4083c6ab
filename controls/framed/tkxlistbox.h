#pragma once

#include "controls/framed/framedwidget.h"
#include "controls/framework/kxevents.h"

#include <QFont>
#include <QListWidget>
#include <QTimer>

#include <cstdint>

// The library's list box: framed painting and state colours, type-ahead search, hints for rows
// wider than the box, optional group header rows and a horizontal extent that follows the
// widest row. Rows are drawn by the control itself.
class QLabel;

class TKxListBox : public FramedWidget<QListWidget> {
    Q_OBJECT
    FRAMED_CONTROL_PROPERTIES

public:
    explicit TKxListBox(QWidget *parent = nullptr);
    ~TKxListBox() override;

    int AddListText(const QString &text);
    int ListTextIndex(const QString &text) const;
    virtual void SelectAllItems();

    int ItemIndex() const;
    void SetItemIndex(int index);
    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return m_extendedSelect; }
    void SetExtendedSelect(bool value);
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int value);

    bool BeepOnInvalidKey() const { return m_beepOnInvalidKey; }
    void SetBeepOnInvalidKey(bool value) { m_beepOnInvalidKey = value; }
    bool IncrementalSearch() const { return m_incrementalSearch; }
    void SetIncrementalSearch(bool value) { m_incrementalSearch = value; }
    bool TabOnEnter() const { return m_tabOnEnter; }
    void SetTabOnEnter(bool value) { m_tabOnEnter = value; }
    bool ShowItemHints() const { return m_showItemHints; }
    void SetShowItemHints(bool value) { m_showItemHints = value; }
    std::uint16_t HorzExtent() const { return m_horzExtent; }
    virtual void SetHorzExtent(std::uint16_t value);
    bool HorzScrollBar() const { return m_horzScrollBar; }
    virtual void SetHorzScrollBar(bool value);
    int OwnerDrawIndent() const { return m_ownerDrawIndent; }
    virtual void SetOwnerDrawIndent(int value);
    bool ShowGroups() const { return m_showGroups; }
    virtual void SetShowGroups(bool value);
    QString GroupPrefix() const { return m_groupPrefix; }
    virtual void SetGroupPrefix(const QString &value);
    TColor GroupColor() const { return m_groupColor; }
    virtual void SetGroupColor(TColor value);
    QFont GroupFont() const { return m_groupFont; }
    virtual void SetGroupFont(const QFont &value);
    TColor GroupFontColor() const { return m_groupFontColor; }
    void SetGroupFontColor(TColor value);
    bool UseGradients() const { return m_useGradients; }
    virtual void SetUseGradients(bool value);

    virtual int FindPrefixItem(const QString &text) const;
    virtual bool IsGroupRow(int index) const;
    virtual int FindGroupRowAbove(int index) const;
    virtual bool HasGroupRowAbove(int index) const;
    virtual int GroupRowOrdinal(int index) const;
    virtual void FitItemHeight();
    virtual void FitHorzExtent();
    QString SearchText() const { return m_searchText; }

    void Loaded() override;

    // Draws one row; called by the row delegate.
    void PaintRow(QPainter &painter, const QRect &rect, int row, QStyle::State state);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnMatch;
    TNotifyEvent OnDeleteItems;
    TDrawItemEvent OnDrawItem;

protected:
    virtual int ItemIndentValue() const;
    virtual void DrawListItem(QPainter &painter, int index, const QRect &rect, QStyle::State state);
    virtual void DrawGroupRow(QPainter &painter, int index, const QRect &rect, QStyle::State state);
    virtual void DefaultDrawListItem(QPainter &painter, int index, const QRect &rect);
    virtual void Click();
    // The search timer ran out: the search string is forgotten unless a key is being handled.
    virtual void SearchTimerExpired();

    bool viewportEvent(QEvent *event) override;
    // The item hint passes the mouse on to the row under it.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void KeyDown(QKeyEvent &event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QStringList RowTexts() const;
    void MatchStep(const QString &candidate);
    // Handles a character of the type-ahead search; false passes it to the list itself.
    bool HandleSearchChar(QChar ch);
    void UpdateSelectionMode();
    void RowsChanged();
    void UpdateItemHint(const QPoint &position);
    void HideItemHint();

    bool m_multiSelect = false;
    bool m_extendedSelect = true;
    int m_itemHeight = 16;
    bool m_beepOnInvalidKey = true;
    bool m_incrementalSearch = true;
    bool m_tabOnEnter = false;
    bool m_showItemHints = true;
    std::uint16_t m_horzExtent = 0;
    bool m_horzScrollBar = false;
    int m_ownerDrawIndent = 0;
    bool m_showGroups = false;
    QString m_groupPrefix = QStringLiteral("//");
    TColor m_groupColor = clInactiveCaptionText;
    QFont m_groupFont;
    TColor m_groupFontColor = clHighlight;
    bool m_useGradients = true;
    QString m_searchText;
    bool m_keyInProgress = false;
    bool m_clickedByKey = false;
    int m_hintRow = -1;
    // The hint window, made on first use; a tool-tip window owned by the list.
    QLabel *m_hint = nullptr;
    QTimer m_searchTimer;
};
