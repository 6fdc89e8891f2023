// "album info", "album thumbs" and "album refresh".

#include "album_command.h"
#include "arguments.h"
#include "json_writer.h"

#include "album/album.h"
#include "album/album_file.h"
#include "album/album_update.h"
#include "album/album_operations.h"
#include "album/photo_loader.h"
#include "common/program_paths.h"
#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/text_encoding.h"
#include "imagelib/codecs/bmp/bmp.h"

#include <cstdio>
#include <filesystem>

namespace lv::tool {
namespace {

using album::AlbumEntry;

struct HeaderWords {
    std::uint32_t totalLength = 0;
    std::uint32_t thumbOffset = 0;
};

HeaderWords headerWords(const std::string& path)
{
    auto source = FileSource::Open(path);
    std::uint8_t header[16];
    if (!source || !source->readExact(header, sizeof header))
        return {};
    return {LoadLE32(header + 4), LoadLE32(header + 12)};
}

void writePhoto(JsonWriter& json, const AlbumEntry& e)
{
    json.beginObject();
    json.key("path").value(ToUtf8(e.path()));
    json.key("caption").value(ToUtf8(e.caption()));
    json.key("fileSize").value(e.fileSize());
    json.key("created").value(e.created());
    json.key("width").value(e.width());
    json.key("height").value(e.height());
    json.key("bitCount").value(e.bitCount());
    json.key("thumbWidth").value(e.thumbWidth());
    json.key("thumbHeight").value(e.thumbHeight());
    json.key("thumbSize").value(e.thumbSize());
    json.key("thumbOffsetInArea").value(e.thumbOffset());
    json.key("relative").value(e.relative());
    json.endObject();
}

}  // namespace

int RunAlbumInfo(Arguments args)
{
    ParsedArguments parsed(args, "album", "info");
    if (!parsed.ok() || parsed.positional().size() != 1)
        return Fail(kExitUsage, parsed.ok() ? FormUsage("album", "info") : parsed.error());
    const std::string& path = parsed.positional()[0];
    const album::AlbumFileContents contents = album::ReadAlbumContents(path);
    if (!contents.recognised)
        return Fail(kExitCannotRead, "cannot read " + path + " as an album");
    const HeaderWords words = headerWords(path);
    if (parsed.has("--json")) {
        JsonWriter json;
        json.beginObject();
        json.key("count").value(contents.entries.size());
        json.key("complete").value(contents.complete);
        json.key("readOnly").value(contents.readOnly);
        json.key("totalLength").value(words.totalLength);
        json.key("thumbOffset").value(words.thumbOffset);
        json.key("photos").beginArray();
        for (const AlbumEntry& e : contents.entries)
            writePhoto(json, e);
        json.endArray().endObject();
        std::printf("%s\n", json.text().c_str());
    } else {
        std::printf("%zu photos%s%s, %u bytes, thumbnails at %u\n", contents.entries.size(),
                    contents.readOnly ? ", read-only" : "", contents.complete ? "" : " (damaged: the rest is lost)",
                    words.totalLength, words.thumbOffset);
        int n = 0;
        for (const AlbumEntry& e : contents.entries)
            std::printf("%4d  %ux%u %2u-bit  thumb %ux%u  %s%s\n", ++n, e.width(), e.height(), e.bitCount(),
                        e.thumbWidth(), e.thumbHeight(), e.relative() ? "(program folder) " : "", ToUtf8(e.path()).c_str());
    }
    return contents.complete ? kExitOk : kExitCannotRead;
}

int RunAlbumThumbs(Arguments args)
{
    ParsedArguments parsed(args, "album", "thumbs");
    if (!parsed.ok() || parsed.positional().size() != 2)
        return Fail(kExitUsage, parsed.ok() ? FormUsage("album", "thumbs") : parsed.error());
    const std::string& path = parsed.positional()[0];
    const std::filesystem::path folder = parsed.positional()[1];
    album::Album album;
    const bool whole = album.read(path);
    if (album.empty() && !whole)
        return Fail(kExitCannotRead, "cannot read " + path + " as an album");
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (std::size_t i = 0; i < album.count(); ++i) {
        HDIB thumb = album.thumbnailCopy(int(i));
        const std::string out = (folder / (std::to_string(i + 1) + ".bmp")).string();
        if (!thumb || !thumb.hasValidLayout())
            return Fail(kExitCannotRead, "photo " + std::to_string(i + 1) + " of " + path + " has a damaged thumbnail");
        if (WriteBmp(out, thumb) != WriteResult::Written)
            return Fail(kExitCannotWrite, "cannot write " + out);
    }
    return whole ? kExitOk : kExitCannotRead;
}

int RunAlbumRefresh(Arguments args)
{
    ParsedArguments parsed(args, "album", "refresh");
    const auto jobs = parsed.integer("--jobs", 1, 64);
    if (!parsed.ok() || parsed.positional().size() != 1)
        return Fail(kExitUsage, parsed.ok() ? FormUsage("album", "refresh") : parsed.error());
    const std::string& path = parsed.positional()[0];
    album::Album album;
    if (!album.read(path))
        return Fail(kExitCannotRead, "cannot read " + path + " as a whole album");
    if (album.readOnly()) {
        std::printf("read-only album: left as it is\n");
        return kExitOk;
    }
    const album::RefreshReport report =
        album::RefreshAlbum(album, ProgramDir(), album::AlbumPhotoReaders(), unsigned(jobs.value_or(0)));
    std::printf("%zu rebuilt, %zu made absolute, %zu missing, %zu unreadable\n", report.rebuilt, report.madeAbsolute,
                report.missing, report.unreadable);
    if (album.modified()) {
        const album::AlbumUpdate update = album::SaveOpenAlbum(album, path);
        if (update != album::AlbumUpdate::Written)
            return Fail(kExitCannotWrite, album::DescribeAlbumUpdate(update, path));
    }
    return kExitOk;
}

}  // namespace lv::tool
