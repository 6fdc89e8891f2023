#include "album/taken_index.h"

#include "album/album_lock.h"
#include "common/byte_sink.h"
#include "common/program_paths.h"
#include "imagelib/metadata/upright_step.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace lv::album {
namespace {

constexpr std::string_view kHeader = "LVTAKEN 1";

struct Indexed {
    std::int64_t modified = 0;
    std::uint64_t bytes = 0;
    TakenFacts facts;
};

std::uint64_t pathHash(const std::string& text)
{
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

// Lines "modified<TAB>bytes<TAB>taken<TAB>camera<TAB>path"; anything malformed is skipped and
// so read again from its photo.
std::map<std::string, Indexed> readIndex(const std::filesystem::path& file, bool& found)
{
    std::map<std::string, Indexed> index;
    std::ifstream in(file);
    std::string line;
    found = in && std::getline(in, line) && line == kHeader;
    while (found && std::getline(in, line)) {
        std::istringstream fields(line);
        Indexed entry;
        std::string modified, bytes, taken, path;
        if (std::getline(fields, modified, '\t') && std::getline(fields, bytes, '\t') &&
            std::getline(fields, taken, '\t') && std::getline(fields, entry.facts.camera, '\t') &&
            std::getline(fields, path)) {
            try {
                entry.modified = std::stoll(modified);
                entry.bytes = std::stoull(bytes);
                entry.facts.taken = std::stoll(taken);
            } catch (...) {
                continue;
            }
            index[path] = std::move(entry);
        }
    }
    return index;
}

bool writeIndex(const std::filesystem::path& file, const std::map<std::string, Indexed>& index)
{
    std::string text = std::string(kHeader) + "\n";
    for (const auto& [path, entry] : index)
        text += std::to_string(entry.modified) + '\t' + std::to_string(entry.bytes) + '\t' +
                std::to_string(entry.facts.taken) + '\t' + oneLine(entry.facts.camera) + '\t' + oneLine(path) + '\n';
    auto sink = FileSink::Create(file.string());
    if (!sink)
        return false;
    if (!sink->write(text.data(), text.size())) {
        sink->discard();
        return false;
    }
    return sink->close();
}

}  // namespace

std::filesystem::path TakenIndexPath(const std::string& albumPath)
{
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(albumPath, ignored).lexically_normal();
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.idx", static_cast<unsigned long long>(pathHash(absolute.string())));
    return UserDataDir() / "taken" / name;
}

std::vector<TakenFacts> LoadTakenFacts(const std::string& albumPath, const std::vector<std::string>& photos)
{
    const std::filesystem::path indexFile = TakenIndexPath(albumPath);
    bool found = false;
    std::map<std::string, Indexed> index = readIndex(indexFile, found);
    bool changed = !found;
    std::vector<TakenFacts> facts;
    facts.reserve(photos.size());
    for (const std::string& photo : photos) {
        struct stat info {};
        const bool exists = ::stat(photo.c_str(), &info) == 0;
        const auto known = index.find(photo);
        if (known != index.end() && exists && known->second.modified == std::int64_t(info.st_mtime) &&
            known->second.bytes == std::uint64_t(info.st_size)) {
            facts.push_back(known->second.facts);
            continue;
        }
        TakenFacts read;
        if (exists) {
            const PhotoMetadata metadata = ReadFileMetadata(photo);
            read.taken = DateTakenSeconds(metadata.dateTaken);
            if (read.taken == 0)
                read.taken = std::int64_t(info.st_mtime);
            read.camera = metadata.camera;
            index[photo] = {std::int64_t(info.st_mtime), std::uint64_t(info.st_size), read};
            changed = true;
        }
        facts.push_back(read);
    }
    if (changed) {
        std::error_code ignored;
        std::filesystem::create_directories(indexFile.parent_path(), ignored);
        // A system album's folder may be read-only; its index is still locked, beside itself.
        std::optional<AlbumLock> lock = AlbumLock::Acquire(albumPath);
        if (!lock)
            lock = AlbumLock::Acquire(indexFile.string());
        if (lock)
            writeIndex(indexFile, index);
    }
    return facts;
}

}  // namespace lv::album
