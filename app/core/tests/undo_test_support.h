#pragma once
// Documents attached to an undo table, and one string that tells two states of a document apart.

#include "app/core/undo/undo_table.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "edit/selection/selection.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace lv::testing {

// A 40 × 30 document with `layers` layers of distinct colours and sizes, attached to a
// window's recorder.
struct OpenDocument {
    OpenDocument(UndoTable& table, int window, int layers)
        : stack(CreateEmptyLayerStack(40, 30, 24))
        , recorder(table, window)
    {
        for (int i = 0; i < layers; ++i) {
            HDIB image = DibCreate(20 + i, 10 + i, 0x006400u + std::uint32_t(40 * i) + (std::uint32_t(200 - 30 * i) << 16), false);
            HDIB mask;
            InsertLayer(*stack, image, mask, stack->layerCount, false);
        }
        CompositeLayers(*stack);
        stack->undo = &recorder;
    }
    ~OpenDocument() { stack->undo = nullptr; }
    LayerStack& doc() { return *stack; }

    std::unique_ptr<LayerStack> stack;
    WindowUndoRecorder recorder;
};

// Everything a user could see of a document and what saving would keep, in one string for
// exact comparisons: size, zoom, current layer, selection, every layer's values and pixels,
// and a text layer's string, words and source lettering.
inline std::string Fingerprint(const LayerStack& s)
{
    std::ostringstream f;
    f << s.width << 'x' << s.height << ' ' << s.layerCount << ' ' << s.currentLayer << ' ' << s.view.zoomLevel << ' '
      << s.selectionActive << ' ' << s.selectionRect.left << ',' << s.selectionRect.top << ','
      << s.selectionRect.right << ',' << s.selectionRect.bottom;
    // Pictures by size and a hash of every byte, so that failures print readably.
    const auto add = [&f](const HDIB& dib) {
        std::uint64_t hash = 0xCBF29CE484222325u;
        for (std::size_t i = 0; i < dib.size(); ++i)
            hash = (hash ^ dib.data()[i]) * 0x100000001B3u;
        f << '|' << dib.size() << ':' << std::hex << hash << std::dec;
    };
    add(s.selectionMask);
    add(s.selectionAux);
    add(s.floatingMask);
    add(s.floatingUnderImage);
    add(s.floatingUnderMask);
    for (int i = 0; i < s.layerCount; ++i) {
        const LayerRecord& l = s.layers[std::size_t(i)];
        f << '|' << l.name << ' ' << l.x << ' ' << l.y << ' ' << l.opacity << ' ' << l.linked << l.visible
          << l.maskLocked << ' ' << l.kind << ' ' << l.aspect << ' ' << bool(l.sourceImage) << bool(l.textObject);
        for (const double p : l.textPlacement)
            f << ',' << p;
        add(l.image);
        add(l.mask);
        if (l.textObject) {
            f << "|text " << l.textObject->text;
            for (const std::uint32_t word : l.textObject->words)
                f << ' ' << word;
            if (l.sourceMask)
                add(*l.sourceMask);
        }
    }
    return f.str();
}

// Paints the current layer's image and mask through their writers.
inline void PaintCurrentLayer(LayerStack& s, std::uint8_t value)
{
    LayerRecord& l = s.layers[std::size_t(s.currentLayer)];
    HDIB& image = l.image.write();
    std::memset(image.pixels(), value, image.stride() * std::size_t(image.height()));
    HDIB& mask = l.mask.write();
    std::memset(mask.pixels(), value / 2, mask.stride() * std::size_t(mask.height()));
}

inline constexpr int kWindow = 7;

// A rectangle selected as the shape tools select it, with their step.
inline std::optional<Rect> SelectRectangle(LayerStack& d, Rect r, CombineMode mode)
{
    return ChangeSelection(d, *RectangleRegion(r), mode, kUndoShapeSelection);
}

// Runs steps on a document and keeps its state after each, then walks back and forth.
struct History {
    explicit History(int layers)
        : open(table, kWindow, layers)
    {
        states.push_back(Fingerprint(open.doc()));
    }
    // `undoSteps`: how many steps of the table the operation leaves.
    void step(const std::function<void(LayerStack&)>& operation, int undoSteps = 1)
    {
        states.resize(std::size_t(position) + 1);  // a new step drops what could be redone
        steps.resize(std::size_t(position) + 1);
        operation(open.doc());
        states.push_back(Fingerprint(open.doc()));
        steps.push_back(undoSteps);
        position = int(states.size()) - 1;
    }
    void undo()
    {
        for (int i = 0; i < steps[std::size_t(position)]; ++i)
            ASSERT_TRUE(table.undo(open.doc(), kWindow)) << "undo from state " << position;
        --position;
        ASSERT_EQ(Fingerprint(open.doc()), states[std::size_t(position)]) << "after undo to state " << position;
    }
    void redo()
    {
        ++position;
        for (int i = 0; i < steps[std::size_t(position)]; ++i)
            ASSERT_TRUE(table.redo(open.doc(), kWindow)) << "redo to state " << position;
        ASSERT_EQ(Fingerprint(open.doc()), states[std::size_t(position)]) << "after redo to state " << position;
    }
    void expectEveryStepChanged() const
    {
        for (std::size_t i = 1; i < states.size(); ++i)
            ASSERT_NE(states[i - 1], states[i]) << "step " << i << " changed nothing";
    }
    // All the way back and forward again, checking each state.
    void walkBackAndForth()
    {
        while (position > 0 && !::testing::Test::HasFatalFailure())
            undo();
        EXPECT_FALSE(table.undo(open.doc(), kWindow));
        while (position + 1 < int(states.size()) && !::testing::Test::HasFatalFailure())
            redo();
        EXPECT_FALSE(table.redo(open.doc(), kWindow));
    }
    // Undoes and redoes at random (always within the history), checking every state.
    void randomWalk(int moves, unsigned seed)
    {
        std::mt19937 random(seed);
        const int last = int(states.size()) - 1;
        for (int move = 0; move < moves; ++move) {
            const bool back = position == last || (position > 0 && random() % 2);
            if (back)
                undo();
            else
                redo();
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }
    UndoTable table{64};
    OpenDocument open;
    std::vector<std::string> states;
    std::vector<int> steps{0};
    int position = 0;
};

}  // namespace lv::testing
