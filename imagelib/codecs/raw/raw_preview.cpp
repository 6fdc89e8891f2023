#include "imagelib/codecs/raw/camera_raw.h"

#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/memory_decode.h"
#include "imagelib/codecs/raw/libraw_session.h"
#include "imagelib/dib_alloc.h"

namespace lv {
namespace {

// LibRaw's flip: 3 is a half turn, 5 a quarter turn anticlockwise, 6 clockwise.
HDIB turnUpright(const HDIB& picture, int flip)
{
    if (flip != 3 && flip != 5 && flip != 6)
        return {};
    const int width = picture.width(), height = picture.height();
    const bool quarter = flip != 3;
    HDIB turned = AllocatePicture(quarter ? height : width, quarter ? width : height, 24, 0);
    if (!turned)
        return {};
    const int outHeight = turned.height();
    for (int top = 0; top < height; ++top) {
        const std::uint8_t* in = picture.row(height - 1 - top);
        for (int x = 0; x < width; ++x, in += 3) {
            int tx = x, ty = top;  // where the pixel lands, from the top-left
            if (flip == 3) {
                tx = width - 1 - x;
                ty = height - 1 - top;
            } else if (flip == 6) {
                tx = height - 1 - top;
                ty = x;
            } else {
                tx = top;
                ty = width - 1 - x;
            }
            std::uint8_t* out = turned.row(outHeight - 1 - ty) + std::size_t(tx) * 3;
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
    return turned;
}

ReadResult developHalfSize(LibRawSession& session)
{
    return DevelopWithCameraBalance(session, true);
}

ReadResult embeddedPreview(LibRawSession& session)
{
    LibRaw& raw = session.processor();
    if (raw.unpack_thumb() != LIBRAW_SUCCESS)
        return ReadCode::NotThisFormat;
    int code = 0;
    const ProcessedImage thumb(raw.dcraw_make_mem_thumb(&code));
    if (!thumb)
        return ReadCode::NotThisFormat;
    ReadResult result = ReadCode::NotThisFormat;
    if (thumb->type == LIBRAW_IMAGE_JPEG) {
        MemorySource jpeg({thumb->data, thumb->data_size});
        result = ReadJpeg(jpeg);
    } else {
        result = PictureFromProcessed(*thumb, session.fileBytes());
    }
    if (!result.ok())
        return result;
    if (HDIB turned = turnUpright(result.image(), raw.imgdata.sizes.flip))
        result = ReadResult(std::move(turned));
    result.facts().alreadyUpright = true;
    return result;
}

}  // namespace

ReadResult ReadCameraRawPreview(ByteSource& source)
{
    LibRawSession session(source);
    if (!session.ok())
        return UnreadInput(session.failure());
    const libraw_image_sizes_t& sizes = session.processor().imgdata.sizes;
    const bool sideways = (sizes.flip & 4) != 0;
    const int wholeWidth = sideways ? sizes.height : sizes.width, wholeHeight = sideways ? sizes.width : sizes.height;
    ReadResult preview = embeddedPreview(session);
    if (preview.ok() && preview.image().bitCount() == 24) {
        preview.facts().wholeWidth = wholeWidth;
        preview.facts().wholeHeight = wholeHeight;
        return preview;
    }
    if (FileFailure refused = session.checkDevelopBudget())
        return RefusedPicture(refused);
    ReadResult developed = developHalfSize(session);
    if (developed.ok()) {
        developed.facts().wholeWidth = wholeWidth;
        developed.facts().wholeHeight = wholeHeight;
    }
    return developed;
}

ReadResult ReadCameraRawPreview(const std::string& path)
{
    return ReadFileWith(path, [](ByteSource& source) { return ReadCameraRawPreview(source); });
}

}  // namespace lv
