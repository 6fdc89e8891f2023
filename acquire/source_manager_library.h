#pragma once
// The source manager library, loaded only while the manager is open. The program loads its
// own "liblvtwain.so" from the program folder; tests put a scripted manager in its place.

#include "acquire/twain_protocol.h"

#include <filesystem>
#include <string>

namespace lv::twain {

class SourceManagerLibrary {
public:
    virtual ~SourceManagerLibrary() = default;
    // The entry point, or null when the library is missing or has none.
    virtual DSMENTRYPROC load() = 0;
    virtual void unload() = 0;
};

inline constexpr char kSourceManagerFile[] = "liblvtwain.so";

class SourceManagerFile final : public SourceManagerLibrary {
public:
    explicit SourceManagerFile(std::filesystem::path file)
        : file_(std::move(file))
    {
    }
    ~SourceManagerFile() override { unload(); }
    DSMENTRYPROC load() override;
    void unload() override;

private:
    std::filesystem::path file_;
    void* handle_ = nullptr;
};

}  // namespace lv::twain
