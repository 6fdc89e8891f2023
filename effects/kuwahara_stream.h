#pragma once
// The edge-preserving smoothing (Kuwahara, SmoothKuwahara) a few rows at a time: the same
// values as the whole-picture functions, holding only a window of rows.

#include "effects/blur_stream.h"
#include "effects/raster.h"

#include <memory>
#include <vector>

namespace lv::effects {

class KuwaharaStream {
public:
    // `smooth` picks SmoothKuwahara's blended squares, else Kuwahara's; `kept`: how many of
    // the newest rows made stay readable.
    KuwaharaStream(ConstRaster in, double half, bool smooth, int kept, int threads);

    // Makes every row up to y (and a few beyond) if not yet made.
    void makeThrough(int y);
    // A row already made and still kept: `in.channels` floats per pixel.
    const float* row(int y) const;

private:
    struct Offset {
        int h = 0;
        std::unique_ptr<BlurStream> means;
    };

    ConstRaster in_;
    int threads_;
    float toHigh_ = 0;  // weight of the second offset's squares, when there are two
    std::vector<Offset> offsets_;
    int capacity_;
    std::vector<float> ring_;
    int made_ = 0;

    float* ringRow(int y);
    void makeStep();
};

}  // namespace lv::effects
