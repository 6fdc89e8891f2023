#include "edit/picture_block.h"

#include "common/failure_notices.h"
#include "common/window_source.h"
#include "edit/bmp_stream.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/jpeg/jpeg.h"

#include <algorithm>

namespace lv {

int WriteJpegBlock(ByteSink& sink, const HDIB& picture, int quality)
{
    if (!WriteBlockHeader(sink, kBlockJpeg))
        return kBlockWriteFailed;
    const WriteResult written = WriteJpeg(sink, picture, quality);
    ShowFailureNotices(written.failure());
    switch (written) {
    case WriteResult::Written: return kBlockWritten;
    case WriteResult::OutOfMemory: return kBlockOutOfMemory;
    default: return kBlockWriteFailed;
    }
}

int WriteBmpBlock(ByteSink& sink, const HDIB& picture, bool runLength)
{
    return WriteBlockHeader(sink, kBlockBmp) && WriteBmpStream(sink, picture, runLength) ? kBlockWritten
                                                                                          : kBlockWriteFailed;
}

int WriteKeptJpegBlock(ByteSink& sink, std::span<const std::uint8_t> jpeg)
{
    return WriteBlockHeader(sink, kBlockJpeg) && sink.write(jpeg.data(), jpeg.size()) ? kBlockWritten : kBlockWriteFailed;
}

HDIB ReadPictureBlock(ByteSource& source, std::uint64_t position, std::initializer_list<BlockEncoding> accepted,
                      std::vector<std::uint8_t>* keptJpeg)
{
    const auto encoding = ReadBlockEncoding(source, position);
    if (!encoding || std::find(accepted.begin(), accepted.end(), *encoding) == accepted.end())
        return {};
    // The picture's own offsets count from its first byte; it may run to the stream's end.
    const std::uint64_t start = position + kBlockHeaderSize;
    WindowSource block(source, start, source.size() - std::min(start, source.size()));
    ReadResult result = *encoding == kBlockJpeg ? ReadJpeg(block) : ReadBmp(block);
    ShowFailureNotices(result.failure());
    if (!result.ok())
        return {};
    // The decoder stops just past the stream's end, which tells its length.
    if (keptJpeg && *encoding == kBlockJpeg) {
        keptJpeg->assign(std::size_t(block.position()), 0);
        if (!block.seek(0) || !block.readExact(keptJpeg->data(), keptJpeg->size()))
            keptJpeg->clear();
    }
    return result.take();
}

}  // namespace lv
