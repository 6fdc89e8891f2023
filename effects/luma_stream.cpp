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

std::unique_ptr<BlurStream> BlurredLumaStream(ConstRaster in, double sigma, int kept, int threads)
{
    const BlurStream::SourceMaker luma = [in](int first, int end) {
        auto row = std::make_shared<std::vector<float>>(std::size_t(in.width));
        return BlurStream::RowSource([in, first, end, row](int y) {
            LumaRow(in.row(y), first, end, in.channels, row->data());
            return static_cast<const float*>(row->data());
        });
    };
    const std::vector<BoxPass> passes = GaussianBoxes(sigma);
    return std::make_unique<BlurStream>(in.width, in.height, 1, luma, passes, passes, kept, threads);
}

}  // namespace lv::effects
