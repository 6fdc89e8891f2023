#include "imagelib/codecs/flashpix/fpx_restart_steering.h"

#include <jerror.h>
#include <jpegint.h>  // the entropy decoder's MCU entry, which this wraps

namespace lv::flashpix {
namespace {

// The library counts MCUs down to the next restart only while `restart_interval` is set,
// restarts when the count stands at zero, and takes its careful path for any MCU decoded
// while it is set. With the count starting from 2 and the interval set only for the first
// MCU of each interval (a restart, then a count of 1) and the last (which would meet the
// next marker on the fast path anyway, and brings the count to zero), the restarts fall
// where the stream's interval puts them and the MCUs between take the fast path.
constexpr unsigned kSteeredCount = 2;

}  // namespace

void RestartSteering::prepare(j_decompress_ptr cinfo)
{
    interval_ = cinfo->restart_interval;
    libraryDecode_ = nullptr;
    // With fewer than three MCUs to an interval, none would go faster.
    if (interval_ >= 3)
        cinfo->restart_interval = kSteeredCount;
}

void RestartSteering::start(j_decompress_ptr cinfo)
{
    if (interval_ < 3)
        return;
    if (!cinfo->entropy || !cinfo->entropy->decode_mcu || cinfo->progressive_mode)
        ERREXIT(cinfo, JERR_NOTIMPL);
    libraryDecode_ = cinfo->entropy->decode_mcu;
    mcuInInterval_ = 0;
    cinfo->client_data = this;
    cinfo->entropy->decode_mcu = decodeMcu;
}

boolean RestartSteering::decodeMcu(j_decompress_ptr cinfo, JBLOCKROW* blocks)
{
    auto& self = *static_cast<RestartSteering*>(cinfo->client_data);
    const bool edge = self.mcuInInterval_ == 0 || self.mcuInInterval_ + 1 == self.interval_;
    cinfo->restart_interval = edge ? kSteeredCount : 0;
    const boolean decoded = self.libraryDecode_(cinfo, blocks);
    cinfo->restart_interval = self.interval_;
    if (decoded)
        self.mcuInInterval_ = (self.mcuInInterval_ + 1) % self.interval_;
    return decoded;
}

}  // namespace lv::flashpix
