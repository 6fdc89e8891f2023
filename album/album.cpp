#include "album/album.h"

#include "album/album_file.h"
#include "album/album_merge.h"
#include "common/ui_service.h"

#include <algorithm>

namespace lv::album {

bool Album::read(const std::string& path)
{
    close();
    ui::BusyCursor busy;
    AlbumFileContents contents = ReadAlbumContents(path);
    if (!contents.recognised)
        return false;
    const auto slash = path.find_last_of('/');
    folder_ = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    readOnly_ = contents.readOnly;
    entries_ = std::move(contents.entries);
    pathsOnDisk_ = EntryPaths(entries_);
    return contents.complete;
}

bool Album::write(const std::string& path) const
{
    return WriteAlbumFile(path, entries_);
}

void Album::close()
{
    entries_.clear();
    entries_.shrink_to_fit();
    readOnly_ = false;
    modified_ = false;
    pathsOnDisk_.clear();
}

bool Album::append(AlbumEntry entry)
{
    if (entries_.size() >= kMaxEntries)
        return false;
    entries_.push_back(std::move(entry));
    return true;
}

std::size_t Album::clampIndex(int index) const
{
    return std::size_t(std::clamp(index, 0, int(entries_.size()) - 1));
}

void Album::remove(int index)
{
    if (entries_.empty())
        return;
    entries_.erase(entries_.begin() + std::ptrdiff_t(clampIndex(index)));
}

void Album::move(int from, int to)
{
    if (entries_.empty())
        return;
    const std::size_t source = clampIndex(from), target = clampIndex(to);
    AlbumEntry taken = std::move(entries_[source]);
    entries_.erase(entries_.begin() + std::ptrdiff_t(source));
    entries_.insert(entries_.begin() + std::ptrdiff_t(target), std::move(taken));
}

void Album::replace(std::size_t index, AlbumEntry entry)
{
    entries_.at(index) = std::move(entry);
}

const AlbumEntry* Album::entry(int index) const
{
    return index >= 0 && std::size_t(index) < entries_.size() ? &entries_[std::size_t(index)] : nullptr;
}

AlbumEntry* Album::entry(int index)
{
    return index >= 0 && std::size_t(index) < entries_.size() ? &entries_[std::size_t(index)] : nullptr;
}

HDIB Album::thumbnailCopy(int index) const
{
    const AlbumEntry* e = entry(index);
    return e ? e->thumbnailCopy() : nullptr;
}

std::string Album::path(int index) const
{
    const AlbumEntry* e = entry(index);
    return e ? e->path() : std::string();
}

std::string Album::caption(int index) const
{
    const AlbumEntry* e = entry(index);
    return e ? e->caption() : std::string();
}

std::string Album::absolutePath(int index, const std::filesystem::path& programDir) const
{
    const AlbumEntry* e = entry(index);
    if (!e)
        return {};
    return e->relative() ? JoinProgramPath(programDir, e->path()) : e->path();
}

bool Album::removeWithPath(const std::string& path, const std::filesystem::path& programDir)
{
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (SamePathIgnoringCase(absolutePath(int(i), programDir), path)) {
            entries_.erase(entries_.begin() + std::ptrdiff_t(i));
            return true;
        }
    }
    return false;
}

void Album::park()
{
    parked_ = State{std::move(entries_), readOnly_, modified_, folder_, std::move(pathsOnDisk_)};
    entries_.clear();
    pathsOnDisk_.clear();
    readOnly_ = modified_ = false;
}

void Album::restoreParked()
{
    if (!parked_)
        return;
    entries_ = std::move(parked_->entries);
    readOnly_ = parked_->readOnly;
    modified_ = parked_->modified;
    folder_ = std::move(parked_->folder);
    pathsOnDisk_ = std::move(parked_->pathsOnDisk);
    parked_.reset();
}

std::string JoinProgramPath(const std::filesystem::path& programDir, std::string_view relative)
{
    std::string tail(relative);
    std::replace(tail.begin(), tail.end(), '\\', '/');
    while (!tail.empty() && tail.front() == '/')
        tail.erase(tail.begin());
    std::string joined = programDir.string();
    if (!joined.empty() && joined.back() != '/')
        joined += '/';
    return joined + tail;
}

namespace {

// ASCII letters, and the Latin-1 letters of UTF-8 (C3 80..9E against C3 A0..BE).
unsigned char fold(unsigned char previous, unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 32);
    if (previous == 0xC3 && c >= 0x80 && c <= 0x9E && c != 0x97)
        return static_cast<unsigned char>(c + 0x20);
    return c;
}

}  // namespace

bool SamePathIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    unsigned char prevA = 0, prevB = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
        if (fold(prevA, ca) != fold(prevB, cb))
            return false;
        prevA = ca, prevB = cb;
    }
    return true;
}

}  // namespace lv::album
