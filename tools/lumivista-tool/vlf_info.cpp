#include "vlf_command.h"

#include "arguments.h"
#include "edit/layered_layout.h"
#include "edit/text_block.h"
#include "json_writer.h"

#include <cstdio>
#include <optional>

namespace lv::tool {
namespace {

struct LayerFacts {
    LayeredEntry entry;
    std::string name;
    std::uint32_t imageEncoding = 0;
    std::uint32_t maskEncoding = 0;
    std::optional<std::string> text;
};

std::uint32_t encodingAt(ByteSource& source, std::uint64_t base, std::uint32_t offset)
{
    return offset ? ReadBlockEncoding(source, base + offset).value_or(0) : 0;
}

LayerFacts factsOf(ByteSource& source, std::uint64_t base, const LayeredEntry& entry)
{
    LayerFacts facts{entry, {}, 0, 0, std::nullopt};
    if (entry.nameOffset)
        facts.name = ReadNameBlock(source, base + entry.nameOffset).value_or("");
    facts.imageEncoding = encodingAt(source, base, entry.imageOffset);
    facts.maskEncoding = encodingAt(source, base, entry.maskOffset);
    if (entry.textOffset)
        if (const auto object = ReadTextBlock(source, base + entry.textOffset))
            facts.text = object->text;
    return facts;
}

void printJson(const LayeredHeader& h, const std::vector<LayerFacts>& layers)
{
    JsonWriter json;
    json.beginObject()
        .key("width").value(h.width)
        .key("height").value(h.height)
        .key("depth").value(h.depth)
        .key("xPelsPerMeter").value(h.xPelsPerMeter)
        .key("yPelsPerMeter").value(h.yPelsPerMeter)
        .key("count").value(h.count)
        .key("current").value(h.current)
        .key("previewOffset").value(h.previewOffset)
        .key("layers").beginArray();
    for (const LayerFacts& f : layers) {
        const LayeredEntry& e = f.entry;
        json.beginObject()
            .key("kind").value(e.kind)
            .key("linked").value((e.flags & kLayerFlagLinked) != 0)
            .key("visible").value((e.flags & kLayerFlagVisible) != 0)
            .key("maskLocked").value((e.flags & kLayerFlagMaskLocked) != 0)
            .key("x").value(e.x)
            .key("y").value(e.y)
            .key("opacity").value(e.opacity)
            .key("name").value(f.name)
            .key("nameOffset").value(e.nameOffset)
            .key("imageOffset").value(e.imageOffset)
            .key("imageEncoding").value(f.imageEncoding)
            .key("maskOffset").value(e.maskOffset)
            .key("maskEncoding").value(f.maskEncoding)
            .key("textOffset").value(e.textOffset)
            .key("text");
        if (f.text)
            json.value(*f.text);
        else
            json.null();
        json.key("placementOffset").value(e.placementOffset).endObject();
    }
    json.endArray().endObject();
    std::printf("%s\n", json.text().c_str());
}

void printText(const LayeredHeader& h, const std::vector<LayerFacts>& layers)
{
    std::printf("width: %d\nheight: %d\ndepth: %u\nxPelsPerMeter: %d\nyPelsPerMeter: %d\ncount: %u\ncurrent: %u\n"
                "previewOffset: %u\n",
                h.width, h.height, h.depth, h.xPelsPerMeter, h.yPelsPerMeter, h.count, h.current, h.previewOffset);
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const LayeredEntry& e = layers[i].entry;
        std::printf("layer %zu: kind %u flags %u x %d y %d opacity %u name \"%s\"\n", i, e.kind, e.flags, e.x, e.y,
                    e.opacity, layers[i].name.c_str());
        std::printf("  name at %u, image at %u (encoding %u), mask at %u (encoding %u), text at %u, placement at %u\n",
                    e.nameOffset, e.imageOffset, layers[i].imageEncoding, e.maskOffset, layers[i].maskEncoding,
                    e.textOffset, e.placementOffset);
        if (layers[i].text)
            std::printf("  text \"%s\"\n", layers[i].text->c_str());
    }
}

}  // namespace

int RunVlfInfo(Arguments args)
{
    ParsedArguments parsed(args, "vlf", "info");
    if (!parsed.ok() || parsed.positional().size() != 1)
        return Fail(kExitUsage, parsed.ok() ? FormUsage("vlf", "info") : parsed.error());
    const std::string& path = parsed.positional()[0];
    auto source = FileSource::Open(path);
    if (!source)
        return Fail(kExitCannotRead, "cannot open " + path);
    const auto layout = ReadLayeredLayout(*source);
    if (!layout)
        return Fail(kExitCannotRead, path + " is not a layered stream (FLVT, version 3)");
    std::vector<LayerFacts> layers;
    for (const LayeredEntry& entry : layout->entries)
        layers.push_back(factsOf(*source, layout->base, entry));
    if (parsed.has("--json"))
        printJson(layout->header, layers);
    else
        printText(layout->header, layers);
    return kExitOk;
}

}  // namespace lv::tool
