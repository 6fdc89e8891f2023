// Projects: refilling an A4 calendar page (three placeholders, pieces as the program ships
// them: one-layer layered files, JPEG image and run-length mask) and dropping a 4000 × 3000
// photo into a placeholder (from a bitmap, and from a JPEG to show the decoder's share).

#include "bench_support.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "imagelib/dib_geometry.h"
#include "projects/calendar.h"
#include "projects/placeholders.h"

#include <filesystem>
#include <memory>

namespace lv::bench {
namespace {

// An A4 page at 200 pixels per inch.
constexpr int kPageWidth = 1654;
constexpr int kPageHeight = 2339;

void writePiece(const std::string& path, int width, int height)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    auto stack = CreateEmptyLayerStack(width, height, 24);
    HDIB image = MakePhoto(width, height);
    HDIB mask = MakeGreyFilled(width, height, 255);
    for (int y = 0; y < height; y += 3)
        std::fill(mask.row(y), mask.row(y) + width / 3, 0);
    InsertLayer(*stack, image, mask, 0, false);
    CompositeLayers(*stack);
    WriteLayeredFile(path, *stack);
}

struct Calendar {
    Calendar()
    {
        writePiece(folder + "/cal1/calyear/2000.vlf", 700, 160);
        writePiece(folder + "/cal1/calmonth/02.vlf", 520, 150);
        writePiece(folder + "/cal1/calweek/Tu29.vlf", 1400, 1000);
    }
    std::unique_ptr<LayerStack> page() const
    {
        auto stack = CreateEmptyLayerStack(kPageWidth, kPageHeight, 24);
        const auto add = [&](int width, int height, std::uint32_t colour, const char* name, int x, int y) {
            HDIB image = DibCreate(width, height, colour, false);
            HDIB mask;
            const int index = stack->layerCount;
            InsertLayer(*stack, image, mask, index, false);
            stack->layers[std::size_t(index)].name = name;
            stack->layers[std::size_t(index)].x = x;
            stack->layers[std::size_t(index)].y = y;
        };
        add(680, 150, 0x202020, "Year//a//1", 480, 2100);
        add(500, 140, 0x404040, "Month//a//1", 580, 1900);
        add(1380, 990, 0x606060, "Days//a//1", 130, 100);
        add(1400, 700, 0xC0C0C0, "photo", 130, 1150);
        add(kPageWidth, kPageHeight, 0xFFFFFF, "background", 0, 0);
        CompositeLayers(*stack);
        return stack;
    }
    std::string folder = ScratchPath("calendar");
    std::string templatePath = folder + "/wall.vlf";
};

const Calendar& calendar()
{
    static const Calendar c;
    return c;
}

void BM_RefillCalendarPage(benchmark::State& state)
{
    const Calendar& c = calendar();
    for (auto _ : state) {
        state.PauseTiming();
        auto page = c.page();
        state.ResumeTiming();
        if (RefillCalendar(*page, c.templatePath, 2000, 2) != 1)
            state.SkipWithError("a piece is missing");
        benchmark::DoNotOptimize(page->composite.data());
    }
}
BENCHMARK(BM_RefillCalendarPage)->Unit(benchmark::kMillisecond)->Iterations(10);

struct Photos {
    Photos()
    {
        HDIB photo = MakePhoto(4000, 3000);
        WriteBmp(bmp, photo);
        WriteJpeg(jpeg, photo, 90);
    }
    std::string bmp = ScratchPath("drop-photo.bmp");
    std::string jpeg = ScratchPath("drop-photo.jpg");
};

const Photos& photos()
{
    static const Photos p;
    return p;
}

void dropInto(benchmark::State& state, const std::string& photo)
{
    const Calendar& c = calendar();
    for (auto _ : state) {
        state.PauseTiming();
        auto page = c.page();
        page->currentLayer = 3;
        state.ResumeTiming();
        if (!DropPhoto(*page, photo, c.templatePath).dropped)
            state.SkipWithError("the drop failed");
        benchmark::DoNotOptimize(page->composite.data());
    }
}

void BM_DropPhoto4000x3000Bitmap(benchmark::State& state)
{
    dropInto(state, photos().bmp);
}
BENCHMARK(BM_DropPhoto4000x3000Bitmap)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DropPhoto4000x3000Jpeg(benchmark::State& state)
{
    dropInto(state, photos().jpeg);
}
BENCHMARK(BM_DropPhoto4000x3000Jpeg)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace lv::bench

LV_BENCH_MAIN()
