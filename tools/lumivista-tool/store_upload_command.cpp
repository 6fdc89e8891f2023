// lumivista-tool store upload FILE... --server URL --user ID [--ca-file FILE] [--json]
// lumivista-tool store order FILE --paper CODE [--copies N] [--crop L,T,W,H] --server URL
//                                 --user ID [--ca-file FILE] [--json]
// lumivista-tool store publish ALBUM.abm [--size N] [--title T] --server URL --user ID
//                                 [--ca-file FILE] [--json]
//
// The password comes from standard input. A broken upload continues from what the service
// holds. Without --crop the print takes the largest centred part of the upright photo.

#include "store_command.h"

#include "arguments.h"
#include "common/program_paths.h"
#include "image_io.h"
#include "imagelib/dib_geometry.h"
#include "json_writer.h"
#include "album/album_file.h"
#include "output/web_album/web_album.h"
#include "sharing/store/gallery_files.h"
#include "sharing/store/loaded_store_library.h"
#include "sharing/store/photo_upload.h"
#include "sharing/store/store_protocol.h"

#include <cstdio>
#include <iostream>

#include <stdlib.h>

namespace lv::tool {
namespace {

struct Connected {
    sharing::LoadedStoreLibrary library;
    std::optional<sharing::UploadCalls> calls;
    sharing::StoreCredentials credentials;
};

// The library loaded and pointed at the service; an exit code when it could not be.
int Connect(const ParsedArguments& a, Connected& out, std::string_view sub)
{
    if (!a.value("--server") || !a.value("--user"))
        return Fail(kExitUsage, FormUsage("store", sub));
    out.credentials.user = a.value("--user").value_or("");
    if (!std::getline(std::cin, out.credentials.password) || out.credentials.password.empty() ||
        out.credentials.user.empty())
        return Fail(kExitUsage, "the identifier and the password (on standard input) may not be empty");
    out.calls = sharing::PrepareUpload(out.credentials, &out.library);
    if (!out.calls)
        return Fail(kExitCannotRead, "the store library " + std::string(sharing::store::kStoreLibraryFile) +
                                         " is missing or lacks the upload calls");
    if (out.calls->store.setService)
        out.calls->store.setService(a.value("--server")->c_str(), a.value("--ca-file").value_or("").c_str());
    return kExitOk;
}

int RunUpload(Arguments args)
{
    ParsedArguments a(args, "store", "upload");
    if (!a.ok())
        return Fail(kExitUsage, a.error());
    if (a.positional().empty())
        return Fail(kExitUsage, FormUsage("store", "upload"));
    Connected connected{sharing::LoadedStoreLibrary(ProgramFile(sharing::store::kStoreLibraryFile).string()), {}, {}};
    if (const int failed = Connect(a, connected, "upload"))
        return failed;
    const sharing::UploadRun run = sharing::RunUpload(*connected.calls, connected.credentials, a.positional(), {});
    if (run.loginCode != 0)
        return Fail(kExitCannotRead, sharing::StoreFailure(connected.calls->store, run.loginCode));
    if (a.has("--json")) {
        JsonWriter json;
        json.beginObject().key("sent").value(run.sent()).key("photos").beginArray();
        for (const sharing::PhotoSent& photo : run.photos) {
            json.beginObject().key("file").value(photo.path).key("code").value(photo.code);
            if (photo.code == 0)
                json.key("name").value(photo.storedName);
            json.endObject();
        }
        json.endArray().endObject();
        std::printf("%s\n", json.text().c_str());
    } else {
        for (const sharing::PhotoSent& photo : run.photos)
            if (photo.code == 0)
                std::printf("%s\t%s\n", photo.path.c_str(), photo.storedName.c_str());
    }
    for (const sharing::PhotoSent& photo : run.photos)
        if (photo.code != 0)
            std::fprintf(stderr, "%s: %s\n", photo.path.c_str(), sharing::StoreFailure(connected.calls->store, photo.code).c_str());
    return run.sent() == int(run.photos.size()) ? int(kExitOk) : int(kExitCannotRead);
}

int RunOrder(Arguments args)
{
    ParsedArguments a(args, "store", "order");
    if (!a.ok())
        return Fail(kExitUsage, a.error());
    if (a.positional().size() != 1)
        return Fail(kExitUsage, FormUsage("store", "order"));
    const std::string& file = a.positional()[0];
    const sharing::PaperSize* paper = sharing::FindPaper(a.value("--paper").value_or(""));
    if (!paper)
        return Fail(kExitUsage, "--paper: one of 10x15, 13x18, 15x21, 20x25, 20x30, 30x45");
    const std::optional<int> copies = ParseIntegerInRange(a.value("--copies").value_or("1"), 1, sharing::kMostCopies);
    if (!copies)
        return Fail(kExitUsage, "--copies: a number from 1 to 99");
    sharing::PrintLine print{{}, std::string(paper->code), *copies, {}};
    if (const auto crop = a.value("--crop")) {
        const std::optional<sharing::CropRect> parsed = sharing::ParseCrop(*crop);
        if (!parsed)
            return Fail(kExitUsage, "--crop: LEFT,TOP,WIDTH,HEIGHT in pixels of the upright photo");
        print.crop = *parsed;
    } else {
        const ToolPicture picture = OpenPicture(file);
        if (picture.exitCode != 0)
            return picture.exitCode;
        const DibSize size = DibGetSize(picture.image);
        print.crop = sharing::CentredCrop(size.width, size.height, *paper);
    }
    Connected connected{sharing::LoadedStoreLibrary(ProgramFile(sharing::store::kStoreLibraryFile).string()), {}, {}};
    if (const int failed = Connect(a, connected, "order"))
        return failed;
    const sharing::OrderRun run = sharing::RunOrder(*connected.calls, connected.credentials, file, print);
    const int failure = run.loginCode ? run.loginCode : run.photo.code ? run.photo.code : run.orderCode;
    if (failure != 0)
        return Fail(kExitCannotRead, file + ": " + sharing::StoreFailure(connected.calls->store, failure));
    if (a.has("--json")) {
        JsonWriter json;
        json.beginObject().key("order").value(run.number).key("photo").value(run.photo.storedName);
        json.key("paper").value(std::string(paper->code)).key("copies").value(*copies).key("crop").beginArray();
        for (const int v : {print.crop.left, print.crop.top, print.crop.width, print.crop.height})
            json.value(v);
        json.endArray().endObject();
        std::printf("%s\n", json.text().c_str());
    } else {
        std::printf("%s\n", run.number.c_str());
    }
    return kExitOk;
}

// A folder of its own under the system's temporary folder, removed with what it holds.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lumivista-gallery-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

int RunPublish(Arguments args)
{
    ParsedArguments a(args, "store", "publish");
    if (!a.ok())
        return Fail(kExitUsage, a.error());
    if (a.positional().size() != 1)
        return Fail(kExitUsage, FormUsage("store", "publish"));
    const std::string& albumPath = a.positional()[0];
    web::WebAlbumOptions options;
    if (const auto title = a.value("--title"))
        options.title = *title;
    if (a.value("--size")) {
        const auto size = a.integer("--size", web::kMinImageSize, web::kMaxImageSize);
        if (!size)
            return Fail(kExitUsage, a.error());
        options.size = *size;
    }
    if (!album::ReadAlbumContents(albumPath).recognised)
        return Fail(kExitCannotRead, albumPath + ": not an album file, or it cannot be read");
    Connected connected{sharing::LoadedStoreLibrary(ProgramFile(sharing::store::kStoreLibraryFile).string()), {}, {}};
    if (const int failed = Connect(a, connected, "publish"))
        return failed;
    const ScratchFolder folder;
    if (folder.path().empty())
        return Fail(kExitCannotWrite, "no temporary folder could be made for the gallery");
    const web::WebAlbumOutcome made = web::PublishWebAlbum(web::WebAlbumPhotosOf(albumPath), folder.path(), options);
    for (const std::string& skipped : made.skipped)
        std::fprintf(stderr, "lumivista-tool: left out %s\n", skipped.c_str());
    if (!made.ok)
        return Fail(kExitCannotWrite, made.error);
    const sharing::store::GalleryListing listing = sharing::store::ListGallery(folder.path());
    const sharing::GalleryRun run = sharing::RunPublish(*connected.calls, connected.credentials, folder.path(), options.title);
    if (run.loginCode != 0 || run.code != 0)
        return Fail(kExitCannotRead, sharing::PublishFailure(connected.calls->store, run));
    if (a.has("--json")) {
        JsonWriter json;
        json.beginObject().key("address").value(run.address).key("files").value(int(listing.files.size()));
        json.key("bytes").value(std::int64_t(listing.bytes)).key("photos").value(made.published).endObject();
        std::printf("%s\n", json.text().c_str());
    } else {
        std::printf("%s\n", run.address.c_str());
    }
    return kExitOk;
}

}  // namespace

int RunStorePublish(Arguments args)
{
    return RunPublish(args);
}

int RunStoreUpload(Arguments args)
{
    return RunUpload(args);
}

int RunStoreOrder(Arguments args)
{
    return RunOrder(args);
}

}  // namespace lv::tool
