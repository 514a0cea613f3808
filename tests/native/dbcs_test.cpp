#include <gtest/gtest.h>

#include "core/dbcs.h"

namespace {
TEST(DoubleByteText, FindCountsOnlyMatchesOnCharacterBoundaries) {
    const struct {
        std::string text;
        std::size_t expected;
    } cases[] = {
        {"<x>zh_CN</x>", 3},
        {"\xD6\xD0zh_CN", 2},          // after a whole double-byte character
        {"\xD6zh_CNzh_CN", 6},         // the first 'z' is the second byte of a character
        {"\xD6z" "h_CN", kNotFound},   // only match starts inside a character
        {"zh_cn", kNotFound},          // case matters
        {"", kNotFound},
        {"zh_C", kNotFound},
    };
    for (const auto& c : cases) EXPECT_EQ(dbcsFind(c.text, "zh_CN"), c.expected) << c.text;
}

TEST(DoubleByteText, TrailBytesAreNeverBackslashes) {
    EXPECT_TRUE(dbcsEndsWith("C:\\Users\\", '\\'));
    EXPECT_FALSE(dbcsEndsWith("C:\\Users", '\\'));
    EXPECT_FALSE(dbcsEndsWith("C:\\\x95\x5C", '\\'));  // a character whose second byte is 0x5C
    EXPECT_TRUE(dbcsEndsWith("C:\\\x95\x5C\\", '\\'));
    EXPECT_FALSE(dbcsEndsWith("", '\\'));
    EXPECT_EQ(dbcsFindLast("a\\b\x95\x5C" "c", '\\'), 1u);
    EXPECT_EQ(dbcsFindLast("abc\xD6", '\\'), kNotFound);  // a lone lead byte at the end
}
}  // namespace
