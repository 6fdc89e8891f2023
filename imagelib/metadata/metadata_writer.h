#pragma once
// Carries a photo's metadata into a freshly encoded file, in memory, before the safe write.

#include "imagelib/metadata/photo_metadata.h"

#include <cstdint>
#include <vector>

namespace lv {

struct MetadataWriteOptions {
    int width = 0;   // the pixel size written, for the EXIF size tags
    int height = 0;
    bool removePersonal = false;  // drop the GPS position and the camera's and lens's serials
};

// Inserts `metadata`'s blocks into `encoded` (any format the metadata library writes), with
// the orientation set to 1, the size updated and the EXIF thumbnail dropped. False, with
// `encoded` unchanged, when the library can't write them.
bool InsertPhotoMetadata(std::vector<std::uint8_t>& encoded, const PhotoMetadata& metadata,
                         const MetadataWriteOptions& options);

// The blocks as a save stores them when it has no file to insert them into: upright, at the
// written size, without the EXIF thumbnail. Blocks the library can't read are left out.
PhotoMetadata PreparedForSave(const PhotoMetadata& metadata, const MetadataWriteOptions& options);

// The metadata with what identifies the photographer removed (GPS, serials, maker notes).
PhotoMetadata WithoutPersonalData(const PhotoMetadata& metadata);

}  // namespace lv
