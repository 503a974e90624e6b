#include "interchange/FieldText.h"

#include <gtest/gtest.h>

TEST(FieldText, LineAndColumnBreaksBecomeBlanks)
{
    EXPECT_EQ(singleLineField(u"a\tb\r\nc\fd"), QStringLiteral("a b  c d"));
    EXPECT_EQ(singleLineField(u"plain text"), QStringLiteral("plain text"));
    EXPECT_EQ(singleLineField(u""), QString());
    // Other control characters are data, not layout.
    EXPECT_EQ(singleLineField(u"x\vy"), QStringLiteral("x\vy"));
}
