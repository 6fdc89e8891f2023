#include "sharing/store/gallery_publisher.h"

#include "sharing/store/gallery_files.h"
#include "sharing/store/store_protocol.h"

namespace lv::sharing::store {
namespace {

// Runs `step`, and once in the whole publication again after a new login when the service
// had forgotten the token.
template <class Step>
auto WithLogin(const PublishWatch& watch, bool& renewed, Step step)
{
    auto result = step();
    if (result.code == kNotLoggedIn && !renewed && watch.logInAgain) {
        renewed = true;
        if (watch.logInAgain())
            result = step();
    }
    return result;
}

}  // namespace

PublishOutcome PublishGallery(StoreClient& client, const std::filesystem::path& folder, const std::string& title,
                              const PublishWatch& watch)
{
    PublishOutcome out;
    const GalleryListing listing = ListGallery(folder);
    if (!listing.problem.empty()) {
        out.code = kBadArguments;
        out.problem = listing.problem;
        return out;
    }
    if (title.empty() || title.size() > kMaxGalleryTitleBytes) {
        out.code = kBadArguments;
        out.problem = "o título deve ter de 1 a " + std::to_string(kMaxGalleryTitleBytes) + " bytes";
        return out;
    }
    bool renewed = false;
    const GalleryOutcome gallery = WithLogin(watch, renewed, [&] {
        return CreateGallery(client, title, listing.files.size(), listing.bytes);
    });
    if (gallery.code != kOk) {
        out.code = gallery.code;
        return out;
    }
    PublishProgress progress{0, listing.bytes, 0, listing.files.size()};
    for (const GalleryFile& file : listing.files) {
        const std::uint64_t before = progress.bytesDone;
        const TransferWatch transfer{
            [&](std::uint64_t bytes) {
                progress.bytesDone += bytes;
                if (watch.progress)
                    watch.progress(progress);
            },
            watch.cancelled,
        };
        const UploadOutcome sent = WithLogin(watch, renewed, [&] {
            progress.bytesDone = before;  // a new session sends the file from its start
            return UploadGalleryFile(client, gallery.id, folder / file.path, file.path, transfer);
        });
        out.resumes += sent.resumes;
        if (sent.code != kOk) {
            out.code = sent.code;
            out.file = file.path;
            return out;
        }
        progress.bytesDone = before + file.size;
        ++progress.filesDone;
        if (watch.progress)
            watch.progress(progress);
    }
    const GalleryOutcome finished = WithLogin(watch, renewed, [&] { return FinishGallery(client, gallery.id); });
    out.code = finished.code;
    if (finished.code == kOk) {
        out.address = finished.address;
        out.files = listing.files.size();
        out.bytes = listing.bytes;
    }
    return out;
}

}  // namespace lv::sharing::store
