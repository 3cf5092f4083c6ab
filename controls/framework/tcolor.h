#pragma once

#include <QColor>
#include <QMetaType>
#include <QPalette>

#include <cstdint>

class QWidget;

// A framework colour: an RGB value stored as 0x00BBGGRR, or a reference to a system colour
// (high byte 0xFF, the system colour index below), resolved against a palette when drawn.
class TColor {
public:
    constexpr TColor() = default;
    constexpr explicit TColor(std::uint32_t value)
        : m_value(value) {}

    static constexpr TColor FromRgb(int red, int green, int blue) {
        return TColor(std::uint32_t(red & 0xFF) | std::uint32_t(green & 0xFF) << 8 |
                      std::uint32_t(blue & 0xFF) << 16);
    }
    static TColor FromQColor(const QColor &color);

    constexpr std::uint32_t Value() const { return m_value; }
    constexpr bool IsSystemColor() const { return (m_value & 0xFF000000u) == 0xFF000000u; }
    constexpr bool IsNone() const { return m_value == 0x1FFFFFFFu; }

    // The RGB colour shown; clNone gives an invalid QColor.
    QColor Resolve(const QPalette &palette) const;

    friend constexpr bool operator==(TColor, TColor) = default;

private:
    std::uint32_t m_value = 0;
};

Q_DECLARE_METATYPE(TColor)

inline constexpr TColor clNone{0x1FFFFFFFu};
inline constexpr TColor clBlack{0x000000u};
inline constexpr TColor clWhite{0xFFFFFFu};

inline constexpr TColor clActiveCaption{0xFF000002u};
inline constexpr TColor clInactiveCaption{0xFF000003u};
inline constexpr TColor clWindow{0xFF000005u};
inline constexpr TColor clWindowText{0xFF000008u};
inline constexpr TColor clCaptionText{0xFF000009u};
inline constexpr TColor clHighlight{0xFF00000Du};
inline constexpr TColor clHighlightText{0xFF00000Eu};
inline constexpr TColor clBtnFace{0xFF00000Fu};
inline constexpr TColor clBtnShadow{0xFF000010u};
inline constexpr TColor clGrayText{0xFF000011u};
inline constexpr TColor clBtnText{0xFF000012u};
inline constexpr TColor clInactiveCaptionText{0xFF000013u};
inline constexpr TColor clBtnHighlight{0xFF000014u};
inline constexpr TColor cl3DDkShadow{0xFF000015u};
inline constexpr TColor cl3DLight{0xFF000016u};
inline constexpr TColor clInfoText{0xFF000017u};
inline constexpr TColor clInfoBk{0xFF000018u};

// The palette that system colours of a widget resolve against: the one it inherits, so that a
// colour the control itself puts into its palette never feeds back into clWindow and the like.
QPalette SystemPalette(const QWidget *widget);
// A colour as a widget shows it: a system colour resolved against the widget's SystemPalette.
QColor ResolvedFor(const QWidget *widget, TColor color);
// The colour that a child taking its parent's colour shows: the parent's own Color, or the colour
// its background shows.
TColor ParentColorOf(const QWidget &parent);
