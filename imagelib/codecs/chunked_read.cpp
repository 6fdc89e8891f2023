#include "imagelib/codecs/chunked_read.h"

#include "imagelib/progress.h"

#include <algorithm>

namespace lv {
namespace {

template<typename Bytes>
ChunkedRead readInChunks(ByteSource& source, std::size_t count, Bytes& bytes, std::size_t chunk)
{
    // Never reserve more than the file holds, whatever the caller asked for.
    const std::size_t available = std::size_t(std::min<std::uint64_t>(count, source.remaining()));
    bytes.resize(available);
    for (std::size_t done = 0; done < available;) {
        if (done > 0 && AbortRequested())
            return ChunkedRead::Cancelled;
        const std::size_t want = std::min(chunk, available - done);
        const std::size_t got = source.read(bytes.data() + done, want);
        done += got;
        if (got < want) {
            bytes.resize(done);
            return ChunkedRead::Short;
        }
    }
    return available == count ? ChunkedRead::Complete : ChunkedRead::Short;
}

}  // namespace

ChunkedRead ReadInChunks(ByteSource& source, std::size_t count, std::vector<std::uint8_t>& bytes)
{
    return readInChunks(source, count, bytes, kReadChunkSize);
}

ChunkedRead ReadInChunks(ByteSource& source, std::size_t count, FileBytes& bytes)
{
    // Chunks larger than the file source's buffer go straight into the block, copied once.
    return readInChunks(source, count, bytes, kWholeFileChunkSize);
}

}  // namespace lv
