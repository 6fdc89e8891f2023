#include "page.h"

#include "edit/compositing.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "edit/text_render/text_renderer.h"

#include <cmath>
#include <cstdio>

namespace lv::artwork {

Page::Page(int width, int height)
    : width_(width)
    , height_(height)
    , stack_(CreateEmptyLayerStack(width, height, 24))
{
    ok_ = stack_ != nullptr;
    if (ok_)
        stack_->composite.header().biXPelsPerMeter = stack_->composite.header().biYPelsPerMeter = 3937;
}

bool Page::add(const std::string& name, HDIB image, HDIB mask, int left, int top)
{
    if (!ok_ || !image || !mask)
        return ok_ = false;
    const int height = image.height();
    if (InsertLayer(*stack_, image, mask, 0, false) != kInsertOk)
        return ok_ = false;
    LayerRecord& record = stack_->layers[0];
    record.x = left;
    record.y = height_ - top - height;
    record.visible = true;
    record.opacity = 100;
    return ok_ = SetLayerName(*stack_, 0, name);
}

bool Page::add(const std::string& name, const LayerArt& art, int left, int top)
{
    return add(name, art.image(), art.mask(), left, top);
}

bool Page::addCentred(const std::string& name, const LayerArt& art, Point centre)
{
    return add(name, art, int(std::lround(centre.x - float(art.width()) / 2)),
               int(std::lround(centre.y - float(art.height()) / 2)));
}

bool Page::addText(const std::string& name, FontLibrary& fonts, TextLayerSettings settings, Point centre)
{
    if (!ok_)
        return false;
    // The tool places the lettering's trimmed corner; measure it first to centre it.
    const RenderedText measured = RenderText(fonts, settings.text, settings.font, settings.style);
    if (!measured.coverage)
        return ok_ = false;
    settings.left = int(std::lround(centre.x - float(measured.coverage.width()) / 2));
    settings.top = int(std::lround(centre.y - float(measured.coverage.height()) / 2));
    if (CreateOrUpdateTextLayer(stack_.get(), fonts, settings, false) != kTextLayerOk)
        return ok_ = false;
    stack_->layers[0].visible = true;
    stack_->layers[0].opacity = 100;
    return ok_ = SetLayerName(*stack_, 0, name);
}

void Page::makeCurrent(const std::string& prefix)
{
    for (int i = 0; ok_ && i < stack_->layerCount; ++i)
        if (stack_->layers[std::size_t(i)].name.starts_with(prefix)) {
            stack_->currentLayer = i;
            return;
        }
}

bool Page::write(const std::filesystem::path& file)
{
    if (!ok_) {
        std::fprintf(stderr, "project generator: cannot put together %s\n", file.c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    CompositeLayers(*stack_);
    if (!WriteLayeredFile(file.string(), *stack_)) {
        std::fprintf(stderr, "project generator: cannot write %s\n", file.c_str());
        return false;
    }
    return true;
}

}  // namespace lv::artwork
