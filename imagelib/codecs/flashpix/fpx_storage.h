#pragma once
// Structured storage (a file system in a file) read and written through libgsf.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lv::flashpix {

using ClassId = std::array<std::uint8_t, 16>;  // as stored: first three fields little-endian

// A stream's bytes: a view of the storage's own bytes where the stream lies there in one
// piece, else a copy of its own.
class StreamBytes {
public:
    std::span<const std::uint8_t> bytes() const { return inPlace_ ? view_ : std::span<const std::uint8_t>(copy_); }

private:
    friend class StorageReader;
    std::span<const std::uint8_t> view_;
    std::vector<std::uint8_t> copy_;
    bool inPlace_ = false;
};

// A storage's contents, opened on bytes that outlive it.
class StorageReader {
public:
    // Nothing when the bytes are not structured storage.
    static std::optional<StorageReader> Open(std::span<const std::uint8_t> bytes);
    StorageReader(StorageReader&&) noexcept;
    StorageReader& operator=(StorageReader&&) noexcept;
    ~StorageReader();

    // The whole stream at a "/"-less path of names (storage, storage, ..., stream), or
    // nothing when it is missing or longer than `maxBytes`.
    std::optional<std::vector<std::uint8_t>> readStream(std::span<const std::string> path, std::uint64_t maxBytes) const;
    // The same, without a copy where it can; the view lives as long as the storage's bytes.
    std::optional<StreamBytes> readStreamInPlace(std::span<const std::string> path, std::uint64_t maxBytes) const;

private:
    struct Handles;
    explicit StorageReader(std::unique_ptr<Handles> handles);
    struct OpenStream;
    std::optional<OpenStream> openStream(std::span<const std::string> path, std::uint64_t maxBytes) const;
    std::unique_ptr<Handles> handles_;
};

// Builds a storage in memory; storages and streams are added in the order they appear.
class StorageWriter {
public:
    StorageWriter();
    ~StorageWriter();
    StorageWriter(const StorageWriter&) = delete;
    StorageWriter& operator=(const StorageWriter&) = delete;

    bool ok() const;
    void setRootClass(const ClassId& id);
    // Opens a storage inside the open one (at first the root); streams and storages added
    // until closeStorage go inside it.
    void openStorage(const std::string& name, const std::optional<ClassId>& classId = std::nullopt);
    void closeStorage();
    void addStream(const std::string& name, std::span<const std::uint8_t> bytes);
    // A stream made of several pieces, one after the other.
    void addStream(const std::string& name, std::span<const std::span<const std::uint8_t>> parts);
    // The finished file, valid while the writer lives; empty when anything failed.
    std::span<const std::uint8_t> finish();

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
};

}  // namespace lv::flashpix
