#include "imagelib/piecewise_read.h"

#include "imagelib/progress.h"

#include <algorithm>

namespace lv {

std::optional<std::vector<std::uint8_t>> ReadInPieces(ByteSource& source, std::uint64_t count)
{
    if (count > source.remaining())
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    for (std::size_t done = 0; done < bytes.size();) {
        if (done > 0 && AbortRequested())
            return std::nullopt;
        const std::size_t piece = std::min(kReadPieceSize, bytes.size() - done);
        if (!source.readExact(bytes.data() + done, piece))
            return std::nullopt;
        done += piece;
    }
    return bytes;
}

}  // namespace lv
