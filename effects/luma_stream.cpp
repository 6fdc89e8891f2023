#include "effects/luma_stream.h"

#include <vector>

namespace lv::effects {

void LumaRow(const std::uint8_t* in, int first, int end, int channels, float* row)
{
    if (channels == 1)
        for (int x = first; x < end; ++x)
            row[x] = float(in[x]);
    else
        for (int x = first; x < end; ++x)
            row[x] = 0.114f * in[3 * x] + 0.587f * in[3 * x + 1] + 0.299f * in[3 * x + 2];
}

std::unique_ptr<BlurStream> FilledBlurStream(int width, int height, int channels, RowFill fill, std::vector<BoxPass> across,
                                             std::vector<BoxPass> down, int kept, int threads)
{
    // Each band of columns fills its own row, only the columns it reads.
    const BlurStream::SourceMaker maker = [width, channels, fill](int first, int end) {
        auto row = std::make_shared<std::vector<float>>(std::size_t(width) * std::size_t(channels));
        return BlurStream::RowSource([fill, first, end, row](int y) {
            fill(y, first, end, row->data());
            return static_cast<const float*>(row->data());
        });
    };
    return std::make_unique<BlurStream>(width, height, channels, maker, std::move(across), std::move(down), kept, threads);
}

std::unique_ptr<BlurStream> BlurredLumaStream(ConstRaster in, double sigma, int kept, int threads)
{
    const std::vector<BoxPass> passes = GaussianBoxes(sigma);
    return FilledBlurStream(in.width, in.height, 1, [in](int y, int first, int end, float* row) { LumaRow(in.row(y), first, end, in.channels, row); },
                            passes, passes, kept, threads);
}

std::unique_ptr<BlurStream> BlurredCopyStream(ConstRaster in, double sigma, int kept, int threads)
{
    const std::vector<BoxPass> passes = GaussianBoxes(sigma);
    const int ch = in.channels;
    return FilledBlurStream(in.width, in.height, ch, [in, ch](int y, int first, int end, float* row) {
        const std::uint8_t* s = in.row(y);
        for (std::size_t i = std::size_t(first) * std::size_t(ch), n = std::size_t(end) * std::size_t(ch); i < n; ++i)
            row[i] = float(s[i]);
    }, passes, passes, kept, threads);
}

}  // namespace lv::effects
