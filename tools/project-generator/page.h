#pragma once
// A template or piece being put together as a layered document. Layers are added from the
// back to the front (each new one goes on top), placed by their top-left corner.

#include "edit/layer_stack.h"
#include "edit/text_layer/text_layer.h"
#include "layer_art.h"

#include <filesystem>
#include <memory>
#include <string>

namespace lv::artwork {

class Page {
public:
    Page(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }

    // False when the document can't take the layer.
    bool add(const std::string& name, const LayerArt& art, int left, int top);
    bool add(const std::string& name, HDIB image, HDIB mask, int left, int top);
    // The same layer centred on a point.
    bool addCentred(const std::string& name, const LayerArt& art, Point centre);
    // An editable text layer in the text tool's form, its lettering centred on `centre`.
    bool addText(const std::string& name, FontLibrary& fonts, TextLayerSettings settings, Point centre);

    // The layer that opens current: the first (front-most) whose name starts with `prefix`.
    void makeCurrent(const std::string& prefix);

    // Composites and writes through the layered writer, making the folder first.
    bool write(const std::filesystem::path& file);

    const LayerStack& stack() const { return *stack_; }

private:
    int width_, height_;
    std::unique_ptr<LayerStack> stack_;
    bool ok_ = true;
};

}  // namespace lv::artwork
