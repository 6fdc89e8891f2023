#pragma once
// Bounded reading for file decoders: every read says how much it delivered, so a
// decoder notices a short file instead of running past its end.

#include "common/file_problem.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lv {

class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Reads up to `count` bytes; returns how many arrived (fewer only at the end).
    virtual std::size_t read(void* destination, std::size_t count) = 0;
    // Moves to an absolute position; false (and no move) when it lies beyond the end.
    virtual bool seek(std::uint64_t position) = 0;
    virtual std::uint64_t position() const = 0;
    virtual std::uint64_t size() const = 0;

    std::uint64_t remaining() const { return size() - position(); }
    bool readExact(void* destination, std::size_t count) { return read(destination, count) == count; }
    bool skip(std::uint64_t count) { return count <= remaining() && seek(position() + count); }

    std::optional<std::uint8_t> readU8();
    std::optional<std::uint16_t> readLE16();
    std::optional<std::uint32_t> readLE32();
    std::optional<std::uint16_t> readBE16();
    std::optional<std::uint32_t> readBE32();
};

// Reads a span of memory that the caller keeps alive.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes)
        : bytes_(bytes)
    {
    }
    std::size_t read(void* destination, std::size_t count) override;
    bool seek(std::uint64_t position) override;
    std::uint64_t position() const override { return position_; }
    std::uint64_t size() const override { return bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// Reads a file through a buffer; large reads go straight to the caller's memory.
class FileSource final : public ByteSource {
    struct OpenedFile {
        explicit OpenedFile(int descriptor, std::uint64_t bytes)
            : fd(descriptor)
            , size(bytes)
        {
        }
        int fd;
        std::uint64_t size;
    };

public:
    // Null when the file can't be opened for reading; `failure` then says why.
    static std::unique_ptr<FileSource> Open(const std::string& path, FileFailure* failure = nullptr);
    // For Open only: nothing else can make an OpenedFile.
    explicit FileSource(OpenedFile file);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t read(void* destination, std::size_t count) override;
    bool seek(std::uint64_t position) override;
    std::uint64_t position() const override { return position_; }
    std::uint64_t size() const override { return size_; }

private:
    std::size_t readFromFile(void* destination, std::size_t count);

    int fd_;
    std::uint64_t size_;
    std::uint64_t position_ = 0;
    std::uint64_t filePosition_ = 0;  // where the descriptor stands
    std::vector<std::uint8_t> buffer_;
    std::size_t bufferStart_ = 0;  // index of the next unread buffered byte
    std::size_t bufferEnd_ = 0;
};

// The whole file in memory, or nothing when it can't be read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);

}  // namespace lv
