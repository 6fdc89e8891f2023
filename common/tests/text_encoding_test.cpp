#include "common/text_encoding.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(TextEncoding, Utf8ValidationRejectsMalformedSequences)
{
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("Atenção € 𝄞"));
    // Truncated, overlong in two and three bytes, a surrogate, beyond U+10FFFF, Windows-1252.
    for (const char* bad : {"\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "S\xE3o"})
        EXPECT_FALSE(IsValidUtf8(bad)) << bad;
}

TEST(TextEncoding, Windows1252MapsEveryByte)
{
    EXPECT_EQ(Windows1252ToUtf8("S\xE3o Jo\xE3o"), "São João");
    EXPECT_EQ(Windows1252ToUtf8("\x80\x96\x9F"), "€–Ÿ");
    EXPECT_EQ(Windows1252ToUtf8("\x81"), "\xC2\x81");
    EXPECT_EQ(ToUtf8("já UTF-8"), "já UTF-8");
    EXPECT_EQ(ToUtf8("j\xE1"), "já");
}

}  // namespace
}  // namespace lv
