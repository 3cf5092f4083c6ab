#include "console/link/serveraddress.h"

#include <gtest/gtest.h>

namespace {

TEST(ServerAddress, AcceptsOnlyFourDecimalOctets) {
    struct Case {
        const char *text;
        const char *address; // nullptr: refused
    };
    const Case cases[] = {
        {"127.0.0.1", "127.0.0.1"},
        {"010.000.0.001", "10.0.0.1"},
        {" 127.0.0.2 ", "127.0.0.2"},
        {"127.0.0.3\r", "127.0.0.3"},
        {"255.255.255.255", "255.255.255.255"},
        {"", nullptr},
        {"localhost", nullptr},
        {"127.0.0", nullptr},
        {"127.0.0.1.5", nullptr},
        {"127.0..1", nullptr},
        {"256.0.0.1", nullptr},
        {"127.0.0.-1", nullptr},
        {"127.0.0.1a", nullptr},
        {"0x7f.0.0.1", nullptr},
        {"0127.0.0.1", "127.0.0.1"},
        {"1000.0.0.1", nullptr},
        {"127.0.0.+1", nullptr},
        {"１２７.0.0.1", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<QHostAddress> parsed = parseServerAddress(QString::fromUtf8(c.text));
        if (c.address) {
            ASSERT_TRUE(parsed.has_value());
            EXPECT_EQ(parsed->toString(), QString::fromLatin1(c.address));
        } else {
            EXPECT_FALSE(parsed.has_value());
        }
    }
}

} // namespace
