// Slides read from real album files: paths made absolute, texts carried, and files that
// are no album refused with the show's message.

#include "output/album_slides.h"

#include "album/album_file.h"
#include "common/byte_sink.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lv {
namespace {

album::AlbumEntry Entry(std::string_view path, bool relative, std::string_view caption = {})
{
    album::AlbumEntry entry(48);  // a few thumbnail bytes, so records and thumbnails are told apart
    entry.setThumbSize(48);
    entry.setPath(path);
    entry.setRelative(relative);
    if (!caption.empty())
        entry.setCaption(caption);
    return entry;
}

std::string WriteBytes(const testing::TempDir& dir, const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    const std::string path = dir.file(name);
    EXPECT_TRUE(WriteWholeFile(path, bytes));
    return path;
}

TEST(AlbumSlides, PathsComeBackAbsoluteWithTheirTextsInAlbumOrder)
{
    testing::TempDir dir;
    const std::string path = WriteBytes(dir, "album1.abm",
                                        album::EncodeAlbum({Entry("/fotos/praia.jpg", false),
                                                            Entry("photos\\natal.bmp", true, "Natal em família"),
                                                            Entry("/photos/relativa.png", true),
                                                            Entry("/fotos/zé.png", false, "ç")}));
    const auto slides = ReadAlbumSlides(path, "/opt/lumivista");
    ASSERT_TRUE(slides);
    using Read = std::vector<std::pair<std::string, std::string>>;
    Read read;
    for (const Slide& slide : *slides)
        read.emplace_back(slide.path, slide.text);
    // Written on the old platform with "\": joined to the program folder with "/".
    EXPECT_EQ(read, (Read{{"/fotos/praia.jpg", ""},
                          {"/opt/lumivista/photos/natal.bmp", "Natal em família"},
                          {"/opt/lumivista/photos/relativa.png", ""},
                          {"/fotos/zé.png", "ç"}}));

    // The same through the reader the command uses, with a program folder ending in "/".
    const auto again = AlbumFileSlideReader("/usr/lib/lumivista/")(path);
    ASSERT_TRUE(again);
    EXPECT_EQ((*again)[1].path, "/usr/lib/lumivista/photos/natal.bmp");
}

TEST(AlbumSlides, FilesThatAreNoAlbumGiveNothingAndTheShowSaysSo)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    std::vector<std::uint8_t> header(album::kHeaderSize, 0);
    std::memcpy(header.data(), "REZE", 4);
    std::vector<std::uint8_t> otherMagic = header;
    std::memcpy(otherMagic.data(), "RIFF", 4);
    const std::vector<std::uint8_t> shortHeader(header.begin(), header.end() - 1);

    const AlbumSlideReader reader = AlbumFileSlideReader(dir.path());
    for (const std::string& path : {dir.file("missing.abm"), WriteBytes(dir, "short.abm", shortHeader),
                                    WriteBytes(dir, "other.abm", otherMagic), dir.path().string()}) {
        EXPECT_FALSE(ReadAlbumSlides(path, dir.path())) << path;
        EXPECT_FALSE(ReadShowSlides(reader, path)) << path;
    }
    ASSERT_EQ(ui.messages.size(), 4u);
    for (const auto& message : ui.messages)
        EXPECT_EQ(message.text, "Não existem imagens no álbum.");

    // A header alone is an album without photos: the show opens with black slides, no message.
    const auto empty = ReadShowSlides(reader, WriteBytes(dir, "empty.abm", header));
    ASSERT_TRUE(empty);
    EXPECT_EQ(std::tuple(empty->size(), ui.messages.size()), std::tuple(0u, 4u));
}

}  // namespace
}  // namespace lv
