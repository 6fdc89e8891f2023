#include "imagelib/dib.h"

#include "imagelib/large_pages.h"

#include <cstdint>
#include <cstring>

#include <sys/mman.h>

namespace lv {

// A photo's pixels are touched once each, right after allocation: in 2 MB pages that is a few
// dozen page faults instead of thousands. Only whole large pages inside the block are asked for.
void AskForLargePages(std::uint8_t* block, std::size_t bytes)
{
    constexpr std::uintptr_t kLargePage = kLargePageBytes;
    const auto start = (reinterpret_cast<std::uintptr_t>(block) + kLargePage - 1) & ~(kLargePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + bytes) & ~(kLargePage - 1);
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

HDIB HDIB::AllocateZeroed(std::size_t bytes)
{
    // calloc hands large blocks out as fresh zero pages: no clearing pass over them.
    auto* p = static_cast<std::uint8_t*>(std::calloc(bytes ? bytes : 1, 1));
    HDIB dib;
    if (!p)
        return dib;
    dib.bytes_.reset(p);
    dib.size_ = bytes;
    AskForLargePages(p, bytes);
    return dib;
}

bool HDIB::hasValidLayout() const
{
    if (!bytes_ || size_ < kDibHeaderSize)
        return false;
    const BitmapInfoHeader& h = header();
    if (h.biWidth <= 0 || h.biHeight <= 0 || h.biClrUsed > 256)
        return false;
    if (h.biBitCount != 1 && h.biBitCount != 4 && h.biBitCount != 8 && h.biBitCount != 16 && h.biBitCount != 24)
        return false;
    const std::uint64_t need = kDibHeaderSize + 4ull * h.biClrUsed
                             + DibStride(std::uint32_t(h.biWidth), h.biBitCount) * std::uint64_t(h.biHeight);
    return need <= size_;
}

bool HDIB::resize(std::size_t bytes)
{
    auto* p = static_cast<std::uint8_t*>(std::realloc(bytes_.get(), bytes ? bytes : 1));
    if (!p)
        return false;
    (void)bytes_.release();
    bytes_.reset(p);
    if (bytes > size_)
        std::memset(p + size_, 0, bytes - size_);
    size_ = bytes;
    return true;
}

}  // namespace lv
