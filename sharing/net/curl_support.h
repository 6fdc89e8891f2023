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

// Every byte but ASCII letters, digits and those of `kept` as "%XX".
std::string PercentEncode(std::string_view text, std::string_view kept);

}  // namespace lv::sharing
