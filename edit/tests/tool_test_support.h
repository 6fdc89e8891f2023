#pragma once
// A window's side of the tools for tests: a document, colours, settings and a recording UI.

#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/tests/layer_test_support.h"
#include "edit/tools/tool_registry.h"

#include <cstdlib>
#include <initializer_list>
#include <utility>
#include <vector>

namespace lv::testing {

// A window's side of the tools, without a window: a 40 × 30 document (or the one given) at 100 %.
class FakeWindow final : public ToolContext {
public:
    FakeWindow()
        : stack(EmptyDocument(40, 30))
        , undo(*stack)
    {
        HDIB image = SolidPicture(40, 30, {0, 0, 200});
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                SetPixel24(image, x, 29 - y, {250, 250, 0});  // a yellow square at the top left
        AppendLayer(*stack, std::move(image));
        CompositeLayers(*stack);
    }
    explicit FakeWindow(std::unique_ptr<LayerStack> document)
        : stack(std::move(document))
        , undo(*stack)
    {
    }

    LayerStack& document() override { return *stack; }
    const LayerStack& document() const override { return *stack; }
    ViewMapping mapping() const override
    {
        ViewMapping m;
        m.zoom = zoom;
        m.clip = {0, 0, 400, 300};
        return m;
    }
    RgbTriple activeColour() const override { return active; }
    RgbTriple secondaryColour() const override { return secondary; }
    void setActiveColour(RgbTriple c) override { active = c; }
    void setSecondaryColour(RgbTriple c) override { secondary = c; }
    ToolSettings& settings() override { return toolSettings; }
    const ToolSettings& settings() const override { return toolSettings; }
    ui::Service& ui() override { return recorder; }
    void zoomAt(int step, Point point) override { zooms.push_back({step, point}); }
    Point scrollPosition() const override { return scroll; }
    void scrollTo(Point p) override { scroll = p; }

    // Mouse helpers: press at one point, drag through others, release at the last.
    ToolResult press(Tool& tool, Point p, Modifiers keys = {}, MouseButton button = MouseButton::Left)
    {
        return tool.press(*this, event(p, keys, button));
    }
    ToolResult drag(Tool& tool, std::initializer_list<Point> points, Modifiers keys = {})
    {
        const Point* p = points.begin();
        tool.press(*this, event(*p, keys));
        for (++p; p != points.end(); ++p)
            tool.move(*this, event(*p, keys, MouseButton::Left, true));
        return tool.release(*this, event(*(points.end() - 1), keys));
    }
    ToolResult click(Tool& tool, Point p, Modifiers keys = {})
    {
        tool.press(*this, event(p, keys));
        return tool.release(*this, event(p, keys));
    }
    static PointerEvent event(Point p, Modifiers keys = {}, MouseButton button = MouseButton::Left,
                              bool down = false)
    {
        return PointerAt(p, button, down, keys);
    }

    std::unique_ptr<LayerStack> stack;
    RecordingUndo undo;
    UiRecorder recorder;
    ToolSettings toolSettings;
    RgbTriple active{255, 255, 0};
    RgbTriple secondary{0, 0, 255};
    int zoom = 0;
    std::vector<std::pair<int, Point>> zooms;
    Point scroll{50, 60};
};

// The lines a window's surface would draw.
struct RecordingSurface final : DrawingSurface {
    bool drawPicture(const HDIB&, int, int) override { return false; }
    void drawLine(Point from, Point to, const Pen&) override { lines.push_back({from, to}); }
    void drawEllipse(const Rect&, const Pen&) override {}
    std::vector<SurfaceLine> lines;
};

inline Tool& tool(int id)
{
    Tool* t = Tools().find(id);
    if (!t)
        std::abort();
    return *t;
}

inline constexpr Modifiers kShift{true, false, false};
inline constexpr Modifiers kAlt{false, false, true};
inline constexpr Modifiers kControl{false, true, false};

// The fake window's layer: blue, with a yellow square in the top-left 10 × 10.
inline constexpr Rgb kBlue{0, 0, 200};
inline constexpr Rgb kYellow{250, 250, 0};

inline Rgb LayerPixel(const LayerStack& stack, int layer, Point p)
{
    const HDIB& image = stack.layers[std::size_t(layer)].image.read();
    return Pixel24(image, p.x, image.height() - 1 - p.y);
}

// The first layer's colours at `points`, to compare several at once.
inline std::vector<Rgb> LayerPixels(const LayerStack& stack, std::initializer_list<Point> points)
{
    std::vector<Rgb> colours;
    for (const Point p : points)
        colours.push_back(LayerPixel(stack, 0, p));
    return colours;
}

inline int LayerCover(const LayerStack& stack, int layer, Point p)
{
    const HDIB& mask = stack.layers[std::size_t(layer)].mask.read();
    return mask.row(mask.height() - 1 - p.y)[p.x];
}

inline void SetLayerCover(LayerStack& stack, int layer, Point p, std::uint8_t value)
{
    HDIB& mask = stack.layers[std::size_t(layer)].mask.write();
    mask.row(mask.height() - 1 - p.y)[p.x] = value;
}

// Every pixel and mask value of a layer, for comparing whole states.
inline std::vector<std::uint8_t> LayerBytes(const LayerStack& stack, int layer)
{
    const LayerRecord& l = stack.layers[std::size_t(layer)];
    std::vector<std::uint8_t> bytes(l.image.read().data(), l.image.read().data() + l.image.read().size());
    bytes.insert(bytes.end(), l.mask.read().data(), l.mask.read().data() + l.mask.read().size());
    return bytes;
}

}  // namespace lv::testing
