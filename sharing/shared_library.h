#pragma once
// A shared library of the program folder, loaded for as long as the object lives.

#include <string>

namespace lv::sharing {

class SharedLibrary {
public:
    SharedLibrary() = default;
    explicit SharedLibrary(const std::string& path);
    ~SharedLibrary();
    SharedLibrary(SharedLibrary&& other) noexcept;
    SharedLibrary& operator=(SharedLibrary&& other) noexcept;
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    // The address of an exported symbol, or null.
    void* resolve(const char* name) const;
    // Why loading failed, in the system's words.
    const std::string& error() const { return error_; }

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace lv::sharing
