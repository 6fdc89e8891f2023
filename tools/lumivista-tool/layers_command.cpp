#include "layers_command.h"

#include "app/core/undo/undo_table.h"
#include "arguments.h"
#include "edit/compositing.h"
#include "edit/layer_commands.h"
#include "edit/layer_palette_rules.h"
#include "edit/layers.h"
#include "image_io.h"
#include "imagelib/codecs/save_options.h"
#include "json_writer.h"

#include <cstdio>
#include <utility>

namespace lv::tool {
namespace {

std::string usageText()
{
    return CommandUsage("layers");
}

// The one window the tool's document stands in, for the undo table.
constexpr int kToolWindow = 1;

struct Word {
    std::string_view name;
    LayerOpKind kind;
};
constexpr Word kPlainWords[] = {
    {"new", LayerOpKind::New},           {"duplicate", LayerOpKind::Duplicate}, {"up", LayerOpKind::Up},
    {"down", LayerOpKind::Down},         {"merge-down", LayerOpKind::MergeDown}, {"flatten", LayerOpKind::Flatten},
    {"delete", LayerOpKind::Delete},     {"undo", LayerOpKind::Undo},           {"redo", LayerOpKind::Redo},
};
constexpr Word kNumberWords[] = {
    {"current", LayerOpKind::Current}, {"opacity", LayerOpKind::Opacity}, {"hide", LayerOpKind::Hide},
    {"show", LayerOpKind::Show},       {"link", LayerOpKind::Link},
};

struct Session {
    LayerStack& stack;
    UndoTable& table;
};

// Runs one operation as the screens do; false when it was refused.
bool apply(Session& s, const LayerOperation& op, std::string& why)
{
    LayerStack& stack = s.stack;
    const auto needLayer = [&](int index) {
        if (IsLayerIndex(stack, index))
            return true;
        why = "the document has no layer " + std::to_string(index);
        return false;
    };
    switch (op.kind) {
    case LayerOpKind::New: return NewTransparentLayer(stack);
    case LayerOpKind::Duplicate: return DuplicateCurrentLayer(stack);
    case LayerOpKind::Up: return MoveCurrentLayer(stack, true);
    case LayerOpKind::Down: return MoveCurrentLayer(stack, false);
    case LayerOpKind::MergeDown: return MergeDown(stack);
    case LayerOpKind::Flatten: return FlattenLayers(stack);
    case LayerOpKind::Delete: return DeleteLayerOrSelection(stack);
    case LayerOpKind::Undo: return s.table.undo(stack, kToolWindow);
    case LayerOpKind::Redo: return s.table.redo(stack, kToolWindow);
    case LayerOpKind::Current:
        if (!needLayer(op.number))
            return false;
        ClickLayerRow(stack, op.number);
        return true;
    case LayerOpKind::Opacity:
        return needLayer(stack.currentLayer) && SetLayerOpacity(stack, stack.currentLayer, op.number, true) >= 0;
    case LayerOpKind::Hide:
    case LayerOpKind::Show:
        if (!needLayer(op.number))
            return false;
        stack.layers[std::size_t(op.number)].visible = op.kind == LayerOpKind::Show;
        return true;
    case LayerOpKind::Link: return needLayer(op.number) && CtrlClickLayerRow(stack, op.number);
    case LayerOpKind::Rename: return needLayer(op.number) && RenameLayer(stack, op.number, op.text);
    case LayerOpKind::Add: {
        int exitCode = 0;
        const auto source = OpenDocument(op.text, exitCode);
        if (!source) {
            why = "cannot open " + op.text;
            return false;
        }
        return AddLayersFrom(stack, *source, op.text);
    }
    }
    return false;
}

void report(const LayerStack& stack, bool json)
{
    if (!json) {
        for (int i = 0; i < stack.layerCount; ++i) {
            const LayerRecord& l = stack.layers[std::size_t(i)];
            std::printf("%c%d %s %dx%d at %d,%d opacity %u%s%s%s\n", i == stack.currentLayer ? '*' : ' ', i,
                        l.name.c_str(), l.image.read().width(), l.image.read().height(), l.x, l.y,
                        unsigned(l.opacity), l.visible ? "" : " hidden", l.linked ? " linked" : "",
                        l.kind == LAYER_TEXT ? " text" : l.kind == LAYER_MASK ? " mask" : "");
        }
        return;
    }
    JsonWriter out;
    out.beginObject().key("width").value(stack.width).key("height").value(stack.height);
    out.key("current").value(stack.currentLayer).key("layers").beginArray();
    for (int i = 0; i < stack.layerCount; ++i) {
        const LayerRecord& l = stack.layers[std::size_t(i)];
        out.beginObject().key("name").value(l.name);
        out.key("width").value(l.image.read().width()).key("height").value(l.image.read().height());
        out.key("x").value(l.x).key("y").value(l.y).key("opacity").value(l.opacity);
        out.key("visible").value(l.visible).key("linked").value(l.linked).key("kind").value(std::uint32_t(l.kind));
        out.endObject();
    }
    out.endArray().endObject();
    std::printf("%s\n", out.text().c_str());
}

}  // namespace

std::optional<LayerOperation> ParseLayerOperation(const std::string& word, std::string& error)
{
    for (const Word& w : kPlainWords)
        if (word == w.name)
            return LayerOperation{w.kind, 0, {}};
    const auto equals = word.find('=');
    const std::string name = word.substr(0, equals);
    const std::string value = equals == std::string::npos ? std::string() : word.substr(equals + 1);
    if (equals != std::string::npos) {
        for (const Word& w : kNumberWords)
            if (name == w.name) {
                const int high = w.kind == LayerOpKind::Opacity ? 100 : kMaxLayers - 1;
                if (const auto n = ParseIntegerInRange(value, 0, high))
                    return LayerOperation{w.kind, *n, {}};
                error = name + "= takes a number from 0 to " + std::to_string(high);
                return std::nullopt;
            }
        if (name == "add" && !value.empty())
            return LayerOperation{LayerOpKind::Add, 0, value};
        if (name == "rename") {
            const auto comma = value.find(',');
            const auto n = ParseIntegerInRange(value.substr(0, comma), 0, kMaxLayers - 1);
            if (n && comma != std::string::npos)
                return LayerOperation{LayerOpKind::Rename, *n, value.substr(comma + 1)};
            error = "rename= takes N,TEXT";
            return std::nullopt;
        }
    }
    error = "unknown layer operation \"" + word + "\"";
    return std::nullopt;
}

int RunLayers(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "layers");
    if (!parsed.ok() || parsed.positional().size() < 3)
        return Fail(kExitUsage, parsed.ok() ? usageText() : parsed.error() + "\n" + usageText());
    const auto operations = ParseOperationWords(parsed.positional(), 2, ParseLayerOperation);
    if (!operations)
        return kExitUsage;
    int exitCode = kExitOk;
    auto stack = OpenDocument(parsed.positional()[0], exitCode);
    if (!stack)
        return exitCode;

    UndoTable table(UndoTable::kSlots);
    WindowUndoRecorder recorder(table, kToolWindow);
    stack->undo = &recorder;
    Session session{*stack, table};
    for (std::size_t i = 0; i < operations->size(); ++i) {
        std::string why;
        if (!apply(session, (*operations)[i], why)) {
            stack->undo = nullptr;
            return Fail(kExitUsage, parsed.positional()[i + 2] + " cannot be done" + (why.empty() ? "" : ": " + why));
        }
    }
    stack->undo = nullptr;
    CompositeLayers(*stack);
    report(*stack, parsed.has("--json"));
    return WriteDocument(*stack, parsed.positional()[1], CurrentSaveOptions().jpegQuality);
}

}  // namespace lv::tool
