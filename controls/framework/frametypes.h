#pragma once

#include <QMetaType>

#include <cstdint>

enum TFrameStyle : int {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold,
    fsFlatRounded
};

enum TSide : int { sdLeft, sdTop, sdRight, sdBottom };

// A set of sides: bit 0 left, bit 1 top, bit 2 right, bit 3 bottom.
class TSides {
public:
    constexpr TSides() = default;
    constexpr explicit TSides(std::uint8_t bits)
        : m_bits(bits & 0x0F) {}
    static constexpr TSides All() { return TSides(0x0F); }

    constexpr bool Has(TSide side) const { return (m_bits >> side & 1) != 0; }
    constexpr TSides With(TSide side) const { return TSides(std::uint8_t(m_bits | 1 << side)); }
    constexpr TSides Without(TSide side) const {
        return TSides(std::uint8_t(m_bits & ~(1 << side)));
    }
    constexpr std::uint8_t Bits() const { return m_bits; }

    friend constexpr bool operator==(TSides, TSides) = default;

private:
    std::uint8_t m_bits = 0;
};

enum TFramingPreference : int { fpCustomFraming, fpXPThemes };

enum TGradientDirection : int {
    gdDiagonalUp,
    gdDiagonalDown,
    gdHorizontalEnd,
    gdHorizontalCenter,
    gdHorizontalBox,
    gdVerticalEnd,
    gdVerticalCenter,
    gdVerticalBox,
    gdSquareBox,
    gdBigSquareBox
};

enum TAlignment : int { taLeftJustify, taRightJustify, taCenter };

enum TTextStyle : int { tsNormal, tsRaised, tsRecessed, tsShadow };

enum TAlignmentVertical : int { avTop, avCenter, avBottom };

// Ordinal = bit number in a notification set; fcpAll stands for every property.
enum TKxFrameControllerProperty : int {
    fcpColor,
    fcpFocusColor,
    fcpDisabledColor,
    fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus,
    fcpParentColor,
    fcpFlatButtonColor,
    fcpFlatButtons,
    fcpFrameColor,
    fcpFrameHotColor,
    fcpFrameHotTrack,
    fcpFrameHotStyle,
    fcpFrameSides,
    fcpFrameStyle,
    fcpFrameVisible,
    fcpFramingPreference,
    fcpAll
};

using TKxFrameControllerNotifications = std::uint16_t;
inline constexpr TKxFrameControllerNotifications kAllFrameControllerNotifications = 0xFFFF;
static_assert(fcpAll == 16, "a notification set holds sixteen properties in 16 bits");

constexpr bool HasNotification(TKxFrameControllerNotifications set,
                               TKxFrameControllerProperty property) {
    return property < fcpAll && (set >> property & 1) != 0;
}

// Where a panel's gradient colours come from: the colour scheme in use, or its own two colours.
enum TKxGradientColorStyle : int { gcsSystem, gcsCustom };
// How a panel fills itself: plain colour (classic or themed look) or a gradient.
enum TKxVisualStyle : int { vsClassic, vsWinXP, vsGradient };
// The colours of a hot-tracked button's ring: from its hot-track colour, or from that colour's
// complement.
enum TKxHotTrackColorType : int { htctActual, htctComplement };

Q_DECLARE_METATYPE(TFrameStyle)
Q_DECLARE_METATYPE(TSides)
Q_DECLARE_METATYPE(TFramingPreference)
Q_DECLARE_METATYPE(TAlignment)
