#include "imagelib/codecs/jpeg/jpeg_sampled.h"

#include "imagelib/dib.h"
#include "imagelib/codecs/jpeg/jpeg_limits.h"
#include "imagelib/codecs/jpeg/jpeg_managers.h"

#include <jerror.h>

#include <vector>

// As in jpeg.cpp, decode() holds no object with a destructor: a library error jumps back
// over its frame. Everything owned lives in the SampledReader of the caller's frame.

namespace lv {
namespace {

struct SampledReader {
    explicit SampledReader(ByteSource& s)
        : source(s)
    {
        cinfo.err = InstallJpegErrorManager(errors);
    }
    ~SampledReader() { jpeg_destroy_decompress(&cinfo); }
    SampledReader(const SampledReader&) = delete;
    SampledReader& operator=(const SampledReader&) = delete;

    ByteSource& source;
    jpeg_decompress_struct cinfo{};
    JpegErrorManager errors{};
    JpegSourceManager input{};
    jpeg_progress_mgr progress{};
    SampleGrid grid;
    std::vector<JSAMPLE> scanline;
    SampledPixels out;
};

bool gridFits(const SampleGrid& grid, int width, int height)
{
    for (const int x : grid.columns)
        if (x < 0 || x >= width)
            return false;
    int previous = -1;
    for (const int y : grid.rows) {
        if (y <= previous || y >= height)
            return false;
        previous = y;
    }
    return true;
}

void copyGridRow(SampledReader& r, std::size_t gridRow)
{
    const std::vector<int>& columns = r.grid.columns;
    std::uint8_t* out = r.out.bgr.data() + gridRow * columns.size() * 3;
    const JSAMPLE* line = r.scanline.data();
    if (r.out.components == 1) {
        for (const int x : columns) {
            out[0] = out[1] = out[2] = line[x];
            out += 3;
        }
        return;
    }
    for (const int x : columns) {
        const JSAMPLE* p = line + std::size_t(x) * 3;
        *out++ = p[0], *out++ = p[1], *out++ = p[2];
    }
}

ReadCode decode(SampledReader& r, const SampleGridRule& rule)
{
    if (setjmp(r.errors.jump))
        return ReadCode::Failure;
    jpeg_create_decompress(&r.cinfo);
    AttachJpegSource(&r.cinfo, r.input, r.source);
    if (ReadJpegHeaderForOutput(&r.cinfo, r.progress, r.input, r.source))
        return ReadCode::Failure;
    const int components = r.cinfo.output_components;
    const JDIMENSION width = r.cinfo.output_width, height = r.cinfo.output_height;

    r.grid = rule(int(width), int(height));
    if (!gridFits(r.grid, int(width), int(height)))
        return ReadCode::Failure;
    r.out.width = int(width);
    r.out.height = int(height);
    r.out.components = components;
    r.out.xPelsPerMeter = JpegPixelsPerMetre(r.cinfo.density_unit, r.cinfo.X_density);
    r.out.yPelsPerMeter = JpegPixelsPerMetre(r.cinfo.density_unit, r.cinfo.Y_density);
    r.out.bgr.assign(r.grid.rows.size() * r.grid.columns.size() * 3, 0);
    r.scanline.assign(std::size_t(width) * std::size_t(components), 0);

    jpeg_start_decompress(&r.cinfo);
    JSAMPROW line = r.scanline.data();
    for (std::size_t i = 0; i < r.grid.rows.size(); ++i) {
        const auto wanted = JDIMENSION(r.grid.rows[i]);
        if (wanted > r.cinfo.output_scanline)
            jpeg_skip_scanlines(&r.cinfo, wanted - r.cinfo.output_scanline);
        if (jpeg_read_scanlines(&r.cinfo, &line, 1) != 1)
            return ReadCode::Failure;
        copyGridRow(r, i);
    }
    if (r.cinfo.output_scanline < height)
        jpeg_skip_scanlines(&r.cinfo, height - r.cinfo.output_scanline);
    jpeg_finish_decompress(&r.cinfo);
    return ReadCode::Image;
}

}  // namespace

SampledPixels ReadJpegSamples(ByteSource& source, const SampleGridRule& rule)
{
    SampledReader reader(source);
    if (decode(reader, rule) != ReadCode::Image)
        return {};
    reader.out.code = ReadCode::Image;
    reader.out.truncated = reader.input.atFakeEnd;
    return std::move(reader.out);
}

SampledPixels ReadJpegSamples(const std::string& path, const SampleGridRule& rule)
{
    auto source = FileSource::Open(path);
    if (!source) {
        SampledPixels broken;
        broken.code = ReadCode::Broken;
        return broken;
    }
    return ReadJpegSamples(*source, rule);
}

}  // namespace lv
