#pragma once
// A file's bytes for the metadata reader, with a TIFF's strips left out: they hold only
// pixels, most of a photo's file, and the reader never looks at them.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

namespace lv {

class SparseFileBytes {
public:
    // The TIFF file with its strips read as zeros; nothing (empty bytes) for any other file,
    // or when it can't be read or is beyond the metadata reader's limit.
    static SparseFileBytes Read(const std::string& path);

    std::span<const std::uint8_t> bytes() const { return {block_.get(), size_}; }

private:
    struct Free {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    // Zeroed by calloc: pages never written are never touched.
    std::unique_ptr<std::uint8_t, Free> block_;
    std::size_t size_ = 0;
};

}  // namespace lv
