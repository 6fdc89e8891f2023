#pragma once
// Templates and calendar pieces made on the spot: small layered files in a temporary folder.

#include "common/testing/temp_dir.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace lv::testing {

// Layers given as (width, height, colour, name, x, y); the first is the front. Opaque, or
// with the left half transparent.
struct LayerSpec {
    int width;
    int height;
    std::uint32_t colour;
    std::string name = "layer";
    int x = 0;
    int y = 0;
    bool halfMask = false;
};

inline std::unique_ptr<LayerStack> MakeDocument(int width, int height, std::vector<LayerSpec> layers)
{
    auto stack = CreateEmptyLayerStack(width, height, 24);
    for (const LayerSpec& spec : layers) {
        HDIB image = DibCreate(spec.width, spec.height, spec.colour, false);
        // The left half transparent, so that the mask's shape shows after stretching.
        HDIB mask = spec.halfMask ? MakeGreyFilled(spec.width, spec.height, 255) : HDIB{};
        for (int y = 0; mask && y < spec.height; ++y)
            std::memset(mask.row(y), 0, std::size_t(spec.width / 2));
        const int index = stack->layerCount;
        EXPECT_EQ(InsertLayer(*stack, image, mask, index, false), kInsertOk);
        LayerRecord& layer = stack->layers[std::size_t(index)];
        layer.name = spec.name;
        layer.x = spec.x;
        layer.y = spec.y;
    }
    CompositeLayers(*stack);
    return stack;
}

// A layered file, written losslessly so that its pixels come back exactly.
inline void WriteDocumentFile(const std::string& path, std::vector<LayerSpec> layers, int width = 0, int height = 0)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const int documentWidth = width ? width : layers.front().width;
    const int documentHeight = height ? height : layers.front().height;
    auto stack = MakeDocument(documentWidth, documentHeight, std::move(layers));
    ASSERT_TRUE(WriteLayeredFile(path, *stack, 100));
}

// A one-layer piece of one colour with an opaque mask.
inline void WritePiece(const std::string& path, int width, int height, std::uint32_t colour)
{
    WriteDocumentFile(path, {LayerSpec{width, height, colour}});
}

inline const LayerRecord& Layer(const LayerStack& stack, int index)
{
    return stack.layers[std::size_t(index)];
}

// Top-down top edge of a layer.
inline int TopOf(const LayerStack& stack, int index)
{
    return stack.height - Layer(stack, index).y - Layer(stack, index).image.height();
}

}  // namespace lv::testing
