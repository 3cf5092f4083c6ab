#include "controls/framed/tkxedit.h"

#include "controls/framed/dialogkeys.h"
#include "controls/framework/controlservices.h"

#include <QKeyEvent>

namespace {

Qt::Alignment QtAlignment(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case taLeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

TKxEdit::TKxEdit(QWidget *parent)
    : FramedWidget(parent) {
    // The frame is the library's, painted over a border of its width.
    setFrame(false);
    setTextMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth);
    setAlignment(QtAlignment(m_alignment));
    connect(this, &QLineEdit::textChanged, this, [this] { CallGuarded([this] { Change(); }); });
}

TKxEdit::~TKxEdit() {
    disconnect(this, &QLineEdit::textChanged, this, nullptr);
}

void TKxEdit::SetReadOnlyColor(TColor value) {
    if (m_readOnlyColor == value)
        return;
    m_readOnlyColor = value;
    if (IsReadOnly())
        UpdateColors();
}

void TKxEdit::SetReadOnlyColorOnFocus(bool value) {
    if (m_readOnlyColorOnFocus == value)
        return;
    m_readOnlyColorOnFocus = value;
    UpdateColors();
}

bool TKxEdit::IsReadOnly() const {
    return isReadOnly();
}

void TKxEdit::SetReadOnly(bool value) {
    if (isReadOnly() == value)
        return;
    setReadOnly(value);
    ReadOnlyChanged();
}

void TKxEdit::SetAlignment(TAlignment value) {
    if (m_alignment == value)
        return;
    m_alignment = value;
    setAlignment(QtAlignment(value));
}

QRect TKxEdit::TextAreaRect() const {
    return contentsRect();
}

QString TKxEdit::ShownText() const {
    return text();
}

void TKxEdit::UpdateColors() {
    if (IsLoading())
        return;
    if (!isEnabled())
        ShowStateColor(DisabledColor());
    else if (HotFlag(hfFocused))
        ShowStateColor(IsReadOnly() && m_readOnlyColorOnFocus ? m_readOnlyColor : FocusColor());
    else
        ShowStateColor(IsReadOnly() ? m_readOnlyColor : NormalColor());
}

void TKxEdit::ReadOnlyEntered() {}

void TKxEdit::ReadOnlyLeft() {}

void TKxEdit::ReadOnlyChanged() {
    if (IsReadOnly())
        ReadOnlyEntered();
    else
        ReadOnlyLeft();
    UpdateColors();
    InvalidateFrame();
}

void TKxEdit::KeyPress(QChar &key) {
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TKxEdit::Change() {
    if (!IsLoading() && OnChange)
        OnChange(this);
}

void TKxEdit::KeyDown(QKeyEvent &event) {
    const QChar typed = KeyEventChar(event);
    if (typed.unicode() == 13 && m_tabOnEnter) {
        focusNextChild();
        return;
    }
    if (ClickDialogButton(*this, event))
        return;
    if (typed.isNull()) {
        QLineEdit::keyPressEvent(&event);
        return;
    }
    QChar ch = typed;
    KeyPress(ch);
    if (ch.isNull())
        return;
    if (ch != typed && ch.unicode() >= 32)
        insert(QString(ch));
    else
        QLineEdit::keyPressEvent(&event);
}

void TKxEdit::focusInEvent(QFocusEvent *event) {
    const Qt::FocusReason reason = event->reason();
    m_enteredByMouse = reason == Qt::MouseFocusReason;
    const bool lineEditSelects = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                                 reason == Qt::ShortcutFocusReason;
    if (m_autoSelect || !lineEditSelects) {
        QLineEdit::focusInEvent(event);
        return;
    }
    // Without AutoSelect the line edit must not select on its own either.
    QFocusEvent entry(QEvent::FocusIn, Qt::OtherFocusReason);
    QLineEdit::focusInEvent(&entry);
}

void TKxEdit::DoEnter() {
    if (m_autoSelect && !m_enteredByMouse)
        selectAll();
    m_enteredByMouse = false;
    FramedControl::DoEnter();
}

void TKxEdit::mouseReleaseEvent(QMouseEvent *event) {
    QLineEdit::mouseReleaseEvent(event);
    if (OnClick)
        CallGuarded([this] { OnClick(this); });
}

void TKxEdit::mouseDoubleClickEvent(QMouseEvent *event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (OnDblClick)
        CallGuarded([this] { OnDblClick(this); });
}

void TKxEdit::Loaded() {
    FramedControl::Loaded();
    UpdateHotState(hfFocused, false);
}
