#pragma once
// Documents attached to an undo table, one string that tells two states of a document apart,
// and the walker every undo test shares: it applies a sequence of steps of any kinds, keeps
// the document after each, and walks back and forth through them checking every state.

#include "app/core/undo/undo_table.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "edit/placement/document_geometry.h"
#include "edit/selection/selection.h"
#include "edit/undo_hooks.h"
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

inline constexpr int kWindow = 7;

// A 40 × 30 document with `layers` layers of distinct colours and sizes.
inline std::unique_ptr<LayerStack> LayeredDocument(int layers)
{
    auto stack = CreateEmptyLayerStack(40, 30, 24);
    for (int i = 0; i < layers; ++i) {
        HDIB image = DibCreate(20 + i, 10 + i, 0x006400u + std::uint32_t(40 * i) + (std::uint32_t(200 - 30 * i) << 16), false);
        HDIB mask;
        InsertLayer(*stack, image, mask, stack->layerCount, false);
    }
    CompositeLayers(*stack);
    return stack;
}

// A document attached to a window's recorder of the table.
struct OpenDocument {
    OpenDocument(UndoTable& table, int window, std::unique_ptr<LayerStack> document)
        : stack(std::move(document))
        , recorder(table, window)
    {
        stack->undo = &recorder;
    }
    OpenDocument(UndoTable& table, int window, int layers)
        : OpenDocument(table, window, LayeredDocument(layers))
    {
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

// A rectangle selected as the shape tools select it, with their step.
inline std::optional<Rect> SelectRectangle(LayerStack& d, Rect r, CombineMode mode)
{
    return ChangeSelection(d, *RectangleRegion(r), mode, kUndoShapeSelection);
}

// One user action as the table sees it: how many undos take it back (a group carries on
// through its steps) and how many redos bring it again. An action of no undos records
// nothing and must leave the document as it was.
struct Step {
    std::string name;
    std::function<void(LayerStack&)> apply;
    int undos = 1;
    int redos = 1;
};

// The step kinds more than one walk mixes in; each walk's own kinds stay beside it.
inline Step Paint(std::uint8_t value, int code = 1001)  // a pixel step of the current layer
{
    return {"paint", [=](LayerStack& d) {
                ASSERT_TRUE(RecordUndoStep(d, code));
                PaintCurrentLayer(d, value);
                CompositeLayers(d);
            }};
}
inline Step Turn(bool right)
{
    return {"turn", [=](LayerStack& d) { ASSERT_TRUE(TurnDocument(d, right)); }};
}

class UndoWalk {
public:
    explicit UndoWalk(int layers)
        : UndoWalk(LayeredDocument(layers))
    {
    }
    explicit UndoWalk(std::unique_ptr<LayerStack> document, int window = kWindow)
        : window_(window)
        , open_(table, window, std::move(document))
    {
        states_.push_back(Fingerprint(doc()));
    }

    LayerStack& doc() { return open_.doc(); }
    const std::vector<std::string>& states() const { return states_; }
    int position() const { return position_; }
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < int(states_.size()); }

    // The document as it stands becomes the walk's start; only before the first step.
    void restart() { states_ = {Fingerprint(doc())}; }

    // A new step drops what could be redone.
    void apply(const Step& step)
    {
        SCOPED_TRACE("step " + std::to_string(position_ + 1) + ": " + step.name);
        const std::string before = Fingerprint(doc());
        step.apply(doc());
        if (step.undos == 0) {
            EXPECT_EQ(Fingerprint(doc()), before) << "left a trace";
            return;
        }
        states_.resize(std::size_t(position_) + 1);
        steps_.resize(std::size_t(position_) + 1);
        states_.push_back(Fingerprint(doc()));
        steps_.push_back(step);
        position_ = int(states_.size()) - 1;
    }
    void apply(const std::vector<Step>& steps)
    {
        for (const Step& step : steps)
            if (!::testing::Test::HasFatalFailure())
                apply(step);
    }

    void undo()
    {
        const Step& step = steps_[std::size_t(position_)];
        for (int i = 0; i < step.undos; ++i)
            ASSERT_TRUE(table.undo(doc(), window_)) << "undo of " << step.name << " at state " << position_;
        --position_;
        ASSERT_EQ(Fingerprint(doc()), states_[std::size_t(position_)]) << "after undoing " << step.name;
    }
    void redo()
    {
        const Step& step = steps_[std::size_t(++position_)];
        for (int i = 0; i < step.redos; ++i)
            ASSERT_TRUE(table.redo(doc(), window_)) << "redo of " << step.name << " to state " << position_;
        ASSERT_EQ(Fingerprint(doc()), states_[std::size_t(position_)]) << "after redoing " << step.name;
    }

    void expectEveryStepChanged() const
    {
        for (std::size_t i = 1; i < states_.size(); ++i)
            EXPECT_NE(states_[i - 1], states_[i]) << steps_[i].name << " changed nothing";
    }
    // All the way back and forward again, checking each state; nothing beyond either end.
    void walkBackAndForth()
    {
        while (canUndo() && !::testing::Test::HasFatalFailure())
            undo();
        EXPECT_FALSE(table.undo(doc(), window_));
        while (canRedo() && !::testing::Test::HasFatalFailure())
            redo();
        EXPECT_FALSE(table.redo(doc(), window_));
    }
    // Undoes and redoes at random (always within the history), checking every state.
    void randomWalk(int moves, unsigned seed)
    {
        std::mt19937 random(seed);
        for (int move = 0; move < moves && !::testing::Test::HasFatalFailure(); ++move) {
            if (!canRedo() || (canUndo() && random() % 2))
                undo();
            else
                redo();
        }
    }
    // The whole check: each step applied, each changing the document, then every state
    // again back and forth and in a random order.
    void run(const std::vector<Step>& steps, unsigned seed)
    {
        apply(steps);
        expectEveryStepChanged();
        walkBackAndForth();
        randomWalk(200, seed);
    }

    UndoTable table{64};

private:
    int window_;
    OpenDocument open_;
    std::vector<std::string> states_;
    std::vector<Step> steps_{Step{}};
    int position_ = 0;
};

}  // namespace lv::testing
