#include "sharing/store/store_client.h"

#include "sharing/net/curl_support.h"
#include "sharing/store/store_protocol.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>

namespace lv::sharing::store {
namespace {

constexpr long kConnectTimeoutSeconds = 20;
constexpr long kStalledSeconds = 60;
constexpr long kReceiveBufferBytes = 512 * 1024;

struct CurlFree {
    void operator()(char* text) const { curl_free(text); }
};
struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

std::string UrlPart(CURLU* url, CURLUPart part)
{
    char* text = nullptr;
    if (curl_url_get(url, part, &text, 0) != CURLUE_OK || !text)
        return {};
    const std::unique_ptr<char, CurlFree> owned(text);
    return text;
}

// "127.x.y.z" written as an address, not a name that starts like one.
bool IsLoopbackIPv4(std::string_view host)
{
    if (!host.starts_with("127."))
        return false;
    int dots = 0;
    for (const char c : host) {
        if (c == '.')
            ++dots;
        else if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return dots == 3;
}

int CodeOfTransfer(CURLcode code)
{
    switch (code) {
    case CURLE_OK: return kOk;
    case CURLE_ABORTED_BY_CALLBACK: return kCancelled;
    case CURLE_OPERATION_TIMEDOUT: return kTimedOut;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM: return kNotSecure;
    case CURLE_WRITE_ERROR:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT: return kServiceFailed;
    default: return kCannotConnect;
    }
}

int CodeOfStatus(long status, bool login)
{
    if (status >= 200 && status < 300)
        return kOk;
    if (status == 401)
        return login ? kLoginRefused : kNotLoggedIn;
    if (status == 403)
        return login ? kAccountLocked : kRequestRefused;
    if (status >= 500)
        return kServiceFailed;
    return kRequestRefused;
}

// A reply body kept in memory, never beyond its limit.
struct BoundedBody {
    std::string text;
    std::size_t limit;
};

std::size_t KeepBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& body = *static_cast<BoundedBody*>(user);
    const std::size_t n = size * count;
    if (body.text.size() + n > body.limit)
        return 0;
    body.text.append(data, n);
    return n;
}

struct PhotoTransfer {
    CURL* curl;
    const PhotoEntry& photo;
    PhotoSink& sink;
    const TransferWatch& watch;
    bool started = false;
    bool cancelled = false;
    bool writeFailed = false;
    long status = 0;
};

std::size_t KeepPhoto(char* bytes, std::size_t size, std::size_t count, void* user)
{
    auto& t = *static_cast<PhotoTransfer*>(user);
    const std::size_t n = size * count;
    if (!t.started) {
        t.started = true;
        curl_easy_getinfo(t.curl, CURLINFO_RESPONSE_CODE, &t.status);
        if (t.status == 200 && !t.sink.cutTo(0)) {  // the whole file after all
            t.writeFailed = true;
            return 0;
        }
        if (t.status != 200 && t.status != 206)
            return n;  // an error page: not the photo
    }
    if (t.status != 200 && t.status != 206)
        return n;
    // Checked here too: the progress function may come only after the last byte.
    if (t.watch.cancelled && t.watch.cancelled()) {
        t.cancelled = true;
        return 0;
    }
    // Never beyond the listed size, however long the service goes on.
    const std::size_t take = std::size_t(std::min<std::uint64_t>(t.photo.size - t.sink.size(), n));
    if (take > 0 && !t.sink.append(reinterpret_cast<const std::uint8_t*>(bytes), take)) {
        t.writeFailed = true;
        return 0;
    }
    if (t.watch.received && take > 0)
        t.watch.received(take);
    return take == n ? n : 0;
}

int WatchProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* watch = static_cast<const TransferWatch*>(user);
    return watch && watch->cancelled && watch->cancelled() ? 1 : 0;
}

// "bytes START-END/TOTAL": the start, when the header is one.
std::optional<std::uint64_t> RangeStart(std::string_view header)
{
    constexpr std::string_view prefix = "content-range: bytes ";
    if (header.size() < prefix.size())
        return std::nullopt;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(header[i])) != prefix[i])
            return std::nullopt;
    std::uint64_t start = 0;
    std::size_t i = prefix.size();
    if (i >= header.size() || !std::isdigit(static_cast<unsigned char>(header[i])))
        return std::nullopt;
    for (; i < header.size() && std::isdigit(static_cast<unsigned char>(header[i])); ++i)
        start = start * 10 + std::uint64_t(header[i] - '0');
    return start;
}

struct RangeHeader {
    std::optional<std::uint64_t> start;
};

std::size_t ReadHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& range = *static_cast<RangeHeader*>(user);
    if (const auto start = RangeStart(std::string_view(data, size * count)))
        range.start = start;
    return size * count;
}

}  // namespace

int StoreCodeOfTransfer(int curlCode)
{
    return CodeOfTransfer(static_cast<CURLcode>(curlCode));
}

int StoreCodeOfStatus(long status)
{
    return CodeOfStatus(status, false);
}

struct StoreClient::Handle {
    Handle()
        : curl(curl_easy_init())
    {
    }
    ~Handle()
    {
        if (curl)
            curl_easy_cleanup(curl);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    // Clears the previous request's settings but keeps the connection.
    CURL* fresh(const StoreService& service, const std::string& url)
    {
        curl_easy_reset(curl);
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        SetTransferBasics(curl, kConnectTimeoutSeconds, kStalledSeconds, service.caFile);
        curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(curl, CURLOPT_USERAGENT, "Lumivista 2000");
        return curl;
    }

    CURL* curl;
};

bool AddressAllowed(const std::string& address)
{
    InitialiseCurlOnce();
    const std::unique_ptr<CURLU, UrlDeleter> url(curl_url());
    if (!url || curl_url_set(url.get(), CURLUPART_URL, address.c_str(), 0) != CURLUE_OK)
        return false;
    const std::string scheme = UrlPart(url.get(), CURLUPART_SCHEME);
    if (scheme == "https")
        return true;
    if (scheme != "http")
        return false;
    const std::string host = UrlPart(url.get(), CURLUPART_HOST);
    return host == "localhost" || host == "[::1]" || IsLoopbackIPv4(host);
}

std::string JoinUrl(std::string_view base, std::string_view path)
{
    std::string out(base);
    while (!out.empty() && out.back() == '/')
        out.pop_back();
    while (!path.empty() && path.front() == '/')
        path.remove_prefix(1);
    return out + "/" + std::string(path);
}

std::string EncodePathSegment(std::string_view name)
{
    return PercentEncode(name, "-._~");
}

StoreClient::StoreClient(StoreService service)
    : service_(std::move(service))
{
    InitialiseCurlOnce();
    handle_ = std::make_unique<Handle>();
}

StoreClient::~StoreClient() = default;

int StoreClient::login(const std::string& user, const std::string& password)
{
    token_.clear();
    if (!handle_->curl)
        return kCannotConnect;
    if (!AddressAllowed(service_.address))
        return kNotSecure;
    CURL* c = handle_->fresh(service_, JoinUrl(service_.address, kLoginPath));
    char* userField = curl_easy_escape(c, user.c_str(), int(user.size()));
    char* passwordField = curl_easy_escape(c, password.c_str(), int(password.size()));
    const std::unique_ptr<char, CurlFree> ownedUser(userField);
    const std::unique_ptr<char, CurlFree> ownedPassword(passwordField);
    if (!userField || !passwordField)
        return kBadArguments;
    const std::string form = std::string("user=") + userField + "&password=" + passwordField;
    BoundedBody body{{}, kMaxLoginReplyBytes};
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, form.c_str());
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, KeepBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
    const auto [code, status] = Perform(c);
    // The form held the password: curl lets go of it before anything else happens.
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, nullptr);
    if (code != CURLE_OK)
        return CodeOfTransfer(code);
    if (const int refused = CodeOfStatus(status, true))
        return refused;
    const std::optional<std::string> token = ParseLoginReply(body.text);
    if (!token)
        return kServiceFailed;
    token_ = *token;
    return kOk;
}

Listing StoreClient::listPhotos()
{
    if (token_.empty())
        return {kNotLoggedIn, {}};
    CURL* c = handle_->fresh(service_, JoinUrl(service_.address, kPhotosPath));
    HeaderList headers(curl_slist_append(nullptr, ("Authorization: Bearer " + token_).c_str()));
    BoundedBody body{{}, kMaxListReplyBytes};
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, KeepBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
    const auto [code, status] = Perform(c);
    if (code != CURLE_OK)
        return {CodeOfTransfer(code), {}};
    if (const int refused = CodeOfStatus(status, false))
        return {refused, {}};
    return {kOk, ParsePhotoList(body.text)};
}

int StoreClient::fetch(const PhotoEntry& photo, PhotoSink& sink, const TransferWatch& watch)
{
    if (token_.empty())
        return kNotLoggedIn;
    if (sink.size() >= photo.size && !sink.cutTo(0))
        return kCannotWrite;
    const std::uint64_t offset = sink.size();
    const std::string url = JoinUrl(service_.address, std::string(kPhotosPath) + "/" + EncodePathSegment(photo.name));
    CURL* c = handle_->fresh(service_, url);
    HeaderList headers(curl_slist_append(nullptr, ("Authorization: Bearer " + token_).c_str()));
    if (offset > 0)
        headers.reset(curl_slist_append(headers.release(), ("Range: bytes=" + std::to_string(offset) + "-").c_str()));
    PhotoTransfer transfer{c, photo, sink, watch};
    RangeHeader range;
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, KeepPhoto);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, ReadHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &range);
    SetProgressFunction(c, WatchProgress, const_cast<TransferWatch*>(&watch));
    const auto [code, status] = Perform(c);
    if (status == 206 && range.start != offset) {
        sink.cutTo(offset);  // a range we did not ask for: try again later
        return kServiceFailed;
    }
    const bool whole = (status == 200 || status == 206) && sink.size() == photo.size;
    if (transfer.writeFailed)
        return kCannotWrite;
    if (transfer.cancelled || (code == CURLE_ABORTED_BY_CALLBACK && !whole))
        return kCancelled;
    if (code != CURLE_OK && !whole)
        return CodeOfTransfer(code);
    if (const int refused = CodeOfStatus(status, false))
        return refused;
    return whole ? kOk : kCannotConnect;
}

}  // namespace lv::sharing::store
