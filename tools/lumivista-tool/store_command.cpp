// lumivista-tool store download --server URL --user ID --dir DIR [--album ALBUM]
// [--ca-file FILE] [--json]
//
// The password comes from standard input, never from the command line. Photos already in
// DIR are not fetched again; a cut transfer continues. With --album the photos that came
// join that album file (made when missing) as the download page adds them.

#include "store_command.h"

#include "album/album_operations.h"
#include "album/album_update.h"
#include "album/catalogue.h"
#include "album/photo_loader.h"
#include "common/program_paths.h"
#include "arguments.h"
#include "json_writer.h"
#include "sharing/store/loaded_store_library.h"
#include "sharing/store/photo_download.h"
#include "sharing/store/store_protocol.h"

#include <cstdio>
#include <iostream>

namespace lv::tool {
namespace {

std::string usageText()
{
    return CommandUsage("store");
}

// The library's own words for a code, or the code.
std::string Explain(const sharing::StoreCalls& calls, int code)
{
    if (calls.loadString) {
        char text[256] = {};
        if (const int id = sharing::StoreTextFor(code); id && calls.loadString(id, text, sizeof text) > 0)
            return text;
    }
    return "the photo service refused (code " + std::to_string(code) + ")";
}

// The photos join the album file as the page adds them to the current album, under the
// album's lock so that nothing another writer adds meanwhile is lost.
int AddToAlbum(const std::string& albumFile, const std::vector<std::string>& paths)
{
    album::ProfileCatalogueStore store(ConfigFilePath(), ProgramFile(album::kSystemCatalogueFile));
    album::AlbumCatalogue catalogue(store, ProgramDir());
    const album::AlbumUpdate update = album::ModifyAlbum(albumFile, [&](album::Album& open) {
        album::AlbumSession session{open, catalogue, album::AlbumPhotoReaders(), albumFile};
        bool added = false;
        for (const std::string& path : paths) {
            album::AddPhotoRequest request;
            request.path = path;
            request.values[0] = album::kSavedPhotoValue;
            added = album::AddPhotoToAlbum(session, request) || added;
        }
        return added;
    });
    if (update == album::AlbumUpdate::Written || update == album::AlbumUpdate::Unchanged)
        return kExitOk;
    return Fail(update == album::AlbumUpdate::Unreadable ? kExitCannotRead : kExitCannotWrite,
                "the album: " + album::DescribeAlbumUpdate(update, albumFile));
}

int RunDownload(Arguments args)
{
    ParsedArguments a(args, "store", "download");
    if (!a.ok())
        return Fail(kExitUsage, a.error());
    if (!a.positional().empty() || !a.value("--server") || !a.value("--user") || !a.value("--dir"))
        return Fail(kExitUsage, usageText());
    sharing::StoreCredentials credentials{*a.value("--user"), {}};
    if (!std::getline(std::cin, credentials.password) || credentials.password.empty() || credentials.user.empty())
        return Fail(kExitUsage, "the identifier and the password (on standard input) may not be empty");

    sharing::LoadedStoreLibrary library(ProgramFile(sharing::store::kStoreLibraryFile).string());
    const std::optional<sharing::StoreCalls> calls = sharing::PrepareDownload(credentials, &library);
    if (!calls)
        return Fail(kExitCannotRead, "the store library " + std::string(sharing::store::kStoreLibraryFile) +
                                         " is missing or incomplete");
    if (calls->setService)
        calls->setService(a.value("--server")->c_str(), a.value("--ca-file").value_or("").c_str());
    const std::filesystem::path folder = *a.value("--dir");
    const sharing::TransferResult result = sharing::RunTransfer(*calls, credentials, folder);

    std::vector<std::string> paths;
    for (const std::string& name : result.names)
        paths.push_back((folder / name).string());
    if (a.has("--json")) {
        JsonWriter json;
        json.beginObject().key("login").value(result.loginCode).key("count").value(result.count).key("files").beginArray();
        for (const std::string& path : paths)
            json.value(path);
        json.endArray()
            .key("renamed")
            .value(result.report.savedUnderOtherName)
            .key("left_for_space")
            .value(result.report.leftForSpace)
            .endObject();
        std::printf("%s\n", json.text().c_str());
    } else {
        for (const std::string& path : paths)
            std::printf("%s\n", path.c_str());
    }
    if (const std::string notes = sharing::DownloadNotes(result.report, folder); !notes.empty())
        std::fprintf(stderr, "%s\n", notes.c_str());
    if (result.loginCode != 0)
        return Fail(kExitCannotRead, Explain(*calls, result.loginCode));
    if (result.count < 0)
        return Fail(result.count == -sharing::store::kCannotWrite ? kExitCannotWrite : kExitCannotRead,
                    Explain(*calls, -result.count));
    // The photos that came join the album even when a later round failed.
    const int albumExit =
        a.value("--album") && !paths.empty() ? AddToAlbum(*a.value("--album"), paths) : int(kExitOk);
    if (result.laterFailure != 0)
        return Fail(result.laterFailure == sharing::store::kCannotWrite ? kExitCannotWrite : kExitCannotRead,
                    Explain(*calls, result.laterFailure));
    return albumExit;
}

}  // namespace

int RunStore(std::string_view, Arguments args)
{
    if (!args.empty() && args[0] == "upload")
        return RunStoreUpload(args.subspan(1));
    if (!args.empty() && args[0] == "order")
        return RunStoreOrder(args.subspan(1));
    if (!args.empty() && args[0] == "publish")
        return RunStorePublish(args.subspan(1));
    if (args.empty() || args[0] != "download")
        return Fail(kExitUsage, usageText());
    return RunDownload(args.subspan(1));
}

}  // namespace lv::tool
