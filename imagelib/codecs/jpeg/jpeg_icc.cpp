#include "imagelib/codecs/jpeg/jpeg_icc.h"

#include "imagelib/colour/colour_profile.h"

#include <cstdlib>
#include <memory>

namespace lv {

void ReadJpegIccProfile(j_decompress_ptr cinfo, std::vector<std::uint8_t>& profile)
{
    profile.clear();
    JOCTET* bytes = nullptr;
    unsigned int length = 0;
    // The library checks the markers' sequence numbers and counts and only warns on a bad
    // set, so a broken profile never stops the picture from opening.
    if (!jpeg_read_icc_profile(cinfo, &bytes, &length))
        return;
    const std::unique_ptr<JOCTET, decltype(&std::free)> owned(bytes, &std::free);
    if (bytes && length > 0 && length <= kMaxColourProfileBytes)
        profile.assign(bytes, bytes + length);
}

}  // namespace lv
