#include "webalbum_command.h"

#include "album/album_file.h"
#include "arguments.h"
#include "json_writer.h"
#include "option_table.h"
#include "output/web_album/web_album.h"

#include <cstdio>

namespace lv::tool {

int RunWebAlbum(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "webalbum");
    if (!parsed.ok() || parsed.positional().size() != 2)
        return Fail(kExitUsage, parsed.ok() ? FormUsage("webalbum") : parsed.error());
    const std::string& albumPath = parsed.positional()[0];
    web::WebAlbumOptions options;
    if (const auto title = parsed.value("--title"))
        options.title = *title;
    if (parsed.value("--size")) {
        const auto size = parsed.integer("--size", web::kMinImageSize, web::kMaxImageSize);
        if (!size)
            return Fail(kExitUsage, parsed.error());
        options.size = *size;
    }
    if (!album::ReadAlbumContents(albumPath).recognised)
        return Fail(kExitCannotRead, albumPath + ": not an album file, or it cannot be read");
    const web::WebAlbumOutcome outcome =
        web::PublishWebAlbum(web::WebAlbumPhotosOf(albumPath), parsed.positional()[1], options);
    for (const std::string& skipped : outcome.skipped)
        std::fprintf(stderr, "lumivista-tool: left out %s\n", skipped.c_str());
    if (!outcome.ok)
        return Fail(kExitCannotWrite, outcome.error);
    if (parsed.has("--json")) {
        JsonWriter json;
        json.beginObject().key("published").value(outcome.published).key("skipped").value(int(outcome.skipped.size()));
        json.key("index").value((std::filesystem::path(parsed.positional()[1]) / "index.html").string()).endObject();
        std::printf("%s\n", json.text().c_str());
    } else {
        std::printf("%d photos published in %s\n", outcome.published, parsed.positional()[1].c_str());
    }
    return kExitOk;
}

}  // namespace lv::tool
