#include "imagelib/codecs/flashpix/fpx_storage.h"

#include "imagelib/codecs/flashpix/gsf_library.h"

#include <gsf/gsf-infile-impl.h>

#include <new>
#include <utility>

namespace lv::flashpix {
namespace {

// Owns one reference to a GObject, which exists only once libgsf is loaded.
template<typename T>
struct GObjectRef {
    T* object = nullptr;
    GObjectRef() = default;
    explicit GObjectRef(T* o)
        : object(o)
    {
    }
    GObjectRef(GObjectRef&& other) noexcept
        : object(std::exchange(other.object, nullptr))
    {
    }
    GObjectRef& operator=(GObjectRef&& other) noexcept
    {
        std::swap(object, other.object);
        return *this;
    }
    ~GObjectRef()
    {
        if (object)
            LoadedGsfLibrary()->g_object_unref(object);
    }
    explicit operator bool() const { return object != nullptr; }
};

// gsf_infile_child_by_name reports a child it can't open on stderr; asking the storage
// itself gives the same child and keeps the error to us.
GsfInput* childByName(const GsfLibrary& gsf, GsfInfile* parent, const std::string& name)
{
    const int count = gsf.gsf_infile_num_children(parent);
    for (int i = 0; i < count; ++i) {
        const char* childName = gsf.gsf_infile_name_by_index(parent, i);
        if (!childName || name != childName)
            continue;
        GError* error = nullptr;
        auto* storageClass = reinterpret_cast<GsfInfileClass*>(reinterpret_cast<GTypeInstance*>(parent)->g_class);
        GsfInput* child = storageClass->child_by_index(parent, i, &error);
        if (error)
            gsf.g_error_free(error);
        return child;
    }
    return nullptr;
}

// The storages below the root are made as such; the casts GLib's macros would check hold.
GsfInfile* asStorage(const GsfLibrary& gsf, GsfInput* input)
{
    const bool storage = gsf.g_type_check_instance_is_a(reinterpret_cast<GTypeInstance*>(input), gsf.gsf_infile_get_type());
    return storage ? reinterpret_cast<GsfInfile*>(input) : nullptr;
}

// The root and the storages the writer makes are libgsf's OLE storages.
GsfOutput* asOutput(GsfOutfile* storage)
{
    return reinterpret_cast<GsfOutput*>(storage);
}

GsfOutfileMSOle* asMsole(void* storage)
{
    return static_cast<GsfOutfileMSOle*>(storage);
}

}  // namespace

struct StorageReader::Handles {
    const GsfLibrary& gsf;
    std::span<const std::uint8_t> bytes;
    GObjectRef<GsfInput> input;
    GObjectRef<GsfInfile> root;
};

StorageReader::StorageReader(std::unique_ptr<Handles> handles)
    : handles_(std::move(handles))
{
}
StorageReader::StorageReader(StorageReader&&) noexcept = default;
StorageReader& StorageReader::operator=(StorageReader&&) noexcept = default;
StorageReader::~StorageReader() = default;

std::optional<StorageReader> StorageReader::Open(std::span<const std::uint8_t> bytes)
{
    const GsfLibrary* gsf = LoadedGsfLibrary();
    if (!gsf)
        return std::nullopt;
    auto handles = std::make_unique<Handles>(Handles{*gsf, bytes, {}, {}});
    handles->input = GObjectRef<GsfInput>(gsf->gsf_input_memory_new(bytes.data(), gsf_off_t(bytes.size()), FALSE));
    if (!handles->input)
        return std::nullopt;
    GError* error = nullptr;
    handles->root = GObjectRef<GsfInfile>(gsf->gsf_infile_msole_new(handles->input.object, &error));
    if (error)
        gsf->g_error_free(error);
    if (!handles->root)
        return std::nullopt;
    return StorageReader(std::move(handles));
}

struct StorageReader::OpenStream {
    GObjectRef<GsfInput> input;
    std::size_t size = 0;
};

std::optional<StorageReader::OpenStream> StorageReader::openStream(std::span<const std::string> path,
                                                                   std::uint64_t maxBytes) const
{
    if (path.empty())
        return std::nullopt;
    const GsfLibrary& gsf = handles_->gsf;
    GObjectRef<GsfInput> current;
    GsfInfile* parent = handles_->root.object;
    for (const std::string& name : path) {
        if (!parent)
            return std::nullopt;
        GObjectRef<GsfInput> child(childByName(gsf, parent, name));
        if (!child)
            return std::nullopt;
        current = std::move(child);
        parent = asStorage(gsf, current.object);
        if (parent && gsf.gsf_infile_num_children(parent) < 0)
            parent = nullptr;
    }
    if (parent)  // a storage, not a stream
        return std::nullopt;
    const gsf_off_t size = gsf.gsf_input_size(current.object);
    if (size < 0 || std::uint64_t(size) > maxBytes)
        return std::nullopt;
    return OpenStream{std::move(current), std::size_t(size)};
}

std::optional<std::vector<std::uint8_t>> StorageReader::readStream(std::span<const std::string> path,
                                                                    std::uint64_t maxBytes) const
{
    auto stream = openStream(path, maxBytes);
    if (!stream)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(stream->size);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (stream->size > 0 && !handles_->gsf.gsf_input_read(stream->input.object, stream->size, bytes.data()))
        return std::nullopt;
    return bytes;
}

std::optional<StreamBytes> StorageReader::readStreamInPlace(std::span<const std::string> path, std::uint64_t maxBytes) const
{
    auto stream = openStream(path, maxBytes);
    if (!stream)
        return std::nullopt;
    StreamBytes out;
    if (stream->size == 0) {
        out.inPlace_ = true;
        return out;
    }
    // Asked for no buffer of ours, libgsf hands back where the bytes lie: in the file's
    // bytes when the stream's sectors follow each other there, else in a buffer it
    // assembled, which lives only as long as the stream.
    const guint8* at = handles_->gsf.gsf_input_read(stream->input.object, stream->size, nullptr);
    if (!at)
        return std::nullopt;
    const std::span<const std::uint8_t> file = handles_->bytes;
    const auto begin = reinterpret_cast<std::uintptr_t>(file.data()), where = reinterpret_cast<std::uintptr_t>(at);
    if (where >= begin && where - begin <= file.size() && stream->size <= file.size() - (where - begin)) {
        out.view_ = file.subspan(where - begin, stream->size);
        out.inPlace_ = true;
        return out;
    }
    try {
        out.copy_.assign(at, at + stream->size);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return out;
}

struct StorageWriter::Handles {
    const GsfLibrary* gsf = LoadedGsfLibrary();
    GObjectRef<GsfOutput> memory;
    GObjectRef<GsfOutfile> root;
    std::vector<GObjectRef<GsfOutput>> storages;  // the open storages below the root, innermost last
    bool failed = false;

    GsfOutfile* current() const
    {
        return storages.empty() ? root.object : reinterpret_cast<GsfOutfile*>(storages.back().object);
    }
};

StorageWriter::StorageWriter()
    : handles_(std::make_unique<Handles>())
{
    const GsfLibrary* gsf = handles_->gsf;
    if (gsf)
        handles_->memory = GObjectRef<GsfOutput>(gsf->gsf_output_memory_new());
    if (handles_->memory)
        handles_->root = GObjectRef<GsfOutfile>(gsf->gsf_outfile_msole_new(handles_->memory.object));
    handles_->failed = !handles_->root;
}

StorageWriter::~StorageWriter()
{
    // Closing what is still open lets libgsf free its buffers; the bytes are dropped.
    const GsfLibrary* gsf = handles_->gsf;
    while (!handles_->storages.empty()) {
        if (!gsf->gsf_output_is_closed(handles_->storages.back().object))
            gsf->gsf_output_close(handles_->storages.back().object);
        handles_->storages.pop_back();
    }
    if (handles_->root && !gsf->gsf_output_is_closed(asOutput(handles_->root.object)))
        gsf->gsf_output_close(asOutput(handles_->root.object));
}

bool StorageWriter::ok() const
{
    return !handles_->failed;
}

void StorageWriter::setRootClass(const ClassId& id)
{
    if (!handles_->failed && !handles_->gsf->gsf_outfile_msole_set_class_id(asMsole(handles_->root.object), id.data()))
        handles_->failed = true;
}

void StorageWriter::openStorage(const std::string& name, const std::optional<ClassId>& classId)
{
    if (handles_->failed)
        return;
    const GsfLibrary* gsf = handles_->gsf;
    GObjectRef<GsfOutput> storage(gsf->gsf_outfile_new_child(handles_->current(), name.c_str(), TRUE));
    if (!storage || (classId && !gsf->gsf_outfile_msole_set_class_id(asMsole(storage.object), classId->data()))) {
        handles_->failed = true;
        if (storage)
            gsf->gsf_output_close(storage.object);
        return;
    }
    try {
        handles_->storages.push_back(std::move(storage));
    } catch (const std::bad_alloc&) {
        handles_->failed = true;
    }
}

void StorageWriter::closeStorage()
{
    if (handles_->storages.empty())
        return;
    if (!handles_->gsf->gsf_output_close(handles_->storages.back().object))
        handles_->failed = true;
    handles_->storages.pop_back();
}

void StorageWriter::addStream(const std::string& name, std::span<const std::uint8_t> bytes)
{
    const std::span<const std::uint8_t> parts[] = {bytes};
    addStream(name, parts);
}

void StorageWriter::addStream(const std::string& name, std::span<const std::span<const std::uint8_t>> parts)
{
    if (handles_->failed)
        return;
    const GsfLibrary* gsf = handles_->gsf;
    GObjectRef<GsfOutput> stream(gsf->gsf_outfile_new_child(handles_->current(), name.c_str(), FALSE));
    bool ok = bool(stream);
    for (const auto& part : parts)
        ok = ok && (part.empty() || gsf->gsf_output_write(stream.object, part.size(), part.data()));
    if (!ok || !gsf->gsf_output_close(stream.object))
        handles_->failed = true;
}

std::span<const std::uint8_t> StorageWriter::finish()
{
    while (!handles_->storages.empty())
        closeStorage();
    const GsfLibrary* gsf = handles_->gsf;
    if (handles_->failed || !gsf->gsf_output_close(asOutput(handles_->root.object)))
        return {};
    const guint8* bytes = gsf->gsf_output_memory_get_bytes(reinterpret_cast<GsfOutputMemory*>(handles_->memory.object));
    const gsf_off_t size = gsf->gsf_output_size(handles_->memory.object);
    if (!bytes || size <= 0)
        return {};
    return {bytes, std::size_t(size)};
}

}  // namespace lv::flashpix
