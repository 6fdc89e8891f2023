#pragma once
// One panorama stitched on a thread of its own: the photos read, then stitched. Progress and
// the result come back on the Qt thread, to the receiver given; the thread is joined with
// the job, so a job outliving its window's wish to close is kept until it ends.

#include "projects/panorama/panorama_stitch.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace lv::app {

class PanoramaJob {
public:
    using Progress = std::function<void(int percent)>;
    using Done = std::function<void(panorama::Panorama)>;

    // Photos whose readers must stay on the Qt thread are read here before the thread starts.
    PanoramaJob(QObject& receiver, std::vector<std::string> paths, Progress progress, Done done);
    PanoramaJob(const PanoramaJob&) = delete;
    PanoramaJob& operator=(const PanoramaJob&) = delete;

private:
    std::jthread thread_;
};

}  // namespace lv::app
