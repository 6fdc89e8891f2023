#include "album_writer.h"

#include "album/album_file.h"
#include "album/catalogue.h"
#include "album/catalogue_store.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "common/byte_sink.h"
#include "common/little_endian.h"
#include "imagelib/codecs/bmp/bmp.h"

#include <cstdio>
#include <map>

namespace lv::artwork {
namespace {

namespace fs = std::filesystem;

bool fail(const std::string& what)
{
    std::fprintf(stderr, "album generator: %s\n", what.c_str());
    return false;
}

bool writeAlbum(const fs::path& programDir, const SystemAlbum& album, const DocumentReaders& readers)
{
    std::vector<lv::album::AlbumEntry> entries;
    for (const ArtItem& item : album.items) {
        const fs::path file = programDir / item.file;
        std::error_code ec;
        fs::create_directories(file.parent_path(), ec);
        if (item.paint) {
            HDIB picture = item.paint();
            if (!picture || WriteBmp(file.string(), picture) != WriteResult::Written)
                return fail("cannot write " + file.string());
        }
        // The thumbnail is made from the file, as adding it to an album would.
        lv::album::BuiltEntry built =
            lv::album::BuildPhotoEntry({file.string(), item.caption, {item.values[0], item.values[1], item.values[2]}}, readers);
        if (!built.entry)
            return fail("cannot read back " + file.string());
        built.entry->setPath(item.file);
        built.entry->setRelative(true);
        entries.push_back(std::move(*built.entry));
    }
    std::vector<std::uint8_t> bytes = lv::album::EncodeAlbum(entries);
    StoreLE16(bytes.data() + lv::album::kReadOnlyOffset, 1);  // the user browses, but can't change them
    const fs::path out = programDir / lv::album::CategoryInfo(album.category).folder / album.key;
    std::error_code ec;
    fs::create_directories(out.parent_path(), ec);
    if (!WriteWholeFile(out.string(), bytes))
        return fail("cannot write " + out.string());
    return true;
}

}  // namespace

std::string CatalogueText(const std::vector<SystemAlbum>& albums)
{
    std::vector<std::string> order;
    std::map<std::string, std::string> lines;
    for (const SystemAlbum& album : albums) {
        const std::string section(lv::album::CategoryInfo(album.category).section);
        if (!lines.count(section))
            order.push_back(section);
        lines[section] += album.key + "=" + album.name + "\r\n";
    }
    std::string text = "; Álbuns do sistema, copiados para a configuração do usuário quando ele muda a lista.\r\n";
    for (const std::string& section : order)
        text += "[" + section + "]\r\n" + lines[section];
    return text;
}

bool WriteSystemAlbums(const fs::path& programDir, const std::vector<SystemAlbum>& albums)
{
    const DocumentReaders readers = lv::album::AlbumPhotoReaders();
    for (const SystemAlbum& album : albums)
        if (!writeAlbum(programDir, album, readers))
            return false;
    const std::string text = CatalogueText(albums);
    const fs::path catalogue = programDir / lv::album::kSystemCatalogueFile;
    if (!WriteWholeFile(catalogue.string(), {text.begin(), text.end()}))
        return fail("cannot write " + catalogue.string());
    return true;
}

}  // namespace lv::artwork
