#include "sharing/store/photo_fetcher.h"

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "sharing/store/store_protocol.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>

namespace lv::sharing::store {
namespace {

struct FileFacts {
    std::uint64_t size = 0;
    std::int64_t modified = 0;
};

std::optional<FileFacts> Facts(const std::filesystem::path& path)
{
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileFacts{std::uint64_t(st.st_size), std::int64_t(st.st_mtim.tv_sec)};
}

// The service's time on the file, so the next download knows it is the same photo.
void StampTime(const std::filesystem::path& path, std::int64_t modified)
{
    const timespec times[2] = {{0, UTIME_OMIT}, {time_t(modified), 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

bool Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes, std::int64_t modified)
{
    if (!WriteWholeFile(path.string(), bytes))
        return false;
    StampTime(path, modified);
    return true;
}

std::vector<std::uint8_t> ReadPartial(const std::filesystem::path& path, std::uint64_t expected)
{
    std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(path.string());
    if (!bytes || bytes->size() != expected)
        return {};
    return std::move(*bytes);
}

}  // namespace

std::filesystem::path PartialPath(const std::filesystem::path& folder, const std::string& name)
{
    return folder / ("." + name + ".part");
}

LocalState LocalStateOf(const std::filesystem::path& folder, const PhotoEntry& photo)
{
    if (const auto whole = Facts(folder / photo.name); whole && whole->size == photo.size && whole->modified == photo.modified)
        return {true, 0};
    const auto partial = Facts(PartialPath(folder, photo.name));
    if (partial && partial->size < photo.size && partial->modified == photo.modified)
        return {false, partial->size};
    return {};
}

int FetchPhotos(StoreClient& client, const std::vector<PhotoEntry>& photos, const std::filesystem::path& folder,
                std::span<char> names, const FetchWatch& watch)
{
    struct Wanted {
        const PhotoEntry* photo;
        std::uint64_t partialBytes;
    };
    std::vector<Wanted> wanted;
    FetchProgress progress;
    for (const PhotoEntry& photo : photos) {
        const LocalState state = LocalStateOf(folder, photo);
        if (state.complete)
            continue;
        wanted.push_back({&photo, state.partialBytes});
        progress.bytesTotal += photo.size - state.partialBytes;
    }
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
    std::vector<std::uint8_t> data;
    for (const Wanted& w : wanted) {
        const PhotoEntry& photo = *w.photo;
        if (used + photo.name.size() + 1 > names.size())
            break;
        const std::filesystem::path partial = PartialPath(folder, photo.name);
        data = w.partialBytes ? ReadPartial(partial, w.partialBytes) : std::vector<std::uint8_t>();
        const std::size_t kept = data.size();
        const int code = client.fetch(photo, data, transfer);
        if (code != kOk) {
            // What came stays for next time, stamped with the photo's time.
            if (data.size() > kept && data.size() < photo.size)
                Write(partial, data, photo.modified);
            failure = code;
            break;
        }
        if (!Write(folder / photo.name, data, photo.modified)) {
            failure = kCannotWrite;
            break;
        }
        std::error_code ec;
        std::filesystem::remove(partial, ec);
        std::memcpy(names.data() + used, photo.name.c_str(), photo.name.size() + 1);
        used += photo.name.size() + 1;
        ++count;
        ++progress.filesDone;
        if (watch.progress)
            watch.progress(progress);
    }
    return count > 0 || failure == kOk || failure == kCancelled ? count : -failure;
}

}  // namespace lv::sharing::store
