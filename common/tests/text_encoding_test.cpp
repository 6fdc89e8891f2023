#include "common/text_encoding.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(TextEncoding, Utf8ValidationRejectsMalformedSequences)
{
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("Atenção € 𝄞"));
    EXPECT_FALSE(IsValidUtf8("\xC3"));          // truncated
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));  // overlong, three bytes
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));
    EXPECT_FALSE(IsValidUtf8("S\xE3o"));        // Windows-1252
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
