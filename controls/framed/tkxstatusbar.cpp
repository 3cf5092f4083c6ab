#include "controls/framed/tkxstatusbar.h"

#include "controls/framework/controlservices.h"
#include "controls/painting/colorarithmetic.h"
#include "controls/painting/framepainting.h"
#include "controls/painting/panellayout.h"
#include "controls/painting/schemecolors.h"
#include "controls/painting/textflags.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyleOption>
#include <QWindow>

namespace {

// A form that the user may size: not of fixed size and not maximised.
bool FormAllowsSizing(const QWidget *form) {
    return !form->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint) &&
           form->minimumSize() != form->maximumSize() && !form->isMaximized();
}

} // namespace

TKxStatusBar::TKxStatusBar(QWidget *parent)
    : TKxCustomPanel(parent) {
    TKxCustomPanel::SetBorderInner(fsNone);
    TKxCustomPanel::SetBorderOuter(fsNone);
    TKxCustomPanel::SetBorderSides(TSides::All());
    SetBorderWidth(0);
    resize(width(), kDefaultHeight);
    setMouseTracking(true);
    // Last, so that a panel holding the bar lays it out at its own height.
    SetAlign(alBottom);
}

TKxStatusBar::~TKxStatusBar() = default;

void TKxStatusBar::DrawSimpleFrame(QPainter &canvas, const QRect &rect) {
    const QPalette palette = SystemPalette(this);
    switch (VisualStyle()) {
    case vsWinXP:
        if (ThemesActive()) {
            QStyleOption option;
            option.initFrom(this);
            option.rect = rect;
            style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &option, &canvas, this);
        }
        break;
    case vsGradient:
        break;
    case vsClassic:
        if (m_simpleFrameStyle == fsFlat)
            PaintCutCornerBorder(canvas, rect,
                                 ShadeColor(FlatColor().Resolve(palette), FlatColorAdjustment()),
                                 TSides::All());
        else
            PaintStyledBorder(canvas, palette, rect, m_simpleFrameStyle, TSides::All());
        break;
    }
}

void TKxStatusBar::ApplyAutoStyle() {
    const bool autoStyle = m_autoStyle;
    SetBorderInner(fsNone);
    SetBorderOuter(fsNone);
    SetBorderSides(TSides::All());
    SetBounds(QRect(pos(), QSize(width(), kDefaultHeight)));
    SetBorderWidth(0);
    m_autoStyle = autoStyle;
}

void TKxStatusBar::SetShowSizeGrip(bool value) {
    if (m_showSizeGrip == value)
        return;
    m_showSizeGrip = value;
    UpdateGripUsable();
    update();
}

void TKxStatusBar::SetSimpleCaption(const QString &value) {
    if (m_simpleCaption == value)
        return;
    m_simpleCaption = value;
    update();
}

void TKxStatusBar::SetSimpleStatus(bool value) {
    if (m_simpleStatus == value)
        return;
    m_simpleStatus = value;
    for (QWidget *child : ChildControls())
        child->setVisible(!value);
    AlignControls();
    update();
}

void TKxStatusBar::SetSimpleFrameStyle(TFrameStyle value) {
    if (m_simpleFrameStyle == value)
        return;
    m_simpleFrameStyle = value;
    update();
}

void TKxStatusBar::SetBorderInner(TFrameStyleEx value) {
    if (value == BorderInner())
        return;
    m_autoStyle = false;
    TKxCustomPanel::SetBorderInner(value);
}

void TKxStatusBar::SetBorderOuter(TFrameStyleEx value) {
    if (value == BorderOuter())
        return;
    m_autoStyle = false;
    TKxCustomPanel::SetBorderOuter(value);
}

void TKxStatusBar::SetBorderSides(TSides value) {
    if (value == BorderSides())
        return;
    m_autoStyle = false;
    TKxCustomPanel::SetBorderSides(value);
}

std::pair<QColor, QColor> TKxStatusBar::GradientColorPair() const {
    const QPalette palette = SystemPalette(this);
    if (GradientColorStyle() == gcsCustom)
        return {GradientColorStop().Resolve(palette), GradientColorStart().Resolve(palette)};
    const StatusBarColorSet scheme = StatusBarColors(palette);
    return {scheme.first, scheme.second};
}

void TKxStatusBar::Loaded() {
    TKxCustomPanel::Loaded();
    if (m_autoStyle)
        ApplyAutoStyle();
}

void TKxStatusBar::BeginFormSizing() {
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (QWindow *handle = window()->windowHandle())
        handle->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
}

void TKxStatusBar::paintEvent(QPaintEvent *) {
    QPainter canvas(this);
    CallGuarded([&] {
        const StatusBarGeometry geometry = StatusBarLayout(size(), ThemesActive(), m_simpleStatus);
        const bool caption = m_simpleStatus && !m_simpleCaption.isEmpty();
        const QPalette palette = SystemPalette(this);
        canvas.setFont(font());
        if (VisualStyle() == vsWinXP && ThemesActive()) {
            QStyleOption option;
            option.initFrom(this);
            option.rect = rect();
            // The style may draw no background of its own for a status bar.
            canvas.fillRect(rect(), Color().Resolve(palette));
            style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &canvas, this);
            if (caption) {
                canvas.setPen(FontColor());
                DrawTextWithFlags(canvas, geometry.client, m_simpleCaption,
                                  DT_SINGLELINE | DT_VCENTER);
            }
        } else {
            PaintPanel(canvas);
            if (m_simpleStatus) {
                const QRect pane = geometry.pane.adjusted(1, 1, -1, -1);
                DrawSimpleFrame(canvas, pane);
                if (caption) {
                    const int textHeight = QFontMetrics(font()).height();
                    canvas.save();
                    canvas.setClipRect(pane);
                    canvas.setBrush(Qt::NoBrush);
                    canvas.setPen(FontColor());
                    const QPoint origin(pane.left() + 2,
                                        pane.top() + (pane.height() - textHeight) / 2);
                    DrawTextWithFlags(canvas, QRect(origin, pane.bottomRight()), m_simpleCaption,
                                      DT_SINGLELINE | DT_NOCLIP);
                    canvas.restore();
                }
            }
        }
        UpdateGripUsable();
        if (m_showSizeGrip && m_gripUsable)
            PaintSizeGrip(canvas, geometry.pane);
    });
}

void TKxStatusBar::PaintSizeGrip(QPainter &canvas, const QRect &rect) {
    if (VisualStyle() == vsWinXP && ThemesActive()) {
        QStyleOption option;
        option.initFrom(this);
        option.rect = QRect(rect.left() + rect.width() - 20, rect.top(), 20, rect.height());
        style()->drawControl(QStyle::CE_SizeGrip, &option, &canvas, this);
        return;
    }
    const QPalette palette = SystemPalette(this);
    QColor light = clBtnHighlight.Resolve(palette);
    QColor dark = clBtnShadow.Resolve(palette);
    if (VisualStyle() == vsGradient) {
        const StatusBarColorSet scheme = StatusBarColors(palette);
        light = scheme.second;
        dark = scheme.third;
    }
    const auto squares = SizeGripSquares(rect);
    for (const QRect &square : squares)
        canvas.fillRect(square, light);
    for (const QRect &square : squares)
        canvas.fillRect(square.translated(-1, -1), dark);
}

void TKxStatusBar::resizeEvent(QResizeEvent *event) {
    if (m_autoScalePanes) {
        const int width = event->size().width();
        if (m_scaleWidth > 0 && width != m_scaleWidth) {
            const int delta = width - m_scaleWidth;
            for (QWidget *child : ChildControls())
                child->resize(ScaledPaneWidth(child->width(), delta, m_scaleWidth),
                              child->height());
        }
        m_scaleWidth = width;
    }
    TKxCustomPanel::resizeEvent(event);
}

void TKxStatusBar::showEvent(QShowEvent *event) {
    TKxCustomPanel::showEvent(event);
    UpdateGripUsable();
}

void TKxStatusBar::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && GripActiveAt(event->position().toPoint())) {
        CallGuarded([this] { BeginFormSizing(); });
        event->accept();
        return;
    }
    TKxCustomPanel::mousePressEvent(event);
}

void TKxStatusBar::mouseMoveEvent(QMouseEvent *event) {
    if (GripActiveAt(event->position().toPoint()))
        setCursor(Qt::SizeFDiagCursor);
    else
        unsetCursor();
    TKxCustomPanel::mouseMoveEvent(event);
}

void TKxStatusBar::UpdateGripUsable() {
    m_gripUsable = FormAllowsSizing(window());
}

bool TKxStatusBar::GripActiveAt(const QPoint &pos) const {
    return m_showSizeGrip && m_gripUsable &&
           StatusBarLayout(size(), ThemesActive(), m_simpleStatus).grip.contains(pos);
}
