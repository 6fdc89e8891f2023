// "album list": the album catalogue of the configuration file.

#include "album_command.h"
#include "arguments.h"
#include "json_writer.h"

#include "album/catalogue.h"
#include "common/program_paths.h"

#include <cstdio>

namespace lv::tool {

int RunAlbumList(Arguments args)
{
    ParsedArguments parsed(args, "album", "list");
    const auto only = parsed.integer("--category", 0, album::kCategoryCount - 1);
    if (!parsed.ok() || !parsed.positional().empty())
        return Fail(kExitUsage, parsed.ok() ? FormUsage("album", "list") : parsed.error());
    album::ProfileCatalogueStore store(ConfigFilePath(), ProgramFile(album::kSystemCatalogueFile));
    const album::AlbumCatalogue catalogue(store, ProgramDir(), WritableProgramDir(album::kUserAlbumsFolder));

    JsonWriter json;
    json.beginObject().key("categories").beginArray();
    for (int c = 0; c < album::kCategoryCount; ++c) {
        if (only && *only != c)
            continue;
        const auto& info = album::CategoryInfo(c);
        if (parsed.has("--json")) {
            json.beginObject();
            json.key("category").value(c);
            json.key("section").value(info.section);
            json.key("current").value(catalogue.current(c));
            json.key("albums").beginArray();
            for (int i = 0; i < catalogue.count(c); ++i) {
                json.beginObject();
                json.key("key").value(catalogue.key(c, i));
                json.key("name").value(catalogue.name(c, i));
                json.key("path").value(catalogue.albumPath(c, i));
                json.endObject();
            }
            json.endArray().endObject();
            continue;
        }
        std::printf("%d %.*s (%d albums, current %d)\n", c, int(info.section.size()), info.section.data(),
                    catalogue.count(c), catalogue.current(c));
        for (int i = 0; i < catalogue.count(c); ++i)
            std::printf("  %s = %s\n", catalogue.key(c, i).c_str(), catalogue.name(c, i).c_str());
    }
    json.endArray().endObject();
    if (parsed.has("--json"))
        std::printf("%s\n", json.text().c_str());
    return kExitOk;
}

}  // namespace lv::tool
