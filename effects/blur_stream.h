#pragma once
// A float picture's blur made top to bottom a few rows at a time, with exactly the values
// GaussianBlur and BoxBlur give for the whole picture, but holding only a window of rows:
// the source is asked for rows as they are needed, the result keeps its last rows.

#include "effects/blur.h"

#include <functional>
#include <memory>
#include <vector>

namespace lv::effects {

class BlurStream {
public:
    // Gives row y's samples; only columns [first, end) of it are read. Rows are asked for
    // in order, each once.
    using RowSource = std::function<const float*(int y)>;
    // One source per band of columns, made when the stream starts: (first, end) columns read.
    using SourceMaker = std::function<RowSource(int first, int end)>;

    // `kept`: how many of the newest rows made stay readable.
    BlurStream(int width, int height, int channels, const SourceMaker& makeSource, std::vector<BoxPass> across,
               std::vector<BoxPass> down, int kept, int threads);
    ~BlurStream();
    BlurStream(const BlurStream&) = delete;
    BlurStream& operator=(const BlurStream&) = delete;

    // Makes every row up to y (and a few beyond) if not yet made; the rows kept are the
    // newest `kept` of those made.
    void makeThrough(int y);
    // A row already made and still kept.
    const float* row(int y) const;

private:
    void makeStep();

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The box passes of a Gaussian with this deviation, none below the smallest.
std::vector<BoxPass> GaussianBoxes(double sigma);

}  // namespace lv::effects
