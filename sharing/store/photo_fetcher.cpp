#include "sharing/store/photo_fetcher.h"

#include "sharing/store/photo_place.h"
#include "sharing/store/store_protocol.h"

#include <unistd.h>

#include <cstring>

namespace lv::sharing::store {
namespace {

// A photo's partial file, written as the bytes come.
class PartialFile final : public PhotoSink {
public:
    PartialFile(OwnedFd fd, std::uint64_t size)
        : fd_(std::move(fd))
        , size_(size)
    {
    }
    std::uint64_t size() const override { return size_; }
    bool append(const std::uint8_t* bytes, std::size_t count) override
    {
        while (count > 0) {
            const ssize_t n = ::write(fd_.get(), bytes, count);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            bytes += n;
            count -= std::size_t(n);
            size_ += std::uint64_t(n);
        }
        return true;
    }
    bool cutTo(std::uint64_t size) override
    {
        if (::ftruncate(fd_.get(), off_t(size)) != 0 || ::lseek(fd_.get(), off_t(size), SEEK_SET) < 0)
            return false;
        size_ = size;
        return true;
    }
    int fd() const { return fd_.get(); }

private:
    OwnedFd fd_;
    std::uint64_t size_;
};

struct Wanted {
    const PhotoEntry* photo;
    Placement placement;
};

// The photos to fetch, as many as the disk holds, in the service's order.
std::vector<Wanted> ChooseWanted(const DownloadFolder& folder, const std::vector<PhotoEntry>& photos,
                                 DownloadReport& report)
{
    std::vector<Wanted> wanted;
    const std::uint64_t free = folder.freeBytes();
    std::uint64_t needed = 0;
    report.bytesFree = std::int64_t(std::min<std::uint64_t>(free, INT64_MAX));
    for (const PhotoEntry& photo : photos) {
        std::optional<Placement> placement = PlacePhoto(folder, photo);
        if (!placement || placement->present)
            continue;
        const std::uint64_t more = photo.size - placement->partialBytes;
        if (needed + more > free) {
            ++report.leftForSpace;
            report.bytesLeft += std::int64_t(more);
            continue;
        }
        needed += more;
        wanted.push_back({&photo, std::move(*placement)});
    }
    return wanted;
}

}  // namespace

std::filesystem::path PartialPath(const std::filesystem::path& folder, const std::string& name)
{
    return folder / PartialName(name);
}

int FetchPhotos(StoreClient& client, const std::vector<PhotoEntry>& photos, const std::filesystem::path& path,
                std::span<char> names, const FetchWatch& watch, DownloadReport& report)
{
    report = {};
    const std::optional<DownloadFolder> folder = DownloadFolder::Open(path);
    if (!folder)
        return -kCannotWrite;
    const std::vector<Wanted> wanted = ChooseWanted(*folder, photos, report);
    FetchProgress progress;
    for (const Wanted& w : wanted)
        progress.bytesTotal += w.photo->size - w.placement.partialBytes;
    progress.filesTotal = int(wanted.size());
    if (watch.progress)
        watch.progress(progress);

    const TransferWatch transfer{
        [&](std::uint64_t bytes) {
            progress.bytesDone += bytes;
            if (watch.progress)
                watch.progress(progress);
        },
        watch.cancelled,
    };
    int count = 0;
    std::size_t used = 0;
    int failure = kOk;
    for (const Wanted& w : wanted) {
        const PhotoEntry& photo = *w.photo;
        const std::string& name = w.placement.name;
        if (used + name.size() + 1 > names.size())
            break;
        const std::string partialName = PartialName(name);
        OwnedFd fd = folder->openForWriting(partialName, w.placement.partialBytes);
        if (!fd) {
            failure = kCannotWrite;
            break;
        }
        PartialFile partial(std::move(fd), w.placement.partialBytes);
        const int code = client.fetch(photo, partial, transfer);
        // What came stays for next time, stamped with the photo's time; a whole photo
        // carries the time too.
        StampTime(partial.fd(), photo.modified);
        if (code != kOk) {
            if (partial.size() == 0 || partial.size() >= photo.size)
                folder->remove(partialName);
            failure = code;
            break;
        }
        if (::fsync(partial.fd()) != 0 || !folder->renameToFree(partialName, name)) {
            failure = kCannotWrite;
            break;
        }
        if (name != photo.name) {
            ++report.savedUnderOtherName;
            report.besideLinks += w.placement.besideLink ? 1 : 0;
        }
        std::memcpy(names.data() + used, name.c_str(), name.size() + 1);
        used += name.size() + 1;
        ++count;
        ++progress.filesDone;
        if (watch.progress)
            watch.progress(progress);
    }
    return count > 0 || failure == kOk || failure == kCancelled ? count : -failure;
}

}  // namespace lv::sharing::store
