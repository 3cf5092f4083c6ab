#include "controls/framework/tcolor.h"

#include <QApplication>
#include <QWidget>

#include <array>

namespace {

struct SystemColorRole {
    std::uint32_t index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Windows system colour indexes and the palette roles that stand for them.
constexpr std::array<SystemColorRole, 17> kSystemColorRoles{{
    {0x02, QPalette::Active, QPalette::Highlight},
    {0x03, QPalette::Active, QPalette::Mid},
    {0x05, QPalette::Active, QPalette::Base},
    {0x08, QPalette::Active, QPalette::Text},
    {0x09, QPalette::Active, QPalette::HighlightedText},
    {0x0D, QPalette::Active, QPalette::Highlight},
    {0x0E, QPalette::Active, QPalette::HighlightedText},
    {0x0F, QPalette::Active, QPalette::Button},
    {0x10, QPalette::Active, QPalette::Dark},
    {0x11, QPalette::Disabled, QPalette::Text},
    {0x12, QPalette::Active, QPalette::ButtonText},
    {0x13, QPalette::Active, QPalette::Midlight},
    {0x14, QPalette::Active, QPalette::Light},
    {0x15, QPalette::Active, QPalette::Shadow},
    {0x16, QPalette::Active, QPalette::Midlight},
    {0x17, QPalette::Active, QPalette::ToolTipText},
    {0x18, QPalette::Active, QPalette::ToolTipBase},
}};

} // namespace

TColor TColor::FromQColor(const QColor &color) {
    return FromRgb(color.red(), color.green(), color.blue());
}

QColor TColor::Resolve(const QPalette &palette) const {
    if (IsNone())
        return {};
    if (!IsSystemColor())
        return QColor(int(m_value & 0xFF), int(m_value >> 8 & 0xFF), int(m_value >> 16 & 0xFF));
    const std::uint32_t index = m_value & 0xFFu;
    for (const SystemColorRole &entry : kSystemColorRoles) {
        if (entry.index == index)
            return palette.color(entry.group, entry.role);
    }
    return palette.color(QPalette::Active, QPalette::Window);
}

QPalette SystemPalette(const QWidget *widget) {
    if (widget != nullptr && widget->parentWidget() != nullptr)
        return widget->parentWidget()->palette();
    return QApplication::palette(widget);
}

QColor ResolvedFor(const QWidget *widget, TColor color) {
    return color.Resolve(SystemPalette(widget));
}

TColor ParentColorOf(const QWidget &parent) {
    const QVariant own = parent.property("Color");
    if (own.canConvert<TColor>())
        return own.value<TColor>();
    return TColor::FromQColor(parent.palette().color(parent.backgroundRole()));
}
