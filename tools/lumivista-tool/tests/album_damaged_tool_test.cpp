// album add: a damaged photo joins the album and is listed once as added with a problem.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "tool_support.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

class AlbumDamagedTool : public testing::ToolFolder {};

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST_F(AlbumDamagedTool, ATruncatedJpegIsAddedAndListedOnce)
{
    writePicture("boa.bmp", 300, 200, [](int x, int y) { return testing::Rgb{std::uint8_t(x * y), std::uint8_t(x), 40}; });
    ASSERT_EQ(testing::Tool("convert " + quoted("boa.bmp") + " " + quoted("boa.jpg")).exitCode, 0);
    auto bytes = ReadWholeFile(file("boa.jpg")).value_or(std::vector<std::uint8_t>{});
    bytes.resize(bytes.size() / 2);
    ASSERT_TRUE(WriteWholeFile(file("cortada.jpg"), bytes));
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(jobs);
        const auto r = testing::Tool("album make " + quoted("a.abm") + " " + quoted("boa.jpg") + " " + quoted("cortada.jpg") +
                                     " " + quoted("sumiu.jpg") + " --jobs " + jobs);
        EXPECT_EQ(r.exitCode, 3) << "one file could not be added";
        EXPECT_EQ(Count(r.err, "not added: " + file("sumiu.jpg")), 1u) << r.err;
        EXPECT_EQ(Count(r.err, "added with a problem: " + file("cortada.jpg") + ": "), 1u) << r.err;
        EXPECT_EQ(Count(r.err, "boa.jpg"), 0u) << r.err;
        const auto info = testing::Tool("album info " + quoted("a.abm") + " --json");
        EXPECT_NE(info.out.find("cortada.jpg"), std::string::npos) << info.out;
    }
}

}  // namespace
}  // namespace lv
