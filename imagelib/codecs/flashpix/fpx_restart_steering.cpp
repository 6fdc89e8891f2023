#include "imagelib/codecs/flashpix/fpx_restart_steering.h"

#include <jerror.h>
#include <jpegint.h>  // the entropy decoder's MCU entry, which this wraps

namespace lv::flashpix {

// The library counts MCUs down to the next restart only while `restart_interval` is set,
// restarts when the count stands at zero, and takes its careful path for any MCU decoded
// while it is set. With the count starting from 1 and the interval set only for the first
// MCU of each interval (a restart, then a count of 0 again), the restarts fall where the
// stream's interval puts them and the other MCUs take the fast path.
void RestartSteering::prepare(j_decompress_ptr cinfo)
{
    interval_ = cinfo->restart_interval;
    libraryDecode_ = nullptr;
    if (interval_ >= 2)
        cinfo->restart_interval = 1;
}

void RestartSteering::start(j_decompress_ptr cinfo)
{
    if (interval_ < 2)
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
    cinfo->restart_interval = self.mcuInInterval_ == 0 ? 1 : 0;
    const boolean decoded = self.libraryDecode_(cinfo, blocks);
    cinfo->restart_interval = self.interval_;
    if (decoded)
        self.mcuInInterval_ = (self.mcuInInterval_ + 1) % self.interval_;
    return decoded;
}

}  // namespace lv::flashpix
