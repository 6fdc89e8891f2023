#include "output/slide_painter.h"

#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "common/byte_sink.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/load_save.h"
#include "output/slide_show.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>

namespace lv {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;  // DibCreate's colour: red in the low byte
constexpr std::uint32_t kGreen = 0x00FF00;

std::uint32_t At(const SlidePainter& painter, int x, int y)
{
    return painter.screen().pixel(x, y);
}

TEST(SlidePainter, PhotosAreFittedKeepingTheirProportionsAndCentred)
{
    // Small photos grow; none is thinner than a pixel.
    const std::pair<std::array<int, 4>, Rect> cases[] = {
        {{400, 300, 100, 100}, {0, 12, 100, 87}}, {{1920, 1080, 1920, 1080}, {0, 0, 1920, 1080}},
        {{300, 400, 800, 600}, {175, 0, 625, 600}}, {{10, 10, 800, 600}, {100, 0, 700, 600}},
        {{5000, 1, 100, 100}, {0, 49, 100, 50}}, {{0, 10, 100, 100}, {}}};
    for (const auto& [in, rect] : cases)
        EXPECT_EQ(FittedSlideRect(in[0], in[1], in[2], in[3]),
                  rect) << in[0] << "x" << in[1] << " on " << in[2] << "x" << in[3];
}

// A show's sequence of slides on one screen: a wide photo, one that can't be loaded, a
// tall one drawn over the black screen, and the wide one again over the tall one.
TEST(SlidePainter, EachSlideEndsFittedBetweenBlackBandsWhateverCameBefore)
{
    std::map<std::string, HDIB> photos;
    photos["wide"] = DibCreate(40, 20, kRed, false);
    photos["tall"] = DibCreate(10, 30, kGreen, false);
    const PhotoLoader loader = [&](const std::string& path) -> HDIB {
        const auto it = photos.find(path);
        return it == photos.end() ? HDIB() : DibScaledCopy(it->second, it->second.width(), it->second.height(), false);
    };
    const Slide wide{"wide", ""}, missing{"missing", ""}, tall{"tall", ""};
    SlidePainter painter(80, 60);
    ShowRandom random(3);

    painter.begin(&wide, loader, "Cortina", true, random);
    EXPECT_EQ(painter.slideRect(), (Rect{0, 10, 80, 50}));
    EXPECT_EQ(painter.choice().index, kCurtain);
    EXPECT_TRUE(painter.drawing() && painter.drawDue(100));
    for (const auto& [x, y, colour] : {std::tuple{0, 9, kScreenBlack}, {0, 10, ScreenPixel(255, 0, 0)},
                                       {79, 49, ScreenPixel(255, 0, 0)}, {79, 50, kScreenBlack}})
        EXPECT_EQ(At(painter, x, y), colour) << x << "," << y;

    painter.begin(&missing, loader, "Cortina", true, random);
    EXPECT_FALSE(painter.drawing());
    for (int y = 0; y < 60; y += 7)
        for (int x = 0; x < 80; x += 9)
            ASSERT_EQ(At(painter, x, y), kScreenBlack);

    painter.begin(&tall, loader, "Aleatório", true, random);
    EXPECT_EQ(painter.slideRect(), (Rect{30, 0, 50, 60}));
    painter.drawDue(0);
    painter.finish();
    EXPECT_FALSE(painter.drawing());
    EXPECT_EQ(std::tuple(At(painter, 29, 30), At(painter, 30, 30), At(painter, 50, 30)),
              std::tuple(kScreenBlack, ScreenPixel(0, 255, 0), kScreenBlack));

    // Before the plain copy is drawn the bands of the wide slide are already black and its
    // place still shows the tall slide.
    painter.begin(&wide, loader, "Nenhum", false, random);
    EXPECT_EQ(painter.choice(), (TransitionChoice{kNoTransition, 0}));
    EXPECT_EQ(std::tuple(At(painter, 40, 5), At(painter, 40, 30)), std::tuple(kScreenBlack, ScreenPixel(0, 255, 0)));
    painter.drawDue(0);
    EXPECT_EQ(At(painter, 40, 30), ScreenPixel(255, 0, 0));

    painter.begin(nullptr, loader, "Cortina", true, random);
    EXPECT_EQ(At(painter, 40, 30), kScreenBlack);
    painter.resize(10, 10);
    EXPECT_EQ(painter.screen(), ScreenBitmap(10, 10));
}

TEST(SlidePainter, PhotosLoadWithTheBusyPointerAndNothingElseOverTheShow)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    // Tall enough that the reader reports its progress on the way.
    HDIB photo = DibCreate(40, 300, kGreen, false);
    const std::string tif = dir.file("alta.tif");
    ASSERT_EQ(SaveImageFile(photo, tif, false), WriteResult::Written);
    ui.progress.clear();
    const int busyBefore = ui.busyCount;
    EXPECT_TRUE(LoadSlidePhoto(tif));
    EXPECT_GT(ui.busyCount, busyBefore);
    EXPECT_EQ(std::tuple(ui.busyDepth, ui.progress.empty()), std::tuple(0, true));

    // Damaged photos of several kinds: black slides without a word.
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {"cortada.jpg", std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11)},
        {"falsa.png", "\x89PNG\r\n\x1A\n não é imagem"},
        {"vazia.bmp", ""},
        {"desconhecida.xyz", "texto qualquer"},
    };
    for (const auto& [name, bytes] : damaged) {
        ASSERT_TRUE(WriteWholeFile(dir.file(name), std::vector<std::uint8_t>(bytes.begin(), bytes.end())));
        EXPECT_FALSE(LoadSlidePhoto(dir.file(name))) << name;
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    EXPECT_EQ(std::tuple(ui.busyDepth, ui.beeps), std::tuple(0, 0));
}

TEST(ScreenBitmap, PicturesGoThroughTheScreenFormatUnchanged)
{
    HDIB picture = DibCreate(5, 3, 0x123456, false);
    picture.row(0)[0] = 1, picture.row(0)[1] = 2, picture.row(0)[2] = 3;  // bottom-left pixel
    const ScreenBitmap bitmap = ScreenBitmapFromDib(picture);
    EXPECT_EQ(std::tuple(bitmap.pixel(0, 2), bitmap.pixel(4, 0)),
              std::tuple(ScreenPixel(3, 2, 1), ScreenPixel(0x56, 0x34, 0x12)));
    HDIB back = DibFromScreenBitmap(bitmap);
    ASSERT_TRUE(back);
    ASSERT_EQ(back.bitCount(), 24);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(std::memcmp(back.row(y), picture.row(y), 15), 0) << y;
    EXPECT_TRUE(ScreenBitmapFromDib(HDIB()).empty());
    EXPECT_FALSE(DibFromScreenBitmap(ScreenBitmap()));
    ScreenBitmap small(3, 2, kScreenBlack);
    small.fill({-5, 1, 2, 9}, 7);
    EXPECT_EQ(std::tuple(small.pixel(1, 1), small.pixel(2, 1), small.pixel(0, 0)),
              std::tuple(7u, kScreenBlack, kScreenBlack));
}

}  // namespace
}  // namespace lv
