#include "controls/framed/tkxcustompanel.h"

#include "controls/framed/framedcontrol.h"
#include "controls/framed/tkxframecontroller.h"
#include "controls/framed/tkxpaneldockmanager.h"
#include "controls/framework/controlservices.h"
#include "controls/framework/propertychange.h"
#include "controls/painting/gradient.h"
#include "controls/painting/panellayout.h"
#include "controls/painting/schemecolors.h"
#include "controls/painting/textflags.h"

#include <QChildEvent>
#include <QCursor>
#include <QPainter>
#include <QResizeEvent>

namespace {

unsigned AlignmentFlag(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

// Hidden by a call, not only because the panel is not shown yet.
bool ExplicitlyHidden(const QWidget *widget) {
    return widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

} // namespace

TKxCustomPanel::TKxCustomPanel(QWidget *parent)
    : QWidget(parent)
    , BorderedControl(this, BorderLayers{fsRaised, fsNone}) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Only what a resize uncovers is repainted unless the panel asks for more (FullRepaint).
    setAttribute(Qt::WA_StaticContents);
}

TKxCustomPanel::~TKxCustomPanel() {
    m_dockManager.reset();
}

void TKxCustomPanel::SetCaption(const QString &value) {
    ChangeAndRepaint(*this, m_caption, value);
}

void TKxCustomPanel::SetAlignment(TAlignment value) {
    ChangeAndRepaint(*this, m_alignment, value);
}

TColor TKxCustomPanel::Color() const {
    if (!m_parentColor || parentWidget() == nullptr)
        return m_color;
    return ParentColorOf(*parentWidget());
}

void TKxCustomPanel::SetColor(TColor value) {
    if (m_color == value && !m_parentColor)
        return;
    m_color = value;
    m_parentColor = false;
    // Children that take the parent's colour show the new one too.
    InvalidateWithChildren();
    FramedControl::HandColorToChildren(*this);
}

void TKxCustomPanel::SetParentColor(bool value) {
    if (!StoreChanged(m_parentColor, value))
        return;
    update();
    FramedControl::HandColorToChildren(*this);
}

void TKxCustomPanel::SetAlign(TAlign value) {
    if (Align() == value)
        return;
    SetAlignOf(this, value);
    if (auto *container = qobject_cast<TKxCustomPanel *>(parentWidget()))
        container->AlignControls();
}

void TKxCustomPanel::SetBounds(const QRect &bounds) {
    setGeometry(KeepAlignedEdge(Align(), geometry(), bounds));
    if (auto *container = qobject_cast<TKxCustomPanel *>(parentWidget()))
        container->AlignControls();
}

void TKxCustomPanel::SetCaptionVertAlignment(TAlignmentVertical value) {
    ChangeAndRepaint(*this, m_captionVertAlignment, value);
}

void TKxCustomPanel::SetBorderHighlightColor(TColor value) {
    ChangeBorderHighlight(value);
}

void TKxCustomPanel::SetBorderShadowColor(TColor value) {
    ChangeBorderShadow(value);
}

void TKxCustomPanel::SetGradientColorStyle(TKxGradientColorStyle value) {
    ChangeAndRepaint(*this, m_gradientColorStyle, value);
}

void TKxCustomPanel::SetGradientColorStart(TColor value) {
    if (StoreChanged(m_gradientColorStart, value))
        InvalidateWithChildren();
}

void TKxCustomPanel::SetGradientColorStop(TColor value) {
    if (StoreChanged(m_gradientColorStop, value))
        InvalidateWithChildren();
}

void TKxCustomPanel::SetGradientDirection(TGradientDirection value) {
    if (StoreChanged(m_gradientDirection, value))
        InvalidateWithChildren();
}

void TKxCustomPanel::SetGridLineColor(TColor value) {
    ChangeAndRepaint(*this, m_gridLineColor, value);
}

void TKxCustomPanel::SetGridLineStyle(std::uint8_t value) {
    ChangeAndRepaint(*this, m_gridLineStyle, value);
}

void TKxCustomPanel::SetGridSpacingX(std::uint16_t value) {
    ChangeAndRepaint(*this, m_gridSpacingX, value);
}

void TKxCustomPanel::SetGridSpacingY(std::uint16_t value) {
    ChangeAndRepaint(*this, m_gridSpacingY, value);
}

void TKxCustomPanel::SetFillClientArea(bool value) {
    ChangeAndRepaint(*this, m_fillClientArea, value);
}

void TKxCustomPanel::SetGridVisible(bool value) {
    ChangeAndRepaint(*this, m_gridVisible, value);
}

void TKxCustomPanel::SetTransparentBackground(bool value) {
    if (m_transparentBackground == value)
        return;
    m_transparentBackground = value;
    // A transparent panel lets Qt paint what lies under it first.
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    InvalidateWithChildren();
}

void TKxCustomPanel::SetCaptionMargin(int value) {
    ChangeAndRepaint(*this, m_captionMargin, value);
}

void TKxCustomPanel::SetCaptionWordWrap(bool value) {
    ChangeAndRepaint(*this, m_captionWordWrap, value);
}

void TKxCustomPanel::SetVisualStyle(TKxVisualStyle value) {
    ChangeAndRepaint(*this, m_visualStyle, value);
}

void TKxCustomPanel::SetDockSite(bool value) {
    if (m_dockSite == value)
        return;
    m_dockSite = value;
    if (value)
        CreateDockManager();
}

void TKxCustomPanel::SetUseDockManager(bool value) {
    if (m_useDockManager == value)
        return;
    m_useDockManager = value;
    if (value && m_dockSite)
        CreateDockManager();
}

void TKxCustomPanel::DockControl(QWidget *control) {
    if (control == nullptr || !m_dockSite)
        return;
    control->setParent(this);
    control->show();
    if (m_dockManager)
        m_dockManager->InsertControl(control);
}

void TKxCustomPanel::CreateDockManager() {
    if (m_useDockManager && !m_dockManager)
        m_dockManager = std::make_unique<TKxPanelDockManager>(this);
}

QPoint TKxCustomPanel::CursorPosInClient() const {
    return mapFromGlobal(QCursor::pos());
}

QRect TKxCustomPanel::BorderAreaRect(const QRect &rect, bool withBorderWidth) const {
    return InsideBorderLayers(rect, Layers(), withBorderWidth);
}

QRect TKxCustomPanel::WholeRect() const {
    return QRect(0, 0, width(), height());
}

QPoint TKxCustomPanel::FrameMargin() const {
    return QPoint(1, 1);
}

std::pair<QColor, QColor> TKxCustomPanel::GradientColorPair() const {
    const QPalette palette = SystemPalette(this);
    if (m_gradientColorStyle == gcsCustom)
        return {m_gradientColorStart.Resolve(palette), m_gradientColorStop.Resolve(palette)};
    const GradientPair scheme = GradientPanelColors(palette);
    return {scheme.start, scheme.stop};
}

std::pair<QColor, int> TKxCustomPanel::FlatFrameColorPair() const {
    const QPalette palette = SystemPalette(this);
    if (m_visualStyle == vsGradient && m_gradientColorStyle != gcsCustom)
        return {GradientFrameColor(palette), 0};
    return {Layers().flatColor.Resolve(palette), Layers().flatColorAdjustment};
}

void TKxCustomPanel::DrawPanelCaption(QPainter &canvas, const QRect &rect) {
    if (m_caption.isEmpty())
        return;
    canvas.setFont(font());
    const unsigned wrap = m_captionWordWrap ? DT_WORDBREAK : 0u;
    const unsigned alignment = AlignmentFlag(m_alignment);
    const QRect inset =
        rect.adjusted(m_captionMargin, m_captionMargin, -m_captionMargin, -m_captionMargin);
    const int height =
        DrawTextWithFlags(canvas, inset, m_caption,
                          wrap | DT_CALCRECT | DT_EXPANDTABS | DT_VCENTER | alignment)
            .height();
    const QRect place = PanelCaptionRect(rect, m_captionMargin, height, m_captionVertAlignment);
    const unsigned flags = DT_EXPANDTABS | DT_VCENTER | wrap | alignment;
    const QPalette palette = SystemPalette(this);
    if (!isEnabled()) {
        canvas.setPen(clBtnHighlight.Resolve(palette));
        DrawTextWithFlags(canvas, place.translated(1, 1), m_caption, flags);
        canvas.setPen(clBtnShadow.Resolve(palette));
    } else {
        canvas.setPen(FontColor());
    }
    DrawTextWithFlags(canvas, place, m_caption, flags);
}

void TKxCustomPanel::DrawGridLines(QPainter &canvas, const QRect &rect) {
    const QColor color = m_gridLineColor.Resolve(SystemPalette(this));
    const PanelGrid grid = PanelGridLines(rect, m_gridSpacingX, m_gridSpacingY);
    const auto dot = [&](int x, int y) { canvas.fillRect(QRect(x, y, 1, 1), color); };
    switch (m_gridLineStyle) {
    case 0:
        for (int x : grid.xs) {
            for (int y : grid.ys)
                dot(x, y);
        }
        break;
    case 1:
        for (int x : grid.xs) {
            for (int y = rect.top() + 1; y < rect.top() + rect.height(); y += 2)
                dot(x, y);
        }
        for (int y : grid.ys) {
            for (int x = rect.left() + 1; x < rect.left() + rect.width(); x += 2)
                dot(x, y);
        }
        break;
    case 2:
        for (int x : grid.xs)
            canvas.fillRect(QRect(x, rect.top(), 1, rect.height()), color);
        for (int y : grid.ys)
            canvas.fillRect(QRect(rect.left(), y, rect.width(), 1), color);
        break;
    default:
        break;
    }
}

void TKxCustomPanel::FrameControllerChanged() {
    CallGuarded([this] { ApplyFrameController(); });
}

QList<QWidget *> TKxCustomPanel::ChildControls() const {
    QList<QWidget *> controls;
    for (QObject *child : children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget != nullptr && !widget->isWindow())
            controls.append(widget);
    }
    return controls;
}

void TKxCustomPanel::AlignControls() {
    if (m_aligning || IsLoading())
        return;
    const TKxPanelDockManager *docking = m_dockSite ? m_dockManager.get() : nullptr;
    std::vector<QWidget *> widgets;
    std::vector<AlignedControl> controls;
    for (QWidget *child : ChildControls()) {
        const TAlign align = AlignOf(child);
        if (align == alNone || ExplicitlyHidden(child) || (docking && docking->IsDocked(child)))
            continue;
        widgets.push_back(child);
        controls.push_back({align, child->geometry()});
    }
    const std::vector<QRect> bounds = AlignedBounds(BorderAreaRect(WholeRect(), false), controls);
    m_aligning = true;
    for (std::size_t i = 0; i < widgets.size(); ++i)
        widgets[i]->setGeometry(bounds[i]);
    m_aligning = false;
    if (m_dockManager)
        m_dockManager->ResetBounds();
}

QRect TKxCustomPanel::DockClientRect() const {
    return m_dockSite ? BorderAreaRect(WholeRect(), true) : WholeRect();
}

void TKxCustomPanel::Loaded() {
    ComponentState::Loaded();
    AlignControls();
}

void TKxCustomPanel::PaintPanel(QPainter &canvas) {
    const QPalette palette = SystemPalette(this);
    const QColor color = Color().Resolve(palette);
    const QColor parent = parentWidget() != nullptr
                              ? parentWidget()->palette().color(parentWidget()->backgroundRole())
                              : color;
    BorderLayers layers = Layers();
    const auto [flatColor, adjustment] = FlatFrameColorPair();
    layers.flatColor = TColor::FromQColor(flatColor);
    layers.flatColorAdjustment = adjustment;
    const QRect inner = PaintBorderLayers(canvas, palette, WholeRect(), layers, color, parent,
                                          m_transparentBackground);
    if (!m_transparentBackground && m_fillClientArea) {
        if (m_visualStyle == vsGradient) {
            const auto [first, second] = GradientColorPair();
            FillGradientRect(canvas, inner, m_gradientDirection, 1, second, first);
        } else {
            canvas.fillRect(inner, color);
        }
    }
    if (m_gridVisible)
        DrawGridLines(canvas, inner);
    canvas.setBrush(Qt::NoBrush);
    DrawPanelCaption(canvas, inner);
    if (m_dockManager)
        m_dockManager->PaintSite(canvas);
    if (OnPaint)
        OnPaint(this, canvas);
}

void TKxCustomPanel::InvalidateWithChildren() {
    update();
    for (QWidget *child : ChildControls())
        child->update();
}

void TKxCustomPanel::BordersChanged() {
    AlignControls();
    update();
}

QColor TKxCustomPanel::ShownColor() const {
    return Color().Resolve(SystemPalette(this));
}

void TKxCustomPanel::SetBevelColors(TColor highlight, TColor shadow) {
    SetBorderHighlightColor(highlight);
    SetBorderShadowColor(shadow);
}

void TKxCustomPanel::EnabledChanged() {
    const QList<QWidget *> controls = ChildControls();
    if (!isEnabled()) {
        // Qt marks a child that was disabled on its own; the others only follow the panel.
        m_childStates.clear();
        for (QWidget *child : controls) {
            m_childStates.emplace_back(child, !child->testAttribute(Qt::WA_ForceDisabled));
            child->setEnabled(false);
        }
    } else {
        for (QWidget *child : controls) {
            bool enable = true;
            for (const auto &[recorded, wasEnabled] : m_childStates) {
                if (recorded == child)
                    enable = wasEnabled;
            }
            child->setEnabled(enable);
        }
    }
    update();
}

void TKxCustomPanel::paintEvent(QPaintEvent *) {
    QPainter canvas(this);
    CallGuarded([&] { PaintPanel(canvas); });
}

void TKxCustomPanel::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    if (m_fullRepaint || !m_caption.isEmpty()) {
        update();
    } else {
        const QRect oldArea = BorderAreaRect(QRect(QPoint(0, 0), event->oldSize()), true);
        const QRect newArea = BorderAreaRect(WholeRect(), true);
        for (const QRect &strip :
             PanelResizeStrips(event->oldSize(), event->size(), oldArea, newArea, FrameMargin()))
            update(strip);
    }
    AlignControls();
}

void TKxCustomPanel::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        CallGuarded([this] { EnabledChanged(); });
}

void TKxCustomPanel::enterEvent(QEnterEvent *event) {
    QWidget::enterEvent(event);
    if (OnMouseEnter)
        CallGuarded([this] { OnMouseEnter(this); });
}

void TKxCustomPanel::leaveEvent(QEvent *event) {
    QWidget::leaveEvent(event);
    if (OnMouseLeave)
        CallGuarded([this] { OnMouseLeave(this); });
}

bool TKxCustomPanel::event(QEvent *event) {
    const bool result = QWidget::event(event);
    switch (event->type()) {
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
        if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType()) {
            // A removed child may be half destroyed: the manager only compares it.
            if (event->type() == QEvent::ChildRemoved && m_dockManager)
                m_dockManager->RemoveControl(child);
            AlignControls();
        }
        break;
    default:
        break;
    }
    return result;
}
