#pragma once
// Builds album entries from photo files: one at a time, or several at once on worker
// threads with the results handed back in the given order on the calling thread.

#include "album/album_entry.h"
#include "album/thumbnail.h"
#include "imagelib/document_open.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lv::album {

enum class PhotoFailure {
    None,
    CannotOpen,  // the file can't be opened for reading
    Unreadable,  // it opens, but no reader made a picture of it
};

struct BuiltEntry {
    std::optional<AlbumEntry> entry;
    PhotoFailure failure = PhotoFailure::None;
};

// Loads the photo named by label.path with the album's loader and builds its entry. JPEG
// files the general reader would take are sampled without decoding the whole picture; the
// thumbnail is the same byte for byte.
BuiltEntry BuildPhotoEntry(const EntryLabel& label, const DocumentReaders& readers);

// Called on the calling thread, once per label and in label order.
using EntryConsumer = std::function<void(std::size_t index, BuiltEntry built)>;

// With `jobs` above 1, photos are decoded on that many worker threads; messages the readers
// show there are held and shown on the calling thread when that photo's turn comes, so the
// user sees what one thread would have shown. jobs 0 means one per processor.
void BuildPhotoEntries(const std::vector<EntryLabel>& labels, const DocumentReaders& readers, unsigned jobs,
                       const EntryConsumer& consume);

unsigned DefaultJobs();

}  // namespace lv::album
