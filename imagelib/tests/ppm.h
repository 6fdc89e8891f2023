#pragma once
// Reads the binary PPM references that the fixture scripts write with independent tools.

#include "common/byte_source.h"
#include "imagelib/dib_convert.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace lv::testing {

struct RgbRaster {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // top row first
    Rgb at(int x, int topY) const { return pixels[std::size_t(topY * width + x)]; }
};

// The fixture names listed one per line in a folder's fixtures.txt.
inline std::vector<std::string> FixtureNames(const std::string& folder)
{
    std::ifstream list(folder + "fixtures.txt");
    std::vector<std::string> names;
    for (std::string name; std::getline(list, name);)
        if (!name.empty())
            names.push_back(name);
    return names;
}

inline std::optional<RgbRaster> ReadPpm(const std::string& path)
{
    const auto bytes = ReadWholeFile(path);
    if (!bytes)
        return std::nullopt;
    std::string head(bytes->begin(), bytes->begin() + std::min<std::size_t>(bytes->size(), 64));
    std::istringstream in(head);
    std::string magic;
    int maxval = 0;
    RgbRaster r;
    in >> magic >> r.width >> r.height >> maxval;
    if (magic != "P6" || maxval != 255)
        return std::nullopt;
    const std::size_t start = std::size_t(in.tellg()) + 1;
    if (bytes->size() < start + std::size_t(r.width * r.height * 3))
        return std::nullopt;
    for (int i = 0; i < r.width * r.height; ++i) {
        const std::uint8_t* p = bytes->data() + start + 3 * i;
        r.pixels.push_back({p[0], p[1], p[2]});
    }
    return r;
}

// Whether a reader's picture, widened to 24 bits, shows exactly the reference raster in `ppm`.
inline ::testing::AssertionResult ShowsReference(ReadResult result, const std::string& ppm)
{
    if (!result.ok())
        return ::testing::AssertionFailure() << "reader result " << result.value();
    HDIB picture = result.take();
    if (picture.bitCount() != 24)
        picture = DibPromoteTo24(picture);
    const auto ref = ReadPpm(ppm);
    if (!ref)
        return ::testing::AssertionFailure() << "no reference " << ppm;
    if (!picture || picture.width() != ref->width || picture.height() != ref->height)
        return ::testing::AssertionFailure() << "size " << picture.width() << "x" << picture.height();
    for (int top = 0; top < ref->height; ++top)
        for (int x = 0; x < ref->width; ++x) {
            const Rgb got = Pixel24(picture, x, picture.height() - 1 - top), want = ref->at(x, top);
            if (!(got == want))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << top << ") is " << int(got.r) << ","
                                                     << int(got.g) << "," << int(got.b) << " not " << int(want.r) << ","
                                                     << int(want.g) << "," << int(want.b);
        }
    return ::testing::AssertionSuccess();
}

}  // namespace lv::testing
