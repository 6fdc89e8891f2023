#include "effects/float_image.h"

#include "effects/parallel.h"

namespace lv::effects {

FloatImage ToFloat(ConstRaster raster, int threads)
{
    FloatImage image(raster.width, raster.height, raster.channels);
    ParallelFor(raster.height, ThreadsFor((long long)image.samples.size(), threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const std::uint8_t* in = raster.row(y);
            float* out = image.row(y);
            for (std::size_t i = 0, n = image.rowSamples(); i < n; ++i)
                out[i] = float(in[i]);
        }
    });
    return image;
}

void FromFloat(const FloatImage& image, Raster raster, int threads)
{
    ParallelFor(raster.height, ThreadsFor((long long)image.samples.size(), threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const float* in = image.row(y);
            std::uint8_t* out = raster.row(y);
            for (std::size_t i = 0, n = image.rowSamples(); i < n; ++i)
                out[i] = ClampByte(in[i]);
        }
    });
}

FloatImage LumaImage(ConstRaster raster, int threads)
{
    FloatImage image(raster.width, raster.height, 1);
    ParallelFor(raster.height, ThreadsFor((long long)image.samples.size(), threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const std::uint8_t* in = raster.row(y);
            float* out = image.row(y);
            if (raster.channels == 1)
                for (int x = 0; x < raster.width; ++x)
                    out[x] = float(in[x]);
            else
                for (int x = 0; x < raster.width; ++x, in += 3)
                    out[x] = 0.114f * in[0] + 0.587f * in[1] + 0.299f * in[2];
        }
    });
    return image;
}

}  // namespace lv::effects
