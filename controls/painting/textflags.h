#pragma once

#include <QRect>
#include <QString>

class QFont;
class QPainter;

// Text-drawing flags of the controls (the values their callers pass).
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_TOP = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;
inline constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;
inline constexpr unsigned DT_RTLREADING = 0x20000;

struct QtTextFlags {
    int flags = 0;
    Qt::TextElideMode elide = Qt::ElideNone;
    bool calcRect = false;
    bool clip = true;
    bool rightToLeft = false;
    friend bool operator==(const QtTextFlags &, const QtTextFlags &) = default;
};

// Alignment, wrapping, tabs and mnemonics as Qt flags. Vertical placement applies to single
// lines only; "&" marks a mnemonic unless DT_NOPREFIX.
QtTextFlags TextFlagsToQt(unsigned drawTextFlags);

// Draws the text as the flags ask and returns the rect it takes; with DT_CALCRECT only measures
// (the rect keeps its top left and takes the text's size).
QRect DrawTextWithFlags(QPainter &canvas, const QRect &rect, const QString &text,
                        unsigned drawTextFlags);

// A font's text height plus 2.
int FontTextHeight(const QFont &font);
