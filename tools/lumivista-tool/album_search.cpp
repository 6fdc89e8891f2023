// "album search": the photo search the album page's dialog runs, from the command line.

#include "album_command.h"
#include "arguments.h"
#include "json_writer.h"

#include "album/photo_search.h"
#include "common/program_paths.h"
#include "common/text_encoding.h"

#include <cstdio>
#include <filesystem>

namespace lv::tool {
namespace {

std::string usageText()
{
    return FormUsage("album", "search");
}

std::vector<std::string> SplitTypes(const std::string& text)
{
    std::vector<std::string> types;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        std::string type = text.substr(start, comma - start);
        if (!type.empty() && type.front() == '.')
            type.erase(type.begin());
        if (!type.empty())
            types.push_back(type);
        start = comma + 1;
    }
    return types;
}

std::optional<Size> ParseSizeText(const std::string& text)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    return ParsePictureSize(text.substr(0, x), text.substr(x + 1));
}

void WriteHit(JsonWriter& json, const album::SearchHit& hit)
{
    json.beginObject();
    json.key("path").value(ToUtf8(hit.path));
    json.key("album").value(ToUtf8(hit.album));
    json.key("index").value(hit.index);
    json.key("caption").value(ToUtf8(hit.facts.caption));
    json.key("width").value(hit.facts.width);
    json.key("height").value(hit.facts.height);
    json.key("fileSize").value(hit.facts.bytes);
    json.key("time").value(hit.facts.time);
    if (hit.facts.taken) {
        json.key("taken").value(hit.facts.taken);
        json.key("camera").value(ToUtf8(hit.facts.camera));
    }
    json.endObject();
}

}  // namespace

int RunAlbumSearch(Arguments args)
{
    ParsedArguments parsed(args, "album", "search");
    if (!parsed.ok() || parsed.positional().size() != 1)
        return Fail(kExitUsage, parsed.ok() ? usageText() : parsed.error());
    album::SearchCriteria criteria;
    criteria.name = parsed.value("--name").value_or("");
    criteria.caption = parsed.value("--caption").value_or("");
    if (const auto after = parsed.value("--after")) {
        criteria.after = album::ParseSearchDate(*after);
        if (!criteria.after)
            return Fail(kExitUsage, "--after wants a date as YYYY-MM-DD, not " + *after);
    }
    if (const auto before = parsed.value("--before")) {
        const auto day = album::ParseSearchDate(*before);
        if (!day)
            return Fail(kExitUsage, "--before wants a date as YYYY-MM-DD, not " + *before);
        criteria.before = album::NextDay(*day);  // the day itself counts
    }
    if (const auto after = parsed.value("--taken-after")) {
        criteria.takenAfter = album::ParseSearchDate(*after);
        if (!criteria.takenAfter)
            return Fail(kExitUsage, "--taken-after wants a date as YYYY-MM-DD, not " + *after);
    }
    if (const auto before = parsed.value("--taken-before")) {
        const auto day = album::ParseSearchDate(*before);
        if (!day)
            return Fail(kExitUsage, "--taken-before wants a date as YYYY-MM-DD, not " + *before);
        criteria.takenBefore = album::NextDay(*day);
    }
    criteria.camera = parsed.value("--camera").value_or("");
    if (const auto types = parsed.value("--type"))
        criteria.types = SplitTypes(*types);
    if (const auto size = parsed.value("--min-size")) {
        const auto wanted = ParseSizeText(*size);
        if (!wanted)
            return Fail(kExitUsage, "--min-size wants WIDTHxHEIGHT, each from 1 to 65535, not " + *size);
        criteria.minWidth = wanted->width;
        criteria.minHeight = wanted->height;
    }

    const std::string& folder = parsed.positional()[0];
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return Fail(kExitCannotRead, "cannot read the folder " + folder);
    std::vector<album::SearchHit> hits = album::SearchAlbumFolder(folder, criteria, ProgramDir().string());
    if (const auto photos = parsed.value("--photos")) {
        if (!std::filesystem::is_directory(*photos, error))
            return Fail(kExitCannotRead, "cannot read the folder " + *photos);
        for (album::SearchHit& hit : album::SearchPhotoFolder(*photos, criteria, true))
            hits.push_back(std::move(hit));
    }

    if (parsed.has("--json")) {
        JsonWriter json;
        json.beginObject();
        json.key("count").value(hits.size());
        json.key("hits").beginArray();
        for (const album::SearchHit& hit : hits)
            WriteHit(json, hit);
        json.endArray().endObject();
        std::printf("%s\n", json.text().c_str());
        return kExitOk;
    }
    for (const album::SearchHit& hit : hits)
        std::printf("%s\t%s\t%d\n", ToUtf8(hit.path).c_str(), ToUtf8(hit.album).c_str(), hit.index);
    return kExitOk;
}

}  // namespace lv::tool
