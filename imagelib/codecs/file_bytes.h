#pragma once
// Memory for a whole file read in at once: large blocks come in 2 MB pages, and nothing is
// cleared before the read overwrites it. A photo file taken into memory this way costs a
// few dozen page faults instead of thousands, and no pass of zeros.

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace lv {

// A block of `bytes` (large ones aligned to the large page); null when memory runs out.
void* AllocateFileBlock(std::size_t bytes);
void FreeFileBlock(void* block);

template<typename T>
struct FileBlockAllocator {
    using value_type = T;
    FileBlockAllocator() = default;
    template<typename U>
    FileBlockAllocator(const FileBlockAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t count)
    {
        if (count > std::size_t(-1) / sizeof(T))
            throw std::bad_array_new_length();
        if (void* block = AllocateFileBlock(count * sizeof(T)))
            return static_cast<T*>(block);
        throw std::bad_alloc();
    }
    void deallocate(T* block, std::size_t) noexcept { FreeFileBlock(block); }
    // Growing leaves the new elements as they are: the read fills them.
    template<typename U>
    void construct(U* at) noexcept
    {
        ::new (static_cast<void*>(at)) U;
    }
    template<typename U, typename... Args>
    void construct(U* at, Args&&... args)
    {
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
    friend bool operator==(const FileBlockAllocator&, const FileBlockAllocator&) { return true; }
};

using FileBytes = std::vector<std::uint8_t, FileBlockAllocator<std::uint8_t>>;

}  // namespace lv
