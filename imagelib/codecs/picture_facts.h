#pragma once
// What a reader learned about a picture beside its pixels: how it is meant to stand and the
// colours its numbers mean. The open paths use it to show the picture upright and in true
// colour, and the savers to carry it into the file written.

#include <cstdint>
#include <vector>

namespace lv {

struct PictureFacts {
    // The EXIF/XMP orientation as stored (1–8; 1 when the file names none).
    int storedOrientation = 1;
    // True when the decoder itself already turned the pixels upright (some formats' libraries
    // apply their container's transforms), so the open path must not turn them again.
    bool alreadyUpright = false;
    // The embedded ICC colour profile; empty for an untagged picture.
    std::vector<std::uint8_t> iccProfile;
    // When the pixels are only a preview the file embeds (a camera raw file's), the size of
    // the whole picture, upright; 0 when the pixels are the picture itself.
    int wholeWidth = 0;
    int wholeHeight = 0;
};

}  // namespace lv
