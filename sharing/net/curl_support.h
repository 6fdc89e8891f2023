#pragma once
// What every libcurl transfer of the sharing libraries shares: the library set up once, and
// the same patience with servers and the same trust in certificates.

#include <curl/curl.h>

#include <string>
#include <string_view>

namespace lv::sharing {

// curl_global_init, once for the process.
void InitialiseCurlOnce();

// No signals (transfers run on worker threads), a connection within `connectSeconds`, a
// server silent for `stalledSeconds` given up, and `caFile` trusted besides the system's
// certificates when not empty.
void SetTransferBasics(CURL* curl, long connectSeconds, long stalledSeconds, const std::string& caFile);

// `function` is called with `data` as the transfer goes; a non-zero answer stops it.
void SetProgressFunction(CURL* curl, curl_xferinfo_callback function, void* data);

// The transfer's result and the server's last status (HTTP status, SMTP reply code).
struct Performed {
    CURLcode code = CURLE_OK;
    long status = 0;
};
Performed Perform(CURL* curl);

// Every byte but ASCII letters, digits and those of `kept` as "%XX".
std::string PercentEncode(std::string_view text, std::string_view kept);

}  // namespace lv::sharing
