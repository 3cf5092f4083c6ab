#include "controls/painting/textflags.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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
