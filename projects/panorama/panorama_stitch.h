#pragma once
// Stitches photos taken in a row, turning the camera, into one picture: features matched,
// the cameras' rotations and focal length estimated, the photos warped onto a cylinder,
// their exposures evened out and the seams blended. The computer-vision library stays inside
// the .cpp; callers hand in the program's own decoded pictures.

#include "imagelib/dib.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lv::panorama {

inline constexpr int kMinPhotos = 2;
inline constexpr int kMaxPhotos = 12;

inline constexpr const char* kNoOverlapMessage = "As fotos não se sobrepõem o suficiente.";

struct StitchOptions {
    // Matching runs on copies of about this many megapixels; it decides most of the time.
    double registrationMegapixels = 0.6;
    // The result is composed from the photos scaled so that all of them together hold at
    // most this many megapixels; the picture budget lowers it further.
    double compositingMegapixels = 40.0;
};

struct Panorama {
    HDIB picture;                        // 24 bits; null on failure
    std::vector<std::uint8_t> coverage;  // width × height, top row first: 1 where a photo lies
    std::string failure;                 // why there is no picture, in the user's words

    bool ok() const { return static_cast<bool>(picture); }
};

// Percent done, from 0 to 100, called on the stitching thread at each stage.
using StitchProgress = std::function<void(int percent)>;

// Photos must be 24 bits, in the order they were taken. Refuses fewer than two and more than
// twelve; every failure of the library becomes a reason, never an exception.
Panorama StitchPhotos(const std::vector<const HDIB*>& photos, const StitchOptions& options = {},
                      const StitchProgress& progress = {});

}  // namespace lv::panorama
