#pragma once
// The layered document format (".VLF"): every layer's pixels, mask, position, flags, name
// and text, plus a flattened preview. Written as the block stream (magic "FLVT", version 3);
// the older fixed-layout files are still read.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "edit/document_block.h"
#include "edit/layer_stack.h"
#include "imagelib/codecs/codec_result.h"

#include <memory>
#include <string>

namespace lv {

inline constexpr int kLayeredSaveQuality = 90;

// WriteLayeredStream's results.
inline constexpr int kLayeredWritten = 0;
inline constexpr int kLayeredWriteFailed = -3;
inline constexpr int kLayeredOutOfMemory = -4;

// Writes the stream at the sink's position: layer images as JPEG at `quality` (as
// uncompressed bitmaps at quality 100; a layer still holding the picture its file's JPEG
// stream decoded to writes that stream back unchanged), masks as run-length bitmaps, and the composite as
// the preview, which the caller keeps up to date. The pictures are not changed. A failed
// write leaves what was written. Non-empty `metadata` goes in a document block, upright and
// at the document's size, without an EXIF thumbnail.
int WriteLayeredStream(ByteSink& sink, const LayerStack& stack, int quality, const DocumentMetadata& metadata = {});

// The save for names ending in ".VLF", through the safe write path: false when the file
// can't be created or written (the old file then stays as it was; `failure` says why).
bool WriteLayeredFile(const std::string& path, const LayerStack& stack, int quality = kLayeredSaveQuality,
                      FileFailure* failure = nullptr, const DocumentMetadata& metadata = {});

// The stream at the source's position, or null when any check or block fails. The
// composite is blank until the caller composites. `metadata`, when given, gets the document
// block's contents (empty without a usable block).
std::unique_ptr<LayerStack> ReadLayeredStream(ByteSource& source, DocumentMetadata* metadata = nullptr);

// The older fixed-layout file (offsets from the source's start), or null.
std::unique_ptr<LayerStack> ReadOlderLayeredFile(ByteSource& source);

// The stream reader, then the older one; null when both fail.
std::unique_ptr<LayerStack> ReadLayeredFile(const std::string& path, DocumentMetadata* metadata = nullptr);

// The preview block only; a file without a valid stream header or preview is read whole
// with the older reader and flattened. Null when nothing can be read.
HDIB ReadLayeredPreview(ByteSource& source);
HDIB ReadLayeredPreview(const std::string& path);

// The document open's layered reader: the file composited into one picture; Failure when
// the file can't be read.
ReadResult ReadLayeredFlattened(const std::string& path);

}  // namespace lv
