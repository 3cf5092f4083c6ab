#include "controls/tcolor.h"
#include "controls/textflags.h"

#include <QPalette>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SystemColorCase {
    const char *name;
    TColor color;
    QPalette::ColorRole role;
};

TEST(TColor, SystemColoursResolveAgainstThePalette) {
    QPalette palette;
    const std::vector<SystemColorCase> cases{
        {"clBtnFace", clBtnFace, QPalette::Button},
        {"clBtnHighlight", clBtnHighlight, QPalette::Light},
        {"cl3DLight", cl3DLight, QPalette::Midlight},
        {"clBtnShadow", clBtnShadow, QPalette::Dark},
        {"cl3DDkShadow", cl3DDkShadow, QPalette::Shadow},
        {"clWindow", clWindow, QPalette::Base},
        {"clWindowText", clWindowText, QPalette::Text},
        {"clHighlight", clHighlight, QPalette::Highlight},
        {"clInfoBk", clInfoBk, QPalette::ToolTipBase},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        palette.setColor(cases[i].role, QColor(int(i) * 10, 100, 200));
    }
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(cases[i].color.Resolve(palette), QColor(int(i) * 10, 100, 200));
    }
}

TEST(TColor, LiteralsAreBgr) {
    const QPalette palette;
    EXPECT_EQ(TColor(0x0000FFu).Resolve(palette), QColor(255, 0, 0));
    EXPECT_EQ(TColor(0xFF0000u).Resolve(palette), QColor(0, 0, 255));
    EXPECT_EQ(TColor::FromRgb(1, 2, 3).Value(), 0x030201u);
    EXPECT_EQ(TColor::FromQColor(QColor(1, 2, 3)), TColor::FromRgb(1, 2, 3));
    EXPECT_FALSE(clNone.Resolve(palette).isValid());
    EXPECT_TRUE(clBtnFace.IsSystemColor());
    EXPECT_FALSE(clBlack.IsSystemColor());
}

struct FlagCase {
    const char *name;
    unsigned flags;
    int qtFlags;
    Qt::TextElideMode elide;
};

TEST(TextFlags, MapToQtFlags) {
    const std::vector<FlagCase> cases{
        {"left top with mnemonics", DT_LEFT, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic,
         Qt::ElideNone},
        {"single line centred", DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX,
         Qt::TextSingleLine | Qt::AlignVCenter | Qt::AlignHCenter, Qt::ElideNone},
        {"vertical centre needs a single line", DT_VCENTER | DT_RIGHT | DT_NOPREFIX,
         Qt::AlignRight | Qt::AlignTop, Qt::ElideNone},
        {"caption of a button", DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER,
         Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs |
             Qt::TextShowMnemonic,
         Qt::ElideNone},
        {"path ellipsis", DT_PATH_ELLIPSIS | DT_NOPREFIX, Qt::AlignLeft | Qt::AlignTop,
         Qt::ElideMiddle},
        {"end ellipsis", DT_END_ELLIPSIS | DT_NOPREFIX, Qt::AlignLeft | Qt::AlignTop,
         Qt::ElideRight},
    };
    for (const FlagCase &c : cases) {
        SCOPED_TRACE(c.name);
        const QtTextFlags q = TextFlagsToQt(c.flags);
        EXPECT_EQ(q.flags, c.qtFlags);
        EXPECT_EQ(q.elide, c.elide);
    }
    EXPECT_TRUE(TextFlagsToQt(DT_CALCRECT).calcRect);
    EXPECT_FALSE(TextFlagsToQt(DT_NOCLIP).clip);
    EXPECT_TRUE(TextFlagsToQt(DT_RTLREADING).rightToLeft);
}

} // namespace
