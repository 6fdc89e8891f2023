#include "skin_command.h"

#include "app/skin/panel_loader.h"
#include "app/skin/skin_file.h"
#include "arguments.h"
#include "json_writer.h"

#include <cstdio>

namespace lv::tool {
namespace {

struct PictureSize {
    int width = 0;
    int height = 0;
    int bitCount = 0;
};

std::optional<PictureSize> SizeOf(const std::vector<std::uint8_t>& packed)
{
    const HDIB dib = skin::PictureFromPackedDib(packed);
    if (!dib)
        return std::nullopt;
    return PictureSize{dib.width(), dib.height(), dib.bitCount()};
}

void WriteJson(const skin::SkinHeader& header, const skin::SkinFileContent& content)
{
    JsonWriter json;
    json.beginObject().key("records").value(header.totalRecords).key("screenCount").value(header.screenCount);
    json.key("screens").beginArray();
    for (std::size_t s = 0; s < content.screens.size(); ++s) {
        const skin::RecordRange range = skin::ScreenRecordRange(header, int(s));
        json.beginObject().key("screen").value(s).key("firstRecord").value(range.first).key("buttons").beginArray();
        for (const skin::SkinButtonImages& b : content.screens[s]) {
            const skin::SkinFields& f = b.fields;
            json.beginObject()
                .key("x").value(f.x).key("y").value(f.y).key("width").value(f.width).key("height").value(f.height)
                .key("recordKind").value(f.recordKind).key("code").value(f.code)
                .key("value1").value(f.value1).key("value2").value(f.value2);
            json.key("images").beginArray();
            for (const auto& picture : b.pictures) {
                if (const auto size = SizeOf(picture))
                    json.beginArray().value(size->width).value(size->height).value(size->bitCount).endArray();
                else
                    json.null();
            }
            json.endArray().endObject();
        }
        json.endArray().endObject();
    }
    json.endArray().endObject();
    std::printf("%s\n", json.text().c_str());
}

void WriteText(const skin::SkinHeader& header, const skin::SkinFileContent& content)
{
    std::printf("records: %u\nscreens: %u\n", header.totalRecords, header.screenCount);
    for (std::size_t s = 0; s < content.screens.size(); ++s) {
        std::printf("screen %zu: %zu buttons from record %u\n", s, content.screens[s].size(),
                    skin::ScreenRecordRange(header, int(s)).first);
        int index = 0;
        for (const skin::SkinButtonImages& b : content.screens[s]) {
            const skin::SkinFields& f = b.fields;
            std::printf("  %d: %d,%d %dx%d kind %d value %d", index++, f.x, f.y, f.width, f.height, f.recordKind, f.value2);
            for (const auto& picture : b.pictures) {
                if (const auto size = SizeOf(picture))
                    std::printf(" %dx%dx%d", size->width, size->height, size->bitCount);
                else
                    std::printf(" -");
            }
            std::printf("\n");
        }
    }
}

}  // namespace

int RunSkin(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "skin", "info");
    if (!parsed.ok() || parsed.positional().size() != 2 || parsed.positional()[0] != "info")
        return Fail(kExitUsage, parsed.ok() ? FormUsage("skin", "info") : parsed.error());
    const std::string& path = parsed.positional()[1];
    auto file = FileSource::Open(path);
    if (!file)
        return Fail(kExitCannotRead, "cannot open " + path);
    const auto header = skin::ReadSkinHeader(*file);
    const auto content = skin::ReadSkinFile(*file);
    if (!header)
        return Fail(kExitUsage, path + " is not a skin file");
    if (!content)
        return Fail(kExitCannotRead, path + " is a damaged skin file (screens or pictures named twice)");
    if (parsed.has("--json"))
        WriteJson(*header, *content);
    else
        WriteText(*header, *content);
    return kExitOk;
}

}  // namespace lv::tool
