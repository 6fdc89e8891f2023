#include "imagelib/codecs/chunked_read.h"

#include "imagelib/progress.h"

#include <algorithm>

namespace lv {

ChunkedRead ReadInChunks(ByteSource& source, std::size_t count, std::vector<std::uint8_t>& bytes)
{
    // Never reserve more than the file holds, whatever the caller asked for.
    const std::size_t available = std::size_t(std::min<std::uint64_t>(count, source.remaining()));
    bytes.resize(available);
    for (std::size_t done = 0; done < available;) {
        if (done > 0 && AbortRequested())
            return ChunkedRead::Cancelled;
        const std::size_t want = std::min(kReadChunkSize, available - done);
        const std::size_t got = source.read(bytes.data() + done, want);
        done += got;
        if (got < want) {
            bytes.resize(done);
            return ChunkedRead::Short;
        }
    }
    return available == count ? ChunkedRead::Complete : ChunkedRead::Short;
}

}  // namespace lv
