#include "controls/framework/tcolor.h"

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

} // namespace
