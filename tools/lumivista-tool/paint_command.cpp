#include "paint_command.h"

#include "arguments.h"
#include "edit/layers.h"
#include "edit/paint/paint_stroke.h"
#include "edit/selection/selection.h"
#include "edit/tools/paint/stroke_tool.h"
#include "edit/tools/tool_registry.h"
#include "image_io.h"
#include "imagelib/codecs/save_options.h"
#include "json_writer.h"

#include <array>
#include <cstdio>

namespace lv::tool {
namespace {

std::string usageText()
{
    return CommandUsage("paint");
}

struct ToolName {
    std::string_view name;
    int id;
};
constexpr std::array<ToolName, 17> kToolNames = {{
    {"pen", tool_id::kPen},
    {"brush", tool_id::kBrush},
    {"airbrush", tool_id::kAirbrush},
    {"eraser", tool_id::kEraser},
    {"bucket", tool_id::kBucketFill},
    {"smudge", tool_id::kSmudge},
    {"lighten", tool_id::kLightenDarken},
    {"darken", tool_id::kLightenDarken},
    {"blur", tool_id::kBlurSharpen},
    {"sharpen", tool_id::kBlurSharpen},
    {"clone", tool_id::kClone},
    {"redeye", tool_id::kRedEye},
    {"stamp", tool_id::kStamp},
    {"gradient", tool_id::kGradientFill},
    {"pattern", tool_id::kPatternFill},
    {"line", tool_id::kLine},
    {"picker", tool_id::kColourPicker},
}};

// Tells the console what the tools say, and counts it.
class CountingService final : public ui::Service {
public:
    void showMessage(std::string_view text, std::string_view title, ui::Icon icon) override
    {
        ++messages;
        console_.showMessage(text, title, icon);
    }
    ui::Answer ask(std::string_view text, std::string_view title, ui::Buttons buttons, ui::Icon icon) override
    {
        return console_.ask(text, title, buttons, icon);
    }
    void beep() override { ++beeps; }
    void setBusy(bool) override {}
    void reportProgress(std::string_view, int) override {}
    bool escapeHeld() override { return false; }

    int messages = 0;
    int beeps = 0;

private:
    ui::ConsoleService console_;
};

// The command line's side of a window: the document at 100 %, the colours and settings
// given, nothing to scroll.
class CommandLineWindow final : public ToolContext {
public:
    explicit CommandLineWindow(LayerStack& stack)
        : stack_(stack)
    {
    }
    LayerStack& document() override { return stack_; }
    const LayerStack& document() const override { return stack_; }
    ViewMapping mapping() const override { return {}; }
    RgbTriple activeColour() const override { return active; }
    RgbTriple secondaryColour() const override { return secondary; }
    void setActiveColour(RgbTriple c) override { active = c; }
    void setSecondaryColour(RgbTriple c) override { secondary = c; }
    ToolSettings& settings() override { return toolSettings; }
    const ToolSettings& settings() const override { return toolSettings; }
    ui::Service& ui() override { return service; }
    void zoomAt(int, Point) override {}
    Point scrollPosition() const override { return {}; }
    void scrollTo(Point) override {}

    RgbTriple active{255, 255, 0};
    RgbTriple secondary{0, 0, 255};
    ToolSettings toolSettings;
    CountingService service;
    std::optional<Rect> changed;

    void take(const ToolResult& result)
    {
        if (result.changed)
            changed = changed ? UniteRects(*changed, *result.changed) : *result.changed;
    }

private:
    LayerStack& stack_;
};

struct Gesture {
    std::vector<Point> points;
    int rest = 0;
};

// The presses and moves a user would make: press at the first point, a move to each
// further one, the resting moves, the release at the last.
void perform(Tool& tool, CommandLineWindow& window, const Gesture& gesture, Modifiers keys)
{
    window.take(tool.press(window, PointerAt(gesture.points.front(), MouseButton::Left, false, keys)));
    for (std::size_t i = 1; i < gesture.points.size(); ++i)
        window.take(tool.move(window, PointerAt(gesture.points[i], MouseButton::Left, true, keys)));
    for (int i = 0; i < gesture.rest; ++i)
        window.take(tool.move(window, PointerAt(gesture.points.back(), MouseButton::Left, true, keys)));
    window.take(tool.release(window, PointerAt(gesture.points.back(), MouseButton::Left, false, keys)));
}

struct NumberOption {
    const char* name;
    int low;
    int high;
    int* target;
};

void report(const CommandLineWindow& window, std::string_view name, int dabs, bool json)
{
    const auto& c = window.changed;
    if (json) {
        JsonWriter out;
        out.beginObject().key("tool").value(std::string(name)).key("changed");
        if (c)
            out.beginArray().value(c->left).value(c->top).value(c->right).value(c->bottom).endArray();
        else
            out.null();
        out.key("dabs").value(dabs).key("beeps").value(window.service.beeps);
        out.key("active").beginArray().value(window.active.red).value(window.active.green).value(window.active.blue).endArray();
        out.endObject();
        std::printf("%s\n", out.text().c_str());
        return;
    }
    if (c)
        std::printf("%.*s changed %d,%d,%d,%d dabs %d\n", int(name.size()), name.data(), c->left, c->top, c->right,
                    c->bottom, dabs);
    else
        std::printf("%.*s changed nothing\n", int(name.size()), name.data());
}

}  // namespace

int RunPaint(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "paint");
    const auto usage = [&](const std::string& why) { return Fail(kExitUsage, why + "\n" + usageText()); };
    if (!parsed.ok())
        return usage(parsed.error());
    if (parsed.positional().size() != 2)
        return usage("IN and OUT are needed");
    const auto toolName = parsed.value("--tool");
    const ToolName* chosen = nullptr;
    for (const ToolName& t : kToolNames)
        if (toolName && t.name == *toolName)
            chosen = &t;
    if (!chosen)
        return usage(toolName ? "unknown tool " + *toolName : std::string("--tool is needed"));

    ToolSettings settings;
    PaintOptions& o = settings.paint;
    int transparency = -1, layer = -1, rest = 0;
    const NumberOption numbers[] = {
        {"--size", 1, 255, &o.brush.size},         {"--speed", 1, 32, &o.brush.speed},
        {"--shape", 0, 6, &o.brush.shape},          {"--transparency", 0, 99, &transparency},
        {"--tolerance", 0, 255, &o.fillTolerance},  {"--intensity", 0, 100, &o.eraserIntensity},
        {"--strength", 0, 100, &o.strength},        {"--pressure", 0, 255, &o.airbrushPressure},
        {"--softness", 0, 255, &o.softness},        {"--layer", 0, kMaxLayers - 1, &layer},
        {"--rest", 0, 100000, &rest},
    };
    for (const NumberOption& n : numbers)
        if (const auto v = parsed.integer(n.name, n.low, n.high))
            *n.target = *v;
    if (!parsed.ok())
        return usage(parsed.error());
    if (transparency >= 0)
        o.brushTransparency = o.airbrushTransparency = o.penTransparency = o.fillTransparency = transparency;
    o.eraserSoftEdge = o.cloneSoftEdge = parsed.has("--soft-edge");
    o.cloneAligned = !parsed.has("--not-aligned");
    o.darken = *toolName == "darken";
    o.sharpen = *toolName == "sharpen";

    Gesture gesture;
    const int gestures = parsed.has("--stroke") + parsed.has("--click") + parsed.has("--drag");
    if (gestures != 1)
        return usage("give one of --stroke, --click and --drag");
    const std::string points = *parsed.value(parsed.has("--stroke") ? "--stroke" : parsed.has("--click") ? "--click" : "--drag");
    const auto list = ParsePointList(points);
    const std::size_t wanted = parsed.has("--click") ? 1 : parsed.has("--drag") ? 2 : 0;
    if (!list || (wanted && list->size() != wanted))
        return usage("bad points: " + points);
    gesture.points = *list;
    gesture.rest = parsed.has("--stroke") ? rest : 0;

    int exitCode = kExitOk;
    auto stack = OpenDocument(parsed.positional()[0], exitCode);
    if (!stack)
        return exitCode;
    if (layer >= 0 && SetCurrentLayer(*stack, layer) < 0)
        return usage("the document has no layer " + std::to_string(layer));
    if (const auto select = parsed.value("--select")) {
        const auto rect = ParseRectangle(*select);
        if (!rect)
            return usage("bad rectangle: " + *select);
        ChangeSelection(*stack, *RectangleRegion(*rect), CombineMode::New, kUndoShapeSelection);
    }
    if (const auto picture = parsed.value("--picture")) {
        ToolPicture opened = OpenPicture(*picture);
        if (opened.exitCode)
            return opened.exitCode;
        o.stamp = o.texture = std::make_shared<const HDIB>(std::move(opened.image));
        o.customShape = o.stamp;  // the dark pixels make brush shape 6
    }

    CommandLineWindow window(*stack);
    window.toolSettings = settings;
    for (const auto& [option, target] : {std::pair{"--color", &window.active}, std::pair{"--secondary", &window.secondary}})
        if (const auto text = parsed.value(option)) {
            const auto colour = ParseColour(*text);
            if (!colour)
                return usage("bad colour: " + *text);
            *target = *colour;
        }
    // A fresh tool, so nothing of an earlier use (a clone source) carries over.
    std::unique_ptr<Tool> made;
    Tool* tool = Tools().find(chosen->id);
    if (const auto* stroke = dynamic_cast<const StrokeTool*>(tool)) {
        made = std::make_unique<StrokeTool>(chosen->id, stroke->kind());
        tool = made.get();
    }
    if (const auto source = parsed.value("--source")) {
        const auto at = ParsePointList(*source);
        if (!at || at->size() != 1)
            return usage("bad source: " + *source);
        tool->press(window, PointerAt(at->front(), MouseButton::Right, false, {}));
    }
    perform(*tool, window, gesture, {parsed.has("--shift"), false, parsed.has("--alt")});
    if (window.service.messages > 0)
        return Fail(kExitUsage, "the tool refused the document (see the message above)");
    const auto* stroke = dynamic_cast<const StrokeTool*>(tool);
    report(window, chosen->name, stroke ? stroke->stroke().dabs() : 0, parsed.has("--json"));
    return WriteDocument(*stack, parsed.positional()[1], CurrentSaveOptions().jpegQuality);
}

}  // namespace lv::tool
