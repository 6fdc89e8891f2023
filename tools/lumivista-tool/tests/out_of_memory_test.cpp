// Memory running out while files are read. The sanitizers' allocator never throws, so this
// test binary puts its own operator new under a ceiling, as an address-space limit would:
// beyond it std::bad_alloc is thrown. Albums and skins whose blocks are bigger than the
// ceiling then take the paths a real shortage takes.

#include "album/album.h"
#include "album/album_file.h"
#include "app/skin/panel_loader.h"
#include "app/skin/skin_file.h"
#include "common/byte_sink.h"
#include "common/little_endian.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "tools/lumivista-tool/album_command.h"
#include "tools/lumivista-tool/memory_guard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>

namespace {

std::atomic<std::size_t> gCeiling{SIZE_MAX};

void* allocate(std::size_t size)
{
    if (size > gCeiling.load())
        throw std::bad_alloc();
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return size > gCeiling.load() ? nullptr : std::malloc(size ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return size > gCeiling.load() ? nullptr : std::malloc(size ? size : 1); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

namespace lv {
namespace {

constexpr std::size_t kCeiling = 8 << 20;
constexpr std::uint32_t kBlock = 12 << 20;  // one block of the file, above the ceiling

struct Ceiling {
    Ceiling() { gCeiling = kCeiling; }
    ~Ceiling() { gCeiling = SIZE_MAX; }
};

// A sound album of one photo whose thumbnail block is kBlock bytes.
std::vector<std::uint8_t> AlbumWithLargeThumbnail()
{
    std::vector<std::uint8_t> bytes(album::kHeaderSize + album::kRecordSize + kBlock, 0);
    std::memcpy(bytes.data(), album::kMagic, sizeof album::kMagic);
    StoreLE32(bytes.data() + 4, std::uint32_t(bytes.size()));
    StoreLE32(bytes.data() + 8, 1);
    StoreLE32(bytes.data() + 12, album::kHeaderSize + album::kRecordSize);
    std::memcpy(bytes.data() + album::kHeaderSize + album::offset::kPath, "/fotos/a.jpg", 12);
    StoreLE32(bytes.data() + album::kHeaderSize + album::offset::kThumbSize, kBlock);
    return bytes;
}

class OutOfMemory : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
    testing::TempDir dir;
};

TEST_F(OutOfMemory, TheToolNamesTheFileAndExitsAsForAnUnreadableInput)
{
    const std::string path = dir.file("big.abm");
    ASSERT_TRUE(WriteWholeFile(path, AlbumWithLargeThumbnail()));
    const tool::Command album{"album", "", tool::RunAlbum};
    const std::vector<std::string> args{"info", path};
    EXPECT_EXIT(
        {
            Ceiling ceiling;
            std::exit(tool::RunWithinMemory(album, args));
        },
        ::testing::ExitedWithCode(tool::kExitCannotRead), "Não há memória suficiente\\. --- .*big\\.abm");
    // Without the ceiling the same album reads.
    EXPECT_EXIT(std::exit(tool::RunWithinMemory(album, args)), ::testing::ExitedWithCode(tool::kExitOk), "");
}

TEST_F(OutOfMemory, TheProgramsAlbumAndSkinReadsShowTheMessageAndGoOn)
{
    testing::UiRecorder ui;
    const std::string albumPath = dir.file("big.abm");
    ASSERT_TRUE(WriteWholeFile(albumPath, AlbumWithLargeThumbnail()));
    album::Album opened;
    {
        Ceiling ceiling;
        EXPECT_FALSE(opened.read(albumPath));
    }
    EXPECT_EQ(opened.count(), 0u);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Não há memória suficiente. --- " + albumPath});

    // A skin whose one button picture is bigger than the ceiling: the panel has no buttons.
    std::filesystem::create_directories(dir.path() / "ui");
    HDIB background = AllocatePicture(212, 220, 24, 0);
    ASSERT_EQ(WriteBmp(dir.file("ui/screen13.640"), background), WriteResult::Written);
    skin::SkinFileContent content;
    content.screens.resize(14);
    for (auto& screen : content.screens)
        screen.push_back({{std::vector<std::uint8_t>(kBlock, 1)}, {}});
    MemorySink sink;
    ASSERT_TRUE(skin::WriteSkinFile(sink, content));
    ASSERT_TRUE(WriteWholeFile(dir.file("ui/button.640"), sink.bytes()));
    skin::LoadedPanel panel;
    {
        Ceiling ceiling;
        panel = skin::LoadPanel(13, skin::SkinVariant::Small, dir.path().string(), skin::StandardPictureDecoder());
    }
    EXPECT_TRUE(panel.background && panel.buttons.empty());
    // The memory message, then the skin file's own.
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Não há memória suficiente. --- " + albumPath,
                                                    "Não há memória suficiente. --- " + dir.file("ui/button.640"),
                                                    "Não é possível abrir o arquivo componente."}));
}

}  // namespace
}  // namespace lv
