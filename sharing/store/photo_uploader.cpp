#include "sharing/store/photo_uploader.h"

#include "sharing/net/curl_support.h"
#include "sharing/store/gallery_files.h"
#include "sharing/store/store_protocol.h"
#include "sharing/store/upload_reply.h"

#include <curl/curl.h>

#include <algorithm>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lv::sharing::store {
namespace {

constexpr long kConnectTimeoutSeconds = 20;
constexpr long kStalledSeconds = 60;
// A service that keeps breaking off without taking more, or keeps moving its offset back,
// is given up on.
constexpr int kMostTriesWithoutProgress = 4;
constexpr int kMostRequests = 64;
constexpr std::size_t kMostOrderBytes = 64 * 1024;

struct EasyHandle {
    EasyHandle()
        : curl(curl_easy_init())
    {
    }
    ~EasyHandle()
    {
        if (curl)
            curl_easy_cleanup(curl);
    }
    EasyHandle(const EasyHandle&) = delete;
    EasyHandle& operator=(const EasyHandle&) = delete;
    CURL* curl;
};

struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

struct CurlFree {
    void operator()(char* text) const { curl_free(text); }
};

class OpenFile {
public:
    explicit OpenFile(const std::filesystem::path& path, int extraFlags = 0)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | extraFlags))
    {
    }
    ~OpenFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

struct ShortReply {
    std::string text;
};

std::size_t KeepShortReply(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& reply = *static_cast<ShortReply*>(user);
    const std::size_t n = size * count;
    if (reply.text.size() + n > kMaxShortReplyBytes)
        return 0;  // a reply that would not end is refused, not kept
    reply.text.append(data, n);
    return n;
}

// The photo's bytes from `next` to `end`, read as curl asks for them.
struct BodySource {
    int fd;
    std::uint64_t next;
    std::uint64_t end;
    const TransferWatch& watch;
    std::uint64_t& reported;  // the furthest byte told to the watcher, across tries
    std::uint64_t sent = 0;
    bool cancelled = false;
    bool readFailed = false;
};

std::size_t ReadBody(char* buffer, std::size_t size, std::size_t count, void* user)
{
    auto& body = *static_cast<BodySource*>(user);
    if (body.watch.cancelled && body.watch.cancelled()) {
        body.cancelled = true;
        return CURL_READFUNC_ABORT;
    }
    const std::size_t want = std::size_t(std::min<std::uint64_t>(size * count, body.end - body.next));
    if (want == 0)
        return 0;
    const ssize_t got = ::pread(body.fd, buffer, want, off_t(body.next));
    if (got <= 0) {
        body.readFailed = true;
        return CURL_READFUNC_ABORT;
    }
    body.next += std::uint64_t(got);
    body.sent += std::uint64_t(got);
    // Bytes sent again after a break were counted the first time.
    if (body.next > body.reported && body.watch.received)
        body.watch.received(body.next - std::exchange(body.reported, body.next));
    return std::size_t(got);
}

int WatchCancel(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* watch = static_cast<const TransferWatch*>(user);
    return watch->cancelled && watch->cancelled() ? 1 : 0;
}

struct Answer {
    int code = kOk;  // of the transfer; the status says the rest
    long status = 0;
    ShortReply reply;
};

// One request on `curl` with the token and `headers`; `setup` sets the method and body.
template <class Setup>
Answer Ask(CURL* curl, const StoreClient& client, std::string_view path, std::vector<std::string> headers, Setup setup)
{
    curl_easy_reset(curl);
    const std::string url = JoinUrl(client.service().address, path);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    SetTransferBasics(curl, kConnectTimeoutSeconds, kStalledSeconds, client.service().caFile);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Lumivista 2000");
    headers.push_back("Authorization: Bearer " + client.token());
    headers.push_back("Expect:");  // the body goes at once: no waiting for "100 Continue"
    HeaderList list;
    for (const std::string& header : headers)
        list.reset(curl_slist_append(list.release(), header.c_str()));
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, list.get());
    Answer answer;
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, KeepShortReply);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &answer.reply);
    setup(curl);
    const Performed done = Perform(curl);
    answer.code = done.code == CURLE_OK ? kOk : StoreCodeOfTransfer(done.code);
    answer.status = done.status;
    return answer;
}

std::optional<UploadReply> ReplyOf(const Answer& answer, std::uint64_t size)
{
    return ParseUploadReply(answer.reply.text, size);
}

// Where a broken transfer left off, by the service's word.
std::optional<std::uint64_t> AskOffset(CURL* curl, const StoreClient& client, const std::string& path,
                                       std::uint64_t size)
{
    const Answer answer = Ask(curl, client, path, {}, [](CURL* c) { curl_easy_setopt(c, CURLOPT_HTTPGET, 1L); });
    if (answer.code != kOk || answer.status != 200)
        return std::nullopt;
    const std::optional<UploadReply> reply = ReplyOf(answer, size);
    return reply ? reply->offset : std::nullopt;
}

UploadOutcome Failed(int code, const UploadOutcome& soFar = {})
{
    UploadOutcome out = soFar;
    out.code = code;
    out.storedName.clear();
    return out;
}

OrderOutcome OrderFailed(int code)
{
    OrderOutcome out;
    out.code = code;
    return out;
}

// Where one file goes: a photo of the user's, or a file of a web album by its path.
struct Target {
    std::string openPath;
    std::string form;
    std::optional<std::string> galleryPath;  // set: the finished reply must name this path
};

// The name a finished reply gives: the photo's kept name, or the gallery file's path. A
// reply of the other kind's key, or a path other than the one sent, is a broken service.
std::optional<std::optional<std::string>> FinishedName(const UploadReply& reply, const Target& target)
{
    if (target.galleryPath) {
        if (reply.name || (reply.path && *reply.path != *target.galleryPath))
            return std::nullopt;
        return std::optional(reply.path);
    }
    if (reply.path)
        return std::nullopt;
    return std::optional(reply.name);
}

UploadOutcome SendFile(const StoreClient& client, const OpenFile& photo, std::uint64_t size, const Target& target,
                       const TransferWatch& watch)
{
    UploadOutcome out;
    const EasyHandle handle;
    if (!handle.curl)
        return Failed(kCannotConnect);
    const Answer opened = Ask(handle.curl, client, target.openPath, {}, [&target](CURL* c) {
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, target.form.c_str());
    });
    if (opened.code != kOk)
        return Failed(opened.code);
    if (const int refused = StoreCodeOfStatus(opened.status))
        return Failed(refused);
    const std::optional<UploadReply> session = ReplyOf(opened, size);
    if (!session || !session->session)
        return Failed(kServiceFailed);
    const auto openedName = FinishedName(*session, target);
    if (!openedName)
        return Failed(kServiceFailed);
    const std::string path = std::string(kUploadsPath) + "/" + *session->session;

    std::uint64_t offset = session->offset.value_or(0);
    std::optional<std::string> storedName = *openedName;
    std::uint64_t reported = offset;
    int triesWithoutProgress = 0;
    int lastFailure = kServiceFailed;
    for (int request = 0; request < kMostRequests; ++request) {
        if (offset == size && storedName) {
            out.storedName = *storedName;
            return out;
        }
        if (triesWithoutProgress > kMostTriesWithoutProgress)
            break;
        BodySource body{photo.fd(), offset, size, watch, reported};
        const std::string range = size == 0 ? "Content-Range: bytes */0"
                                            : "Content-Range: bytes " + std::to_string(offset) + "-" +
                                                  std::to_string(size - 1) + "/" + std::to_string(size);
        const Answer put = Ask(handle.curl, client, path, {range, "Content-Type: application/octet-stream"},
                               [&](CURL* c) {
                                   curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
                                   curl_easy_setopt(c, CURLOPT_READFUNCTION, ReadBody);
                                   curl_easy_setopt(c, CURLOPT_READDATA, &body);
                                   curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, curl_off_t(size - offset));
                                   SetProgressFunction(c, WatchCancel, const_cast<TransferWatch*>(&watch));
                               });
        out.bytesSent += body.sent;
        if (body.cancelled || put.code == kCancelled)
            return Failed(kCancelled, out);
        if (body.readFailed)
            return Failed(kBadArguments, out);
        const std::uint64_t before = offset;
        if (put.code != kOk) {
            // Broken off: the service says how much it kept, and the rest follows.
            lastFailure = put.code;
            const std::optional<std::uint64_t> held = AskOffset(handle.curl, client, path, size);
            if (!held)
                return Failed(put.code, out);
            offset = *held;
            ++out.resumes;
        } else if (put.status == 200 || put.status == 201 || put.status == 409) {
            // 409: the service holds another amount than we sent from; its offset is right.
            const std::optional<UploadReply> reply = ReplyOf(put, size);
            const auto finished = reply ? FinishedName(*reply, target) : std::nullopt;
            if (!reply || !reply->offset || !finished || (*reply->offset == size && !*finished && size > 0))
                return Failed(kServiceFailed, out);
            offset = *reply->offset;
            storedName = *finished;
        } else {
            return Failed(StoreCodeOfStatus(put.status), out);
        }
        triesWithoutProgress = offset > before ? 0 : triesWithoutProgress + 1;
    }
    return Failed(lastFailure, out);
}

std::string FormValue(std::string_view value)
{
    return PercentEncode(value, "-._~");
}

bool SafeGalleryId(std::string_view id)
{
    return !id.empty() && id.size() <= 32 && std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    });
}

GalleryOutcome AskGallery(const StoreClient& client, const std::string& path, const std::string& form, bool finished)
{
    if (!client.loggedIn())
        return {kNotLoggedIn, {}, {}};
    if (!AddressAllowed(client.service().address))
        return {kNotSecure, {}, {}};
    const EasyHandle handle;
    if (!handle.curl)
        return {kCannotConnect, {}, {}};
    const Answer answer = Ask(handle.curl, client, path, {}, [&form](CURL* c) {
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, form.c_str());
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE, long(form.size()));
    });
    if (answer.code != kOk)
        return {answer.code, {}, {}};
    if (const int refused = StoreCodeOfStatus(answer.status))
        return {refused, {}, {}};
    std::optional<GalleryReply> reply = ParseGalleryReply(answer.reply.text, finished);
    if (!reply || !SafeGalleryId(reply->id))
        return {kServiceFailed, {}, {}};
    return {kOk, std::move(reply->id), reply->address.value_or("")};
}

}  // namespace

UploadOutcome UploadPhoto(const StoreClient& client, const std::filesystem::path& file, const std::string& name,
                          const TransferWatch& watch)
{
    if (!client.loggedIn())
        return Failed(kNotLoggedIn);
    if (!AddressAllowed(client.service().address))
        return Failed(kNotSecure);
    const OpenFile photo(file);
    struct stat facts {};
    if (photo.fd() < 0 || ::fstat(photo.fd(), &facts) != 0 || !S_ISREG(facts.st_mode) ||
        std::uint64_t(facts.st_size) > kMaxPhotoBytes || !SafePhotoName(name))
        return Failed(kBadArguments);
    const auto size = std::uint64_t(facts.st_size);
    const Target target{std::string(kUploadsPath), "name=" + FormValue(name) + "&size=" + std::to_string(size), {}};
    return SendFile(client, photo, size, target, watch);
}

UploadOutcome UploadGalleryFile(const StoreClient& client, const std::string& galleryId,
                                const std::filesystem::path& file, const std::string& relativePath,
                                const TransferWatch& watch)
{
    if (!client.loggedIn())
        return Failed(kNotLoggedIn);
    if (!AddressAllowed(client.service().address))
        return Failed(kNotSecure);
    // Never follows a link: the folder's files are the gallery, nothing they point at.
    const OpenFile source(file, O_NOFOLLOW);
    struct stat facts {};
    if (source.fd() < 0 || ::fstat(source.fd(), &facts) != 0 || !S_ISREG(facts.st_mode) ||
        std::uint64_t(facts.st_size) > kMaxGalleryBytes || !SafeGalleryPath(relativePath) ||
        !SafeGalleryId(galleryId))
        return Failed(kBadArguments);
    const auto size = std::uint64_t(facts.st_size);
    const Target target{std::string(kGalleriesPath) + "/" + galleryId + "/files",
                        "path=" + FormValue(relativePath) + "&size=" + std::to_string(size), relativePath};
    return SendFile(client, source, size, target, watch);
}

GalleryOutcome CreateGallery(const StoreClient& client, const std::string& title, std::size_t files,
                             std::uint64_t bytes)
{
    return AskGallery(client, std::string(kGalleriesPath),
                      "title=" + FormValue(title) + "&files=" + std::to_string(files) + "&bytes=" + std::to_string(bytes),
                      false);
}

GalleryOutcome FinishGallery(const StoreClient& client, const std::string& galleryId)
{
    if (!SafeGalleryId(galleryId))
        return {kBadArguments, {}, {}};
    GalleryOutcome out = AskGallery(client, std::string(kGalleriesPath) + "/" + galleryId + "/publish", "", true);
    // The service must name the gallery it was asked to finish, at an address the program may open.
    if (out.code == kOk && (out.id != galleryId || !AddressAllowed(out.address)))
        return {kServiceFailed, {}, {}};
    return out;
}

OrderOutcome SendOrder(const StoreClient& client, const std::string& orderText)
{
    if (!client.loggedIn())
        return OrderFailed(kNotLoggedIn);
    if (!AddressAllowed(client.service().address))
        return OrderFailed(kNotSecure);
    if (orderText.empty() || orderText.size() > kMostOrderBytes)
        return OrderFailed(kBadArguments);
    const EasyHandle handle;
    if (!handle.curl)
        return OrderFailed(kCannotConnect);
    const Answer answer = Ask(handle.curl, client, kOrdersPath, {"Content-Type: text/plain; charset=utf-8"},
                              [&orderText](CURL* c) {
                                  curl_easy_setopt(c, CURLOPT_POSTFIELDS, orderText.c_str());
                                  curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE, long(orderText.size()));
                              });
    if (answer.code != kOk)
        return OrderFailed(answer.code);
    if (const int refused = StoreCodeOfStatus(answer.status))
        return OrderFailed(refused);
    std::optional<std::string> number = ParseOrderReply(answer.reply.text);
    if (!number)
        return OrderFailed(kServiceFailed);
    OrderOutcome out;
    out.number = std::move(*number);
    return out;
}

}  // namespace lv::sharing::store
