#pragma once
// The ICC profile a JPEG carries in its APP2 "ICC_PROFILE" markers.

#include <cstdint>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace lv {

// After the header is read (with APP2 markers saved): the chunks reassembled in sequence
// order into `profile`. Left empty when there are none, or when the chunks disagree
// (a missing or repeated sequence number, counts that differ) or the profile is too large.
void ReadJpegIccProfile(j_decompress_ptr cinfo, std::vector<std::uint8_t>& profile);

}  // namespace lv
