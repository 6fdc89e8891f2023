#pragma once
// Small pictures of every effect on the current picture, for the effects list's rows. The
// picture is scaled down once when it changes; the effects are computed on that small copy
// one at a time, when the screen asks, so the list opens at once and fills in while idle.
// Results are kept per picture and strength.

#include "imagelib/dib.h"
#include "imagelib/shared_picture.h"

#include <map>
#include <optional>
#include <span>
#include <utility>

namespace lv {

class EffectThumbnails {
public:
    // Thumbnails fit a box of this size, keeping the picture's proportions.
    EffectThumbnails(int width, int height);

    // The picture to show the effects on; nothing happens when it is the one in use and
    // unchanged since. An empty holder drops everything.
    void setPicture(const SharedPicture& picture);
    // Whether `picture` is the one in use, unchanged since.
    bool follows(const SharedPicture& picture) const;
    void setStrength(int strength);
    int strength() const { return strength_; }

    // The picture scaled down (null without a picture).
    const HDIB& base() const { return base_; }
    // The effect at the current strength, or null until it is computed.
    const HDIB* find(int code) const;
    // Computes the first of `codes` that has no thumbnail yet and answers its code; nothing
    // when every one has (or there is no picture). An effect the library refuses gets the
    // plain thumbnail.
    std::optional<int> computeNext(std::span<const int> codes);

private:
    int width_;
    int height_;
    PictureStamp stamp_;
    bool hasPicture_ = false;
    HDIB base_;
    int strength_ = 50;
    std::map<std::pair<int, int>, HDIB> done_;  // by strength and code
};

}  // namespace lv
