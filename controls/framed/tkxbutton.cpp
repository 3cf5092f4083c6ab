#include "controls/framed/tkxbutton.h"

#include "controls/framed/dialogkeys.h"
#include "controls/framework/buttongroup.h"
#include "controls/framework/controlservices.h"
#include "controls/framework/tcontrolactionlink.h"
#include "controls/painting/buttonlayout.h"
#include "controls/painting/colorarithmetic.h"
#include "controls/painting/framepainting.h"
#include "controls/painting/gradient.h"
#include "controls/painting/paintingservices.h"
#include "controls/painting/schemecolors.h"
#include "controls/painting/textflags.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>

namespace {

// 1-pixel lines with the end point left out, as the face painters give them.
void HLine(QPainter &canvas, int x1, int x2, int y, const QColor &color) {
    if (x2 > x1)
        canvas.fillRect(QRect(x1, y, x2 - x1, 1), color);
}

void VLine(QPainter &canvas, int x, int y1, int y2, const QColor &color) {
    if (y2 > y1)
        canvas.fillRect(QRect(x, y1, 1, y2 - y1), color);
}

void Pixel(QPainter &canvas, int x, int y, const QColor &color) {
    canvas.fillRect(QRect(x, y, 1, 1), color);
}

// A frame with its four corner pixels left out.
void CutCornerFrame(QPainter &canvas, const Edges &r, const QColor &color) {
    VLine(canvas, r.left, r.top + 1, r.bottom - 1, color);
    HLine(canvas, r.left + 1, r.right - 1, r.top, color);
    VLine(canvas, r.right - 1, r.top + 1, r.bottom - 1, color);
    HLine(canvas, r.left + 1, r.right - 1, r.bottom - 1, color);
}

Edges Inset(const Edges &r, int amount) {
    return {r.left + amount, r.top + amount, r.right - amount, r.bottom - amount};
}

// The black frame line of a default or focused classic button.
const QColor kWindowFrame(0, 0, 0);

// Resets the in-click flag also when the click handler raises.
class InClickScope {
public:
    explicit InClickScope(bool &flag)
        : m_flag(flag) {
        m_flag = true;
    }
    ~InClickScope() { m_flag = false; }
    InClickScope(const InClickScope &) = delete;
    InClickScope &operator=(const InClickScope &) = delete;

private:
    bool &m_flag;
};

} // namespace

TKxButton::TKxButton(QWidget *parent)
    : TKxCustomButton(parent) {
    resize(75, 25);
    // A programmatic click() or an animated click runs the same path as the mouse.
    connect(this, &QAbstractButton::clicked, this, [this] { CallGuarded([this] { Click(); }); });
}

TKxButton::~TKxButton() = default;

void TKxButton::SetAlignment(TAlignment value) {
    if (m_alignment == value)
        return;
    m_alignment = value;
    update();
}

void TKxButton::SetDefault(bool value) {
    if (m_default == value)
        return;
    m_default = value;
    update();
}

void TKxButton::SetAllowAllUp(bool value) {
    if (m_allowAllUp == value)
        return;
    m_allowAllUp = value;
    UpdateGroup();
}

void TKxButton::SetDown(bool value) {
    if (!DownChangeAllowed(m_groupIndex, m_down, m_allowAllUp, value))
        return;
    m_down = value;
    m_downState = value ? bsExclusive : bsUp;
    update();
    if (value)
        UpdateGroup();
}

void TKxButton::SetFrameColor(TColor value) {
    if (m_frameColor == value)
        return;
    m_frameColor = value;
    update();
}

void TKxButton::SetGroupIndex(int value) {
    if (m_groupIndex == value)
        return;
    m_groupIndex = value;
    UpdateGroup();
}

void TKxButton::SetShowDownPattern(bool value) {
    if (m_showDownPattern == value)
        return;
    m_showDownPattern = value;
    update();
}

void TKxButton::SetShowFocusRect(bool value) {
    if (m_showFocusRect == value)
        return;
    m_showFocusRect = value;
    update();
}

void TKxButton::SetColor(TColor value) {
    if (m_color == value)
        return;
    m_color = value;
    update();
}

void TKxButton::SetHotTrack(bool value) {
    if (HotTrack() == value)
        return;
    TKxCustomButton::SetHotTrack(value);
    SetTransparent(value);
    update();
}

TCustomAction *TKxButton::Action() const {
    return m_actionLink ? m_actionLink->Action() : nullptr;
}

void TKxButton::SetAction(TCustomAction *action) {
    if (action == Action())
        return;
    m_actionLink.reset();
    if (action == nullptr)
        return;
    m_actionLink = std::make_unique<TControlActionLink>(
        this, action, [this](TCustomAction &changed) { ActionChange(changed, false); });
    ActionChange(*action, IsLoading());
}

void TKxButton::ActionChange(TCustomAction &action, bool checkDefaults) {
    ApplyActionToControl(*this, action, checkDefaults);
}

void TKxButton::Click() {
    QWidget *form = window();
    form->setProperty("ModalResult", m_modalResult);
    if (auto *dialog = qobject_cast<QDialog *>(form); dialog != nullptr && m_modalResult != 0)
        dialog->done(m_modalResult);
    if (OnClick)
        OnClick(this);
    else if (m_actionLink)
        m_actionLink->Execute();
}

void TKxButton::GroupButtonPressed(int groupIndex, TKxButton *sender) {
    if (TakeGroupMessage(*this, m_groupIndex, groupIndex, *sender, m_down, m_allowAllUp)) {
        m_downState = bsUp;
        update();
    }
}

void TKxButton::UpdateGroup() {
    BroadcastButtonGroup(*this, m_groupIndex);
}

bool TKxButton::DefaultLook() const {
    const QWidget *focused = window()->focusWidget();
    if (qobject_cast<const TKxButton *>(focused) != nullptr ||
        qobject_cast<const QPushButton *>(focused) != nullptr)
        return focused == this;
    return m_default;
}

void TKxButton::RepaintWindowButtons() {
    QWidget *form = window();
    for (TKxButton *button : form->findChildren<TKxButton *>()) {
        if (button->window() == form)
            button->update();
    }
    update();
}

bool TKxButton::CanTakeFocus() const {
    return isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus;
}

QRect TKxButton::CaptionArea() const {
    const bool shifted = !HotTrack() && !UsesThemedLook() &&
                         ((m_groupIndex != 0 && m_down) || TKxCustomButton::ShowPressed());
    return ButtonCaptionArea(Edges::Of(rect()), shifted).ToRect();
}

unsigned TKxButton::AlignmentFlag() const {
    TAlignment alignment = m_alignment;
    if (layoutDirection() == Qt::RightToLeft && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    return alignment == taLeftJustify    ? DT_LEFT
           : alignment == taRightJustify ? DT_RIGHT
                                         : DT_CENTER;
}

void TKxButton::DrawButtonCaption(QPainter &canvas) {
    DrawCaptionText(canvas, CaptionArea(), AlignmentFlag() | DT_WORDBREAK | DT_EXPANDTABS);
}

QPixmap TKxButton::MakeDownPattern() const {
    const QColor face = ResolvedFor(this, m_color);
    const QColor dots =
        face == QColor(0xC0, 0xC0, 0xC0) ? QColor(0x80, 0x80, 0x80) : QColor(0xC0, 0xC0, 0xC0);
    QImage pattern(8, 8, QImage::Format_RGB32);
    pattern.fill(face);
    for (int y = 0; y < 8; ++y) {
        for (int x = y % 2; x < 8; x += 2)
            pattern.setPixelColor(x, y, dots);
    }
    return QPixmap::fromImage(pattern);
}

void TKxButton::EraseBackground(QPainter &canvas) {
    if (!Transparent())
        return;
    // Only the corners and the ring outside the rounded frame show the parent.
    QRect r = rect().adjusted(1, 1, -1, -1);
    if (!isEnabled())
        r = r.adjusted(1, 1, -1, -1);
    QRegion outside(rect());
    outside -= QRegion(r);
    r = r.adjusted(-1, 1, 1, -1);
    outside -= QRegion(r);
    r = r.adjusted(2, -2, -2, 2);
    outside -= QRegion(r);
    canvas.save();
    canvas.setClipRegion(outside);
    PaintParentBackground(this, canvas);
    canvas.restore();
}

void TKxButton::ButtonStateChanged() {
    update();
}

void TKxButton::ButtonClicked() {
    if (m_groupIndex != 0)
        SetDown(!m_down);
    else
        ButtonStateChanged();
    InClickScope scope(m_inClick);
    Click();
}

bool TKxButton::ShownPressed() const {
    return m_downState == bsDown || m_downState == bsExclusive || TKxCustomButton::ShowPressed();
}

QRect TKxButton::PaintHotTrackFace(QPainter &canvas) {
    const QColor face = ResolvedFor(this, clBtnFace);
    const QColor color = ResolvedFor(this, m_color);
    Edges r = Edges::Of(rect());
    if (!isEnabled()) {
        r = Inset(r, 1);
        CutCornerFrame(canvas, r,
                       m_color == clBtnFace ? ShadeLighter(ResolvedFor(this, clBtnShadow), 30)
                                            : ShadeDarker(color, 80));
        r = Inset(r, 1);
        canvas.fillRect(r.ToRect(), color);
        return r.ToRect();
    }
    const QColor dark = ShadeDarker(face, 20);
    const QColor light = ShadeLighter(face, 20);
    VLine(canvas, r.left, r.top + 2, r.bottom - 2, dark);
    HLine(canvas, r.left + 2, r.right - 2, r.top, dark);
    VLine(canvas, r.right - 1, r.top + 2, r.bottom - 2, light);
    HLine(canvas, r.left + 2, r.right - 2, r.bottom - 1, light);
    Pixel(canvas, r.left + 1, r.top + 1, dark);
    Pixel(canvas, r.right - 2, r.top + 1, dark);
    Pixel(canvas, r.left + 1, r.bottom - 2, dark);
    Pixel(canvas, r.right - 2, r.bottom - 2, light);
    r = Inset(r, 1);
    CutCornerFrame(canvas, r, ResolvedFor(this, m_frameColor));
    r = Inset(r, 1);
    const bool pressed = ShownPressed();
    if (pressed) {
        canvas.fillRect(r.ToRect(), ShadeDarker(color, 10));
    } else {
        HLine(canvas, r.left, r.right, r.bottom - 2, ShadeDarker(color, 20));
        HLine(canvas, r.left, r.right, r.bottom - 1, ShadeDarker(color, 30));
        const QRect body(r.left, r.top, r.right - r.left, r.bottom - r.top - 2);
        if (FullColorDisplay())
            FillGradientRect(canvas, body, gdHorizontalEnd, 1, ShadeDarker(color, 10),
                             ShadeLighter(color, 30));
        else
            canvas.fillRect(body, color);
    }
    if (pressed)
        return r.ToRect();
    if (MouseInside()) {
        const QColor hot = ResolvedFor(this, HotTrackColor());
        QColor first = hot;
        QColor second = MixColors(QColor(Qt::white), hot, 190);
        if (HotTrackColorType() == htctComplement) {
            second = OppositeHueColor(hot, 180);
            first = ShadeDarker(second, 30);
        }
        PaintGradientRing(canvas, r.ToRect(), gdHorizontalEnd, 1, first, second);
    } else if (m_groupIndex == 0 && (DefaultLook() || hasFocus())) {
        QColor highlight = ResolvedFor(this, HighlightColor());
        if (ColorsNearlyAlike(highlight, face))
            highlight = ShadeDarker(highlight, 30);
        const QColor lighter = ShadeLighter(color, 30);
        PaintGradientRing(canvas, r.ToRect(), gdHorizontalEnd, 1,
                          MixColors(highlight, lighter, 160), MixColors(highlight, lighter, 60));
    }
    return r.ToRect();
}

QRect TKxButton::PaintClassicFace(QPainter &canvas) {
    QRect r = rect();
    const bool pressed = TKxCustomButton::ShowPressed();
    if ((m_groupIndex == 0 && (DefaultLook() || hasFocus()) && !pressed) || m_inClick)
        r = PaintFrameSides(canvas, r, kWindowFrame, kWindowFrame, TSides::All());
    const bool shown = ShownPressed();
    if (m_color == clBtnFace) {
        if (m_groupIndex != 0)
            r = PaintStyledBorder(canvas, SystemPalette(this), r, shown ? fsLowered : fsButtonUp,
                                  TSides::All());
        else
            r = PaintStyledBorder(canvas, SystemPalette(this), r,
                                  pressed ? fsButtonDown : fsButtonUp, TSides::All());
    } else {
        const QColor color = ResolvedFor(this, m_color);
        if (m_groupIndex == 0)
            r = PaintTintedBorder(canvas, r, color, TSides::All(),
                                  pressed ? fsButtonDown : fsButtonUp);
        else
            r = PaintTintedBorder(canvas, r, color, TSides::All(), shown ? fsLowered : fsButtonUp);
    }
    canvas.fillRect(r, ResolvedFor(this, m_color));
    return r;
}

void TKxButton::paintEvent(QPaintEvent *) {
    QPainter canvas(this);
    CallGuarded([&] {
        EraseBackground(canvas);
        const bool grouped = m_groupIndex != 0;
        const bool themed = UsesThemedLook();
        QRect focusRect = rect().adjusted(3, 3, -3, -3);
        if (!HotTrack() && !themed)
            focusRect = rect().adjusted(4, 4, -4, -4);
        if (grouped && (m_down || TKxCustomButton::ShowPressed()))
            focusRect.translate(1, 1);
        QRect inner = rect();
        if (themed) {
            QStyleOptionButton option;
            option.initFrom(this);
            // The themed face shows the button's own colour, so a coloured button stands out.
            option.palette.setColor(QPalette::Button, ResolvedFor(this, m_color));
            option.state &= ~(QStyle::State_MouseOver | QStyle::State_Sunken);
            if (isEnabled() && ShownPressed())
                option.state |= QStyle::State_Sunken;
            else if (isEnabled() && MouseInside())
                option.state |= QStyle::State_MouseOver;
            else if (isEnabled() && !grouped && (DefaultLook() || hasFocus()) &&
                     !TKxCustomButton::ShowPressed())
                option.features |= QStyleOptionButton::DefaultButton;
            PaintParentBackground(this, canvas);
            style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &canvas, this);
        } else if (HotTrack()) {
            inner = PaintHotTrackFace(canvas);
        } else {
            inner = PaintClassicFace(canvas);
        }
        if (grouped && m_downState == bsExclusive && m_showDownPattern)
            canvas.fillRect(inner, QBrush(MakeDownPattern()));
        canvas.setFont(font());
        canvas.setBrush(ResolvedFor(this, m_color));
        DrawButtonCaption(canvas);
        if (hasFocus() && m_showFocusRect)
            PaintDottedBorder(canvas, focusRect);
    });
}

bool TKxButton::event(QEvent *event) {
    switch (event->type()) {
    case QEvent::ParentChange:
    case QEvent::Show:
        if (window() != this)
            WatchDialogKeys(*window());
        break;
    case QEvent::Shortcut:
        // The caption's accelerator clicks a button that can take the focus.
        if (CanTakeFocus())
            CallGuarded([this] { Click(); });
        return true;
    default:
        break;
    }
    return TKxCustomButton::event(event);
}

void TKxButton::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Space && !(event->modifiers() & Qt::AltModifier)) {
        m_spaceArmed = true;
        SetShowPressed(true);
        ButtonStateChanged();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TKxButton::keyReleaseEvent(QKeyEvent *event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    SetShowPressed(false);
    // A release clicks once per press that began on this button.
    if (std::exchange(m_spaceArmed, false))
        CallGuarded([this] { ButtonClicked(); });
    ButtonStateChanged();
}

void TKxButton::focusInEvent(QFocusEvent *event) {
    TKxCustomButton::focusInEvent(event);
    RepaintWindowButtons();
}

void TKxButton::focusOutEvent(QFocusEvent *event) {
    TKxCustomButton::focusOutEvent(event);
    RepaintWindowButtons();
    m_spaceArmed = false;
    SetShowPressed(false);
    ButtonStateChanged();
}
