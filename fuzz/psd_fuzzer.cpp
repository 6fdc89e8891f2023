#include "common/little_endian.h"
#include "edit/psd/psd_channels.h"
#include "edit/psd/psd_import.h"
#include "fuzz_support.h"
#include "layered_fuzz_support.h"
#include "structure_mutation.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::MemorySource source({data, size});
    lv::PsdDecode decode = lv::DecodePsd(source);
    if (decode.problem != lv::PsdProblem::None)
        return 0;
    if (decode.document.layers.size() > lv::kPsdMostLayers)
        __builtin_trap();
    if (auto stack = lv::MakeStackFromPsd(std::move(decode.document)))
        lv::fuzz::CheckDocument(*stack);
    return 0;
}

namespace {

constexpr std::uint64_t kPackedZeros = 1200000000;  // three planes of 20000 x 20000

// kPackedZeros zero bytes through deflate at its best (about 1.2 MB), made once.
const std::vector<std::uint8_t>& PackedZeros()
{
    static const std::vector<std::uint8_t> packed = [] {
        std::vector<std::uint8_t> out(8 << 20);  // deflate reaches about 1:1030 on zeros
        const std::vector<std::uint8_t> zeros(1 << 20, 0);
        z_stream stream{};
        deflateInit(&stream, Z_BEST_COMPRESSION);
        stream.next_out = out.data();
        stream.avail_out = uInt(out.size());
        for (std::uint64_t left = kPackedZeros; left > 0;) {
            const std::size_t now = std::size_t(std::min<std::uint64_t>(left, zeros.size()));
            left -= now;
            stream.next_in = const_cast<Bytef*>(zeros.data());
            stream.avail_in = uInt(now);
            deflate(&stream, left == 0 ? Z_FINISH : Z_NO_FLUSH);
        }
        out.resize(stream.total_out);
        deflateEnd(&stream);
        return out;
    }();
    return packed;
}

}  // namespace

// Half the time, a flattened RGB document whose merged image is deflated zeros declaring a
// picture as large as the stream can stand for, in any proportions.
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned seed)
{
    lv::fuzz::MutationDice dice(seed);
    constexpr std::size_t kHead = 26 + 12 + 2;
    if (dice.oneIn(2) || size < 26 || std::memcmp(data, "8BPS", 4) != 0)
        return lv::fuzz::OrdinaryMutation(data, size, maxSize);
    const std::vector<std::uint8_t>& packed = PackedZeros();
    if (kHead + packed.size() > maxSize)
        return lv::fuzz::OrdinaryMutation(data, size, maxSize);
    const std::uint32_t width = 1 + std::uint32_t(dice.below(30000));
    const std::uint32_t height = std::uint32_t(std::min<std::uint64_t>(30000, kPackedZeros / 3 / width));
    std::vector<std::uint8_t> psd(kHead, 0);
    std::memcpy(psd.data(), data, 26);
    lv::StoreBE16(psd.data() + 12, 3);
    lv::StoreBE32(psd.data() + 14, height);
    lv::StoreBE32(psd.data() + 18, width);
    lv::StoreBE16(psd.data() + 22, 8);
    lv::StoreBE16(psd.data() + 24, 3);
    lv::StoreBE16(psd.data() + 38, dice.oneIn(2) ? lv::kPsdZip : lv::kPsdZipPredicted);
    psd.insert(psd.end(), packed.begin(), packed.end());
    std::memcpy(data, psd.data(), psd.size());
    return psd.size();
}
