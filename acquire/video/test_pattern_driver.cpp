#include "acquire/video/test_pattern_driver.h"

#include "imagelib/dib.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <string>

namespace lv::video {
namespace {

constexpr std::array<Size, 4> kSizes{{{160, 120}, {320, 240}, {640, 480}, {1280, 720}}};

// Segments a–g of a seven-segment digit, bit 0 = a (top), clockwise, g the middle bar.
constexpr std::array<std::uint8_t, 10> kDigitSegments{0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

// Drawing in top-down coordinates on the bottom-up rows.
class Canvas {
public:
    Canvas(std::vector<std::uint8_t>& rows, Size size)
        : rows_(rows)
        , size_(size)
        , stride_(std::size_t(DibStride(std::uint64_t(size.width), 24)))
    {
    }

    void fill(int left, int top, int width, int height, Bgr colour)
    {
        const int right = std::min(left + width, size_.width), bottom = std::min(top + height, size_.height);
        for (int y = std::max(top, 0); y < bottom; ++y) {
            std::uint8_t* row = rows_.data() + std::size_t(size_.height - 1 - y) * stride_;
            for (int x = std::max(left, 0); x < right; ++x) {
                row[3 * x] = colour.blue;
                row[3 * x + 1] = colour.green;
                row[3 * x + 2] = colour.red;
            }
        }
    }

private:
    std::vector<std::uint8_t>& rows_;
    Size size_;
    std::size_t stride_;
};

// A digit of 6 × 10 units, segments one unit thick.
void DrawDigit(Canvas& canvas, int left, int top, int unit, int digit)
{
    const Bgr white{255, 255, 255};
    const std::uint8_t segments = kDigitSegments[std::size_t(digit)];
    const int w = 6 * unit, h = 10 * unit, half = 5 * unit;
    const struct {
        int x, y, width, height;
    } places[7] = {
        {0, 0, w, unit},                     // a
        {w - unit, 0, unit, half},           // b
        {w - unit, half, unit, h - half},    // c
        {0, h - unit, w, unit},              // d
        {0, half, unit, h - half},           // e
        {0, 0, unit, half},                  // f
        {0, half - unit / 2, w, unit},       // g
    };
    for (int s = 0; s < 7; ++s)
        if (segments & (1 << s))
            canvas.fill(left + places[s].x, top + places[s].y, places[s].width, places[s].height, white);
}

void DrawClock(Canvas& canvas, Size size, std::time_t now)
{
    std::tm local{};
    localtime_r(&now, &local);
    const int values[3] = {local.tm_hour, local.tm_min, local.tm_sec};
    const int unit = std::max(1, size.height / 60);
    // Three pairs of digits (6 units, 2 between them) and two colons of 4 units.
    const int textWidth = 3 * (6 + 2 + 6) * unit + 2 * 4 * unit;
    const int margin = 2 * unit;
    const int boxWidth = textWidth + 2 * margin, boxHeight = 10 * unit + 2 * margin;
    const int boxLeft = (size.width - boxWidth) / 2, boxTop = size.height - boxHeight - 2 * unit;
    canvas.fill(boxLeft, boxTop, boxWidth, boxHeight, Bgr{0, 0, 0});
    int x = boxLeft + margin;
    const int top = boxTop + margin;
    for (int part = 0; part < 3; ++part) {
        DrawDigit(canvas, x, top, unit, values[part] / 10);
        x += 8 * unit;
        DrawDigit(canvas, x, top, unit, values[part] % 10);
        x += 6 * unit;
        if (part < 2) {
            canvas.fill(x + unit, top + 2 * unit, unit, unit, Bgr{255, 255, 255});
            canvas.fill(x + unit, top + 7 * unit, unit, unit, Bgr{255, 255, 255});
            x += 4 * unit;
        }
    }
}

}  // namespace

Bgr TestPatternBar(int index)
{
    static constexpr std::array<Bgr, 8> kBars{{
        {255, 255, 255}, {0, 255, 255}, {255, 255, 0}, {0, 255, 0},
        {255, 0, 255}, {0, 0, 255}, {255, 0, 0}, {0, 0, 0},
    }};
    return kBars[std::size_t(index & 7)];
}

TestPatternDriver::TestPatternDriver(Clock clock)
    : clock_(std::move(clock))
{
}

bool TestPatternDriver::connect()
{
    connected_ = true;
    return true;
}

DeviceLayout TestPatternDriver::layout() const
{
    return {PixelCoding::Bgr24, size_.width, size_.height, TightBytesPerLine(PixelCoding::Bgr24, size_.width)};
}

std::vector<FormatOption> TestPatternDriver::formatOptions() const
{
    return {FormatOption{PixelCoding::Bgr24, std::string(PixelCodingName(PixelCoding::Bgr24)),
                         std::vector<Size>(kSizes.begin(), kSizes.end())}};
}

bool TestPatternDriver::setFormat(PixelCoding coding, Size size)
{
    if (coding != PixelCoding::Bgr24 || std::find(kSizes.begin(), kSizes.end(), size) == kSizes.end())
        return false;
    size_ = size;
    return true;
}

std::vector<VideoControl> TestPatternDriver::controls() const
{
    VideoControl brightness{kTestPatternBrightness, "Brilho", VideoControl::Kind::Integer, -128, 127, 1, 0, brightness_, {}};
    VideoControl moving{kTestPatternMoving, "Movimento", VideoControl::Kind::Boolean, 0, 1, 1, 1, moving_ ? 1 : 0, {}};
    return {brightness, moving};
}

bool TestPatternDriver::setControl(std::uint32_t id, int value)
{
    if (id == kTestPatternBrightness && value >= -128 && value <= 127) {
        brightness_ = value;
        return true;
    }
    if (id == kTestPatternMoving && (value == 0 || value == 1)) {
        moving_ = value != 0;
        return true;
    }
    return false;
}

std::optional<std::vector<std::uint8_t>> TestPatternDriver::nextFrame(std::chrono::milliseconds)
{
    if (!connected_)
        return std::nullopt;
    const std::size_t stride = std::size_t(DibStride(std::uint64_t(size_.width), 24));
    std::vector<std::uint8_t> rows(stride * std::size_t(size_.height));
    Canvas canvas(rows, size_);
    const int offset = moving_ ? int(frame_ * kTestPatternStep % size_.width) : 0;
    // Every line of the bars is the same.
    for (int x = 0; x < size_.width; ++x) {
        const Bgr colour = TestPatternBar(int((std::int64_t(x + offset) % size_.width) * 8 / size_.width));
        rows[3 * std::size_t(x)] = colour.blue;
        rows[3 * std::size_t(x) + 1] = colour.green;
        rows[3 * std::size_t(x) + 2] = colour.red;
    }
    for (int y = 1; y < size_.height; ++y)
        std::copy_n(rows.begin(), stride, rows.begin() + std::ptrdiff_t(std::size_t(y) * stride));
    DrawClock(canvas, size_, std::chrono::system_clock::to_time_t(clock_()));
    if (brightness_ != 0)
        for (int y = 0; y < size_.height; ++y)
            for (int i = 0; i < 3 * size_.width; ++i) {
                std::uint8_t& value = rows[std::size_t(y) * stride + std::size_t(i)];
                value = std::uint8_t(std::clamp(value + brightness_, 0, 255));
            }
    ++frame_;
    return rows;
}

}  // namespace lv::video
