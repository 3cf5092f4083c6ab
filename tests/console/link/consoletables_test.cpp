#include "console/link/consoletables.h"

#include <gtest/gtest.h>

namespace {

// A block reads the same whether its lines were never written or written empty: texts empty,
// scales 1.0, on every line; copies are independent, and a copy of an unwritten block makes a
// written one read as unwritten again.
TEST(ConsoleTables, UnwrittenControlLinesReadEmptyWithUnitScale) {
    const std::unique_ptr<ConsoleTables> t = ConsoleTables::create();
    BlockDescription &written = t->block(3, 16);
    written.entries[7] = QStringLiteral("Gain[0.1]");
    written.scale[7] = 0.1;

    for (const BlockDescription *block : {&t->block(0, 0), &t->block(3, 15), &written}) {
        const BlockDescription &b = *block;
        for (int line = 0; line < MAX_CONTROL_LINES; ++line) {
            if (&b == &written && line == 7)
                continue;
            ASSERT_TRUE(b.entries[line].isNull()) << line;
            ASSERT_TRUE(b.captions[line].isNull()) << line;
            ASSERT_EQ(b.scale[line], 1.0) << line;
        }
    }

    BlockDescription copy;
    copy = written;
    written.entries[7] = QStringLiteral("Power");
    EXPECT_EQ(copy.entries[7], "Gain[0.1]");
    EXPECT_EQ(copy.scale[7], 0.1);

    written = t->block(0, 0);
    const BlockDescription &restored = written;
    EXPECT_TRUE(restored.entries[7].isNull());
    EXPECT_EQ(restored.scale[7], 1.0);
}

} // namespace
