#include "psd_command.h"

#include "arguments.h"
#include "edit/psd/psd_structure.h"
#include "json_writer.h"

#include <cstdio>

namespace lv::tool {
namespace {

std::string usageText()
{
    return CommandUsage("psd");
}

std::string text(const std::array<char, 4>& tag)
{
    std::string out;
    for (const char c : tag)
        out += c >= 0x20 && c < 0x7F ? c : '?';
    return out;
}

const char* sectionName(PsdSection section)
{
    switch (section) {
    case PsdSection::OpenFolder:
        return "open folder";
    case PsdSection::ClosedFolder:
        return "closed folder";
    case PsdSection::Divider:
        return "folder end";
    default:
        return "layer";
    }
}

void rect(JsonWriter& json, const PsdRect& r)
{
    json.beginObject().key("top").value(r.top).key("left").value(r.left).key("bottom").value(r.bottom)
        .key("right").value(r.right).endObject();
}

void printJson(const PsdStructure& s)
{
    const PsdHeader& h = s.header;
    JsonWriter json;
    json.beginObject()
        .key("version").value(h.version)
        .key("channels").value(h.channels)
        .key("width").value(h.width)
        .key("height").value(h.height)
        .key("depth").value(h.depth)
        .key("mode").value(h.mode)
        .key("xPelsPerMeter").value(s.xPelsPerMeter)
        .key("yPelsPerMeter").value(s.yPelsPerMeter)
        .key("layerCount").value(s.declaredLayerCount)
        .key("mergedDataOffset").value(s.mergedDataOffset)
        .key("layers").beginArray();
    for (const PsdLayerRecord& layer : s.layers) {
        json.beginObject().key("name").value(layer.name).key("rect");
        rect(json, layer.rect);
        json.key("channels").beginArray();
        for (const PsdChannel& c : layer.channels)
            json.beginObject().key("id").value(c.id).key("length").value(c.length).key("offset").value(c.offset).endObject();
        json.endArray()
            .key("blend").value(text(layer.blendKey))
            .key("opacity").value(layer.opacity)
            .key("clipping").value(layer.clipping)
            .key("flags").value(layer.flags)
            .key("hidden").value(layer.hidden())
            .key("section").value(sectionName(layer.section))
            .key("maskDataLength").value(layer.maskDataLength);
        if (layer.hasMaskRect()) {
            json.key("maskRect");
            rect(json, layer.maskRect);
            json.key("maskDefault").value(layer.maskDefault).key("maskFlags").value(layer.maskFlags);
        }
        json.endObject();
    }
    json.endArray().endObject();
    std::printf("%s\n", json.text().c_str());
}

void printText(const PsdStructure& s)
{
    const PsdHeader& h = s.header;
    std::printf("version: %u\nchannels: %u\nwidth: %u\nheight: %u\ndepth: %u\nmode: %u\nxPelsPerMeter: %d\n"
                "yPelsPerMeter: %d\nlayer count: %d\nmerged data at: %llu\n",
                h.version, h.channels, h.width, h.height, h.depth, h.mode, s.xPelsPerMeter, s.yPelsPerMeter,
                s.declaredLayerCount, static_cast<unsigned long long>(s.mergedDataOffset));
    for (std::size_t i = 0; i < s.layers.size(); ++i) {
        const PsdLayerRecord& l = s.layers[i];
        std::printf("record %zu: \"%s\" %s, top %d left %d bottom %d right %d, blend %s opacity %u clipping %u flags %u%s\n",
                    i, l.name.c_str(), sectionName(l.section), l.rect.top, l.rect.left, l.rect.bottom, l.rect.right,
                    text(l.blendKey).c_str(), l.opacity, l.clipping, l.flags, l.hidden() ? " (hidden)" : "");
        for (const PsdChannel& c : l.channels)
            std::printf("  channel %d: %u bytes at %llu\n", c.id, c.length, static_cast<unsigned long long>(c.offset));
        if (l.hasMaskRect())
            std::printf("  mask: top %d left %d bottom %d right %d, default %u, flags %u\n", l.maskRect.top,
                        l.maskRect.left, l.maskRect.bottom, l.maskRect.right, l.maskDefault, l.maskFlags);
    }
}

}  // namespace

int RunPsd(std::string_view, Arguments args)
{
    if (args.empty() || args[0] != "info")
        return Fail(kExitUsage, usageText());
    ParsedArguments parsed(args.subspan(1), "psd", "info");
    if (!parsed.ok() || parsed.positional().size() != 1)
        return Fail(kExitUsage, parsed.ok() ? usageText() : parsed.error());
    const std::string& path = parsed.positional()[0];
    auto source = FileSource::Open(path);
    if (!source)
        return Fail(kExitCannotRead, "cannot open " + path);
    const PsdParse parse = ReadPsdStructure(*source);
    if (parse.problem == PsdProblem::NotPsd)
        return Fail(kExitUsage, path + " is not a Photoshop document");
    if (parse.problem != PsdProblem::None)
        return Fail(kExitCannotRead, path + " is damaged: its sizes don't fit the file");
    if (parsed.has("--json"))
        printJson(parse.structure);
    else
        printText(parse.structure);
    return kExitOk;
}

}  // namespace lv::tool
