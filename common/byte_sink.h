#pragma once
// Writing for file encoders: buffered, and every failure is remembered so a writer can
// tell "could not create" from "a write failed", and why.

#include "common/file_problem.h"

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

// The one way files are written. Bytes go to a temporary file beside the target; close()
// flushes and syncs it (unless UnsyncedWrites says not to) and renames it over the target, which keeps the old file's
// permissions and, where the system allows, its owner (a symbolic link is followed to the
// file it names). Until then the old file is untouched, and it stays so when the write
// fails, the process dies or close() is never reached: the destructor removes the
// temporary file. Concurrent writers of one name each replace the file whole.
//
// A file marked read-only (no write permission at all) is not replaced, nor one the user
// may not write. Test hook (test builds only): with LUMIVISTA_TEST_DISK_FULL_AFTER=N in the
// environment every sink fails its writes beyond N bytes with "no space left", as a full disk
// does.
class FileSink final : public ByteSink {
    struct CreatedFile {
        int fd;
        std::string temporary;
        std::string target;
        std::uint64_t failAfter;  // bytes before the test hook's failure; UINT64_MAX without it
    };

public:
    // Null when the file can't be created; `failure` then says why.
    static std::unique_ptr<FileSink> Create(const std::string& path, FileFailure* failure = nullptr);
    // For Create only: nothing else can make a CreatedFile.
    explicit FileSink(CreatedFile file);
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    bool write(const void* bytes, std::size_t count) override;
    bool seek(std::uint64_t position) override;
    std::uint64_t position() const override { return position_; }
    bool flush() override;
    bool failed() const { return bool(failure_); }
    // Why the sink failed, when it has.
    const FileFailure& failure() const { return failure_; }
    // Commits: true when every byte reached the disk and the file now stands under its name.
    bool close();
    // Gives up: the temporary file goes and the old file stays.
    void discard();

private:
    bool writeToFile(const std::uint8_t* bytes, std::size_t count);
    bool fail(int error);

    int fd_;
    std::string temporary_;
    std::string target_;
    std::uint64_t failAfter_;
    std::uint64_t fileBytes_ = 0;  // bytes handed to the system, for the test hook
    bool committed_ = false;
    FileFailure failure_;
    std::uint64_t position_ = 0;
    std::vector<std::uint8_t> buffer_;
};

// Writes a whole byte vector to a file through FileSink; false on any failure, with the
// reason in `failure` when given.
bool WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes, FileFailure* failure = nullptr);

}  // namespace lv
