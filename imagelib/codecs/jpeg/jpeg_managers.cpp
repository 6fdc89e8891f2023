#include "imagelib/codecs/jpeg/jpeg_managers.h"

#include <jerror.h>

namespace lv {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
const JOCTET kFakeEndOfImage[2] = {0xFF, JPEG_EOI};

// Nothing here may own a resource: the longjmp leaves this frame and the library's.
[[noreturn]] void jumpBack(j_common_ptr cinfo)
{
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

void printNothing(j_common_ptr) {}

JpegSourceManager& sourceOf(j_decompress_ptr cinfo)
{
    return *reinterpret_cast<JpegSourceManager*>(cinfo->src);
}

void initSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr cinfo)
{
    JpegSourceManager& m = sourceOf(cinfo);
    const std::size_t got = m.source->read(m.buffer, kBufferSize);
    if (got == 0) {
        if (!m.readAnything)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        // A truncated stream ends as if its end marker were there, as the library's own
        // file source does: what was decoded so far is kept.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        m.atFakeEnd = true;
        m.library.next_input_byte = kFakeEndOfImage;
        m.library.bytes_in_buffer = sizeof kFakeEndOfImage;
        return TRUE;
    }
    m.readAnything = true;
    m.atFakeEnd = false;
    m.library.next_input_byte = m.buffer;
    m.library.bytes_in_buffer = got;
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count)
{
    if (count <= 0)
        return;
    JpegSourceManager& m = sourceOf(cinfo);
    const auto wanted = static_cast<std::size_t>(count);
    if (wanted <= m.library.bytes_in_buffer) {
        m.library.next_input_byte += wanted;
        m.library.bytes_in_buffer -= wanted;
        return;
    }
    const std::uint64_t beyond = wanted - m.library.bytes_in_buffer;
    m.library.bytes_in_buffer = 0;
    // Skipping past the end leaves the source at its end; the next fill then ends the stream.
    if (!m.source->skip(beyond))
        m.source->seek(m.source->size());
}

void termSource(j_decompress_ptr) {}

JpegDestinationManager& destinationOf(j_compress_ptr cinfo)
{
    return *reinterpret_cast<JpegDestinationManager*>(cinfo->dest);
}

void initDestination(j_compress_ptr cinfo)
{
    JpegDestinationManager& m = destinationOf(cinfo);
    m.library.next_output_byte = m.buffer;
    m.library.free_in_buffer = kBufferSize;
}

boolean emptyOutputBuffer(j_compress_ptr cinfo)
{
    JpegDestinationManager& m = destinationOf(cinfo);
    if (!m.sink->write(m.buffer, kBufferSize))
        ERREXIT(cinfo, JERR_FILE_WRITE);
    m.library.next_output_byte = m.buffer;
    m.library.free_in_buffer = kBufferSize;
    return TRUE;
}

void termDestination(j_compress_ptr cinfo)
{
    JpegDestinationManager& m = destinationOf(cinfo);
    const std::size_t used = kBufferSize - m.library.free_in_buffer;
    if (used && !m.sink->write(m.buffer, used))
        ERREXIT(cinfo, JERR_FILE_WRITE);
}

}  // namespace

jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& manager)
{
    jpeg_std_error(&manager.library);
    manager.library.error_exit = jumpBack;
    manager.library.output_message = printNothing;
    manager.message[0] = '\0';
    return &manager.library;
}

void AttachJpegSource(j_decompress_ptr cinfo, JpegSourceManager& manager, ByteSource& source)
{
    manager.source = &source;
    manager.readAnything = false;
    manager.atFakeEnd = false;
    manager.buffer = static_cast<JOCTET*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, kBufferSize));
    manager.library.init_source = initSource;
    manager.library.fill_input_buffer = fillInputBuffer;
    manager.library.skip_input_data = skipInputData;
    manager.library.resync_to_restart = jpeg_resync_to_restart;
    manager.library.term_source = termSource;
    manager.library.next_input_byte = nullptr;
    manager.library.bytes_in_buffer = 0;
    cinfo->src = &manager.library;
}

void ReturnUnusedJpegInput(JpegSourceManager& manager)
{
    // Bytes from the fake end marker were never in the source.
    if (manager.atFakeEnd || manager.library.bytes_in_buffer == 0)
        return;
    const std::uint64_t position = manager.source->position();
    if (manager.library.bytes_in_buffer <= position)
        manager.source->seek(position - manager.library.bytes_in_buffer);
    manager.library.bytes_in_buffer = 0;
}

void AttachJpegDestination(j_compress_ptr cinfo, JpegDestinationManager& manager, ByteSink& sink)
{
    manager.sink = &sink;
    manager.buffer = static_cast<JOCTET*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, kBufferSize));
    manager.library.init_destination = initDestination;
    manager.library.empty_output_buffer = emptyOutputBuffer;
    manager.library.term_destination = termDestination;
    cinfo->dest = &manager.library;
}

}  // namespace lv
