#include "app/core/paint_settings.h"

#include "common/failure_notices.h"
#include "common/program_paths.h"
#include "imagelib/codecs/document_open.h"

#include <algorithm>

namespace lv {

void ApplyBrushConfiguration(const Configuration& config, PaintOptions& options)
{
    options.brush.shape = std::clamp(config.brushShape, 0, 6);
    options.brush.size = std::clamp(config.brushSize, 1, 255);
    options.brush.speed = std::clamp(config.brushSpeed, 1, 32);
    options.brush.show = config.showBrush;
}

void KeepBrushConfiguration(const PaintOptions& options, Configuration& config)
{
    config.brushShape = options.brush.shape;
    config.brushSize = options.brush.size;
    config.brushSpeed = options.brush.speed;
    config.showBrush = options.brush.show;
    config.stampName = options.stampName;  // saved at exit as the stamp in use
}

std::shared_ptr<const HDIB> LoadPaintPicture(std::string_view relative)
{
    OpenOptions quiet;
    quiet.showMessages = false;
    OpenedImage opened = OpenDocumentImage(ProgramFile(relative).string(), LibraryDocumentReaders(), quiet);
    // Quiet about the file itself; what a reader said is still heard.
    ShowFailureNotices(opened.result.failure());
    if (!opened.result.ok())
        return nullptr;
    HDIB picture = opened.result.take();
    if (!picture)
        return nullptr;
    return std::make_shared<const HDIB>(std::move(picture));
}

void LoadPaintPictures(PaintOptions& options)
{
    options.stamp = LoadPaintPicture(options.stampName);
    options.texture = LoadPaintPicture(options.textureName);
}

}  // namespace lv
