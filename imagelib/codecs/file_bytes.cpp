#include "imagelib/codecs/file_bytes.h"

#include "imagelib/large_pages.h"

#include <cstdlib>

namespace lv {

void* AllocateFileBlock(std::size_t bytes)
{
    if (bytes < kLargePageBytes)
        return std::malloc(bytes ? bytes : 1);
    const std::size_t rounded = (bytes + kLargePageBytes - 1) / kLargePageBytes * kLargePageBytes;
    void* block = std::aligned_alloc(kLargePageBytes, rounded);
    if (block)
        AskForLargePages(static_cast<std::uint8_t*>(block), rounded);
    return block;
}

void FreeFileBlock(void* block)
{
    std::free(block);
}

}  // namespace lv
