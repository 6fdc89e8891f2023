#include "effects/point_ops.h"

#include "effects/parallel.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace lv::effects {

Curve MakeCurve(const std::function<double(double)>& f)
{
    Curve curve{};
    for (int i = 0; i < 256; ++i)
        curve[std::size_t(i)] = ClampByte(int(std::lround(f(i / 255.0) * 255.0)));
    return curve;
}

Curve IdentityCurve()
{
    Curve curve{};
    for (int i = 0; i < 256; ++i)
        curve[std::size_t(i)] = std::uint8_t(i);
    return curve;
}

void ApplyCurve(ConstRaster in, Raster out, const Curve& curve, int threads)
{
    // Two samples per read: a table of every pair of bytes (128 KiB, kept in the cache)
    // halves the reads of the plain byte table.
    std::vector<std::uint16_t> pairs(65536);
    for (unsigned v = 0; v < 65536; ++v)
        pairs[v] = std::uint16_t(curve[v & 255] | (curve[v >> 8] << 8));
    ParallelFor(in.height, ThreadsFor((long long)in.height * (long long)in.rowSamples(), threads), [&](int begin, int end) {
        const std::uint16_t* table = pairs.data();
        for (int y = begin; y < end; ++y) {
            const std::uint8_t* s = in.row(y);
            std::uint8_t* d = out.row(y);
            const std::size_t n = in.rowSamples();
            std::size_t i = 0;
            for (; i + 2 <= n; i += 2) {
                std::uint16_t v;
                std::memcpy(&v, s + i, 2);
                v = table[v];
                std::memcpy(d + i, &v, 2);
            }
            for (; i < n; ++i)
                d[i] = curve[s[i]];
        }
    });
}

void ApplyCurves(ConstRaster in, Raster out, const std::array<Curve, 3>& curves, int threads)
{
    ParallelFor(in.height, ThreadsFor((long long)in.height * (long long)in.rowSamples(), threads), [&](int begin, int end) {
        const Curve &b = curves[0], &g = curves[1], &r = curves[2];
        for (int y = begin; y < end; ++y) {
            const std::uint8_t* s = in.row(y);
            std::uint8_t* d = out.row(y);
            for (int x = 0; x < in.width; ++x, s += 3, d += 3) {
                d[0] = b[s[0]];
                d[1] = g[s[1]];
                d[2] = r[s[2]];
            }
        }
    });
}

void ApplyMatrix(ConstRaster in, Raster out, const std::array<Curve, 3>& curves, const ColourMatrix& m, int threads)
{
    // table[i][j][v] = m[i][j] · curve_j(v) in 1/1024ths, so each output is three table reads.
    std::vector<std::int32_t> table(9 * 256);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int v = 0; v < 256; ++v)
                table[std::size_t((i * 3 + j) * 256 + v)] =
                    std::int32_t(std::lround(m[std::size_t(i)][std::size_t(j)] * curves[std::size_t(j)][std::size_t(v)] * 1024.0));
    ParallelFor(in.height, ThreadsFor((long long)in.height * (long long)in.rowSamples(), threads), [&](int begin, int end) {
        const std::int32_t* t = table.data();
        for (int y = begin; y < end; ++y) {
            const std::uint8_t* s = in.row(y);
            std::uint8_t* d = out.row(y);
            for (int x = 0; x < in.width; ++x, s += 3, d += 3)
                for (int i = 0; i < 3; ++i)
                    d[i] = ClampByte((t[(i * 3) * 256 + s[0]] + t[(i * 3 + 1) * 256 + s[1]] + t[(i * 3 + 2) * 256 + s[2]] + 512) >> 10);
        }
    });
}

void ApplySaturation(ConstRaster in, Raster out, const Curve& curve, double factor, int threads)
{
    // out_i = f·c(x_i) + (1 − f)·Σ w_j·c(x_j), in 1/1024ths.
    const double w[3] = {0.114, 0.587, 0.299};
    std::array<std::int32_t, 256> own{};
    std::array<std::array<std::int32_t, 256>, 3> mix{};
    for (std::size_t v = 0; v < 256; ++v) {
        own[v] = std::int32_t(std::lround(factor * curve[v] * 1024.0));
        for (std::size_t j = 0; j < 3; ++j)
            mix[j][v] = std::int32_t(std::lround((1.0 - factor) * w[j] * curve[v] * 1024.0));
    }
    ParallelFor(in.height, ThreadsFor((long long)in.height * (long long)in.rowSamples(), threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const std::uint8_t* s = in.row(y);
            std::uint8_t* d = out.row(y);
            for (int x = 0; x < in.width; ++x, s += 3, d += 3) {
                const std::int32_t grey = mix[0][s[0]] + mix[1][s[1]] + mix[2][s[2]] + 512;
                const std::uint8_t b = ClampByte((own[s[0]] + grey) >> 10), g = ClampByte((own[s[1]] + grey) >> 10),
                                   r = ClampByte((own[s[2]] + grey) >> 10);
                d[0] = b, d[1] = g, d[2] = r;
            }
        }
    });
}

ColourMatrix IdentityMatrix()
{
    return {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
}

ColourMatrix Multiply(const ColourMatrix& a, const ColourMatrix& b)
{
    ColourMatrix m{};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            for (std::size_t k = 0; k < 3; ++k)
                m[i][j] += a[i][k] * b[k][j];
    return m;
}

ColourMatrix SaturationMatrix(double factor)
{
    const double w[3] = {0.114, 0.587, 0.299};  // blue, green, red
    ColourMatrix m{};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            m[i][j] = (1.0 - factor) * w[j] + (i == j ? factor : 0.0);
    return m;
}

ColourMatrix HueRotationMatrix(double radians)
{
    // Rotation about the (1, 1, 1) axis; written for red, green, blue, then reordered.
    const double c = std::cos(radians), s = std::sin(radians);
    const double third = (1.0 - c) / 3.0, root = std::sqrt(1.0 / 3.0) * s;
    const double rgb[3][3] = {{c + third, third - root, third + root},
                              {third + root, c + third, third - root},
                              {third - root, third + root, c + third}};
    ColourMatrix m{};
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            m[i][j] = rgb[2 - i][2 - j];
    return m;
}

}  // namespace lv::effects
