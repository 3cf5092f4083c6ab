#pragma once

#include <QPixmap>
#include <QString>

// The standard kinds of a bit button.
enum TBitBtnKind : int {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
inline constexpr int kBitBtnKindCount = 11;
static_assert(bkAll + 1 == kBitBtnKindCount, "every kind has its row");

// What a kind gives a button: caption, modal result and the Default/Cancel it implies.
struct BitBtnKindInfo {
    const char *caption;
    int modalResult;
    bool impliesDefault;
    bool impliesCancel;
};

const BitBtnKindInfo &KindInfo(TBitBtnKind kind);
QString KindCaption(TBitBtnKind kind);

// Size of one glyph cell; a kind glyph holds two (normal, disabled) side by side.
inline constexpr int kKindGlyphCell = 16;

// The kind's glyph, drawn on first use and shared by every button; empty for bkCustom.
QPixmap KindGlyph(TBitBtnKind kind);
