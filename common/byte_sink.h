#pragma once
// Writing for file encoders: buffered, and every failure is remembered so a writer can
// tell "could not create" from "a write failed".

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lv {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False once any write has failed; later writes do nothing.
    virtual bool write(const void* bytes, std::size_t count) = 0;
    virtual bool seek(std::uint64_t position) = 0;
    virtual std::uint64_t position() const = 0;
    // Pushes buffered bytes out; false when that fails.
    virtual bool flush() { return true; }

    bool writeU8(std::uint8_t v) { return write(&v, 1); }
    bool writeLE16(std::uint16_t v);
    bool writeLE32(std::uint32_t v);
    bool writeBE16(std::uint16_t v);
    bool writeBE32(std::uint32_t v);
    bool writeZeros(std::size_t count);
};

class MemorySink final : public ByteSink {
public:
    bool write(const void* bytes, std::size_t count) override;
    bool seek(std::uint64_t position) override;
    std::uint64_t position() const override { return position_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// Creates (or truncates) a file. Bytes reach the disk at `close`, which reports whether
// everything was written; the destructor closes silently.
class FileSink final : public ByteSink {
    struct CreatedFile {
        explicit CreatedFile(int descriptor)
            : fd(descriptor)
        {
        }
        int fd;
    };

public:
    static std::unique_ptr<FileSink> Create(const std::string& path);
    // For Create only: nothing else can make a CreatedFile.
    explicit FileSink(CreatedFile file);
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    bool write(const void* bytes, std::size_t count) override;
    bool seek(std::uint64_t position) override;
    std::uint64_t position() const override { return position_; }
    bool flush() override;
    bool failed() const { return failed_; }
    bool close();

private:
    bool writeToFile(const std::uint8_t* bytes, std::size_t count);

    int fd_;
    bool failed_ = false;
    std::uint64_t position_ = 0;
    std::vector<std::uint8_t> buffer_;
};

// Writes a whole byte vector to a file; false on any failure.
bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace lv
