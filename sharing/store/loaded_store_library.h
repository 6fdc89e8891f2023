#pragma once
// The store library loaded from a file without a toolkit (the command line, tests).

#include "sharing/shared_library.h"
#include "sharing/store/photo_download.h"

namespace lv::sharing {

class LoadedStoreLibrary final : public StoreLibrary {
public:
    explicit LoadedStoreLibrary(const std::string& path)
        : library_(path)
    {
    }
    bool loaded() const override { return library_.loaded(); }
    void* resolve(const char* name) const override { return library_.resolve(name); }

private:
    SharedLibrary library_;
};

}  // namespace lv::sharing
