#pragma once
// Builders and a recording undo double for the layer tests.

#include "edit/layer_pictures.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "edit/undo_recorder.h"
#include "imagelib/tests/pictures.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <vector>

namespace lv::testing {

// Records every call the layer operations make to the undo system.
class RecordingUndo final : public UndoRecorder {
public:
    struct Step {
        int code;
        std::vector<std::int32_t> values;
        int currentLayer;  // as the stack stood while recording
        int layerCount;
        std::vector<bool> links;
    };

    explicit RecordingUndo(LayerStack& stack)
        : stack_(stack)
    {
        stack.undo = this;
    }
    ~RecordingUndo() override { stack_.undo = nullptr; }

    bool record(LayerStack& stack, int code, std::span<const std::int32_t> values) override
    {
        if (refuse)
            return false;
        Step step{code, {values.begin(), values.end()}, stack.currentLayer, stack.layerCount, {}};
        for (int i = 0; i < stack.layerCount; ++i)
            step.links.push_back(stack.layers[std::size_t(i)].linked);
        steps.push_back(std::move(step));
        return true;
    }
    void withdrawLast() override
    {
        ++withdrawn;
        steps.pop_back();
    }

    std::vector<int> codes() const
    {
        std::vector<int> out;
        for (const Step& step : steps)
            out.push_back(step.code);
        return out;
    }

    std::vector<Step> steps;
    int withdrawn = 0;
    bool refuse = false;

private:
    LayerStack& stack_;
};

inline HDIB SolidPicture(int width, int height, Rgb colour)
{
    HDIB dib = AllocatePicture(width, height, 24, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel24(dib, x, y, colour);
    return dib;
}

// A document of `width` × `height` with no layers yet.
inline std::unique_ptr<LayerStack> EmptyDocument(int width, int height, int bitCount = 24)
{
    auto stack = CreateEmptyLayerStack(width, height, bitCount);
    if (!stack)
        std::abort();
    return stack;
}

// FNV-1a over the rows' pixel bytes, not their padding, carried on from `hash`: pins an output.
inline std::uint32_t PixelChecksum(const HDIB& picture, std::uint32_t hash = 2166136261u)
{
    const int rowBytes = (picture.width() * picture.bitCount() + 7) / 8;
    for (int y = 0; y < picture.height(); ++y)
        for (int b = 0; b < rowBytes; ++b)
            hash = (hash ^ picture.row(y)[b]) * 16777619u;
    return hash;
}

// FNV-1a over the values' four bytes each, carried on from `hash`: pins a list of numbers.
inline std::uint32_t FoldValues(std::uint32_t hash, std::initializer_list<int> values)
{
    for (const int value : values)
        for (int shift = 0; shift < 32; shift += 8)
            hash = (hash ^ std::uint8_t(value >> shift)) * 16777619u;
    return hash;
}

// Appends a layer at the bottom and returns its record.
inline LayerRecord& AppendLayer(LayerStack& stack, HDIB image, HDIB mask = {}, std::int32_t x = 0, std::int32_t y = 0,
                                std::uint32_t opacity = 100, bool keep8Bit = false)
{
    const int at = stack.layerCount;
    const int result = InsertLayer(stack, image, mask, at, keep8Bit);
    if (result != kInsertOk)
        std::abort();
    LayerRecord& record = stack.layers[std::size_t(at)];
    record.x = x;
    record.y = y;
    record.opacity = opacity;
    return record;
}

inline std::vector<std::string> LayerNames(const LayerStack& stack)
{
    std::vector<std::string> names;
    for (int i = 0; i < stack.layerCount; ++i)
        names.push_back(stack.layers[std::size_t(i)].name);
    return names;
}

inline std::vector<std::uint8_t> WriteStream(const LayerStack& stack, int quality = kLayeredSaveQuality)
{
    MemorySink sink;
    EXPECT_EQ(WriteLayeredStream(sink, stack, quality), kLayeredWritten);
    return sink.take();
}

inline std::unique_ptr<LayerStack> ReadStream(const std::vector<std::uint8_t>& bytes)
{
    MemorySource source(bytes);
    return ReadLayeredStream(source);
}

}  // namespace lv::testing
