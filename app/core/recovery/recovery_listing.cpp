#include "app/core/recovery/recovery_listing.h"

#include "common/byte_source.h"
#include "edit/compositing.h"
#include "edit/layered_format.h"
#include "edit/layered_layout.h"
#include "imagelib/codecs/bmp/bmp.h"

#include <algorithm>
#include <chrono>
#include <set>

namespace lv {
namespace fs = std::filesystem;

namespace {

constexpr int kMaxThumbnailSide = 512;
// A dot folder is a copy's folder being set up; one left this long by a copy that died then
// holds nothing.
constexpr auto kStaleStaging = std::chrono::minutes(10);

bool isWorkInProgress(const fs::path& path)
{
    const std::string name = path.filename().string();
    return name.empty() || name.front() == '.';
}

bool blockFits(ByteSource& source, std::uint64_t base, std::uint32_t offset, BlockEncoding encoding)
{
    if (offset == 0 || base + offset >= source.size())
        return false;
    const auto found = ReadBlockEncoding(source, base + offset);
    return found && *found == encoding;
}

void removeStaleStaging(const fs::path& folder)
{
    std::error_code ec;
    const auto changed = fs::last_write_time(folder, ec);
    if (ec || fs::file_time_type::clock::now() - changed < kStaleStaging)
        return;
    if (LockedFile::TryLock(folder / kRecoveryLockName))
        fs::remove_all(folder, ec);
}

bool isRecoveryFile(const fs::path& path)
{
    return path.extension() == ".vlf" || path.extension() == ".info" || path.extension() == ".bmp";
}

// The stems of the copies and side files in a folder. A stem with a pipe, device or socket
// among its files is no copy the program wrote, and is passed over without a word.
std::set<std::string> stemsIn(const fs::path& folder)
{
    std::set<std::string> stems;
    std::set<std::string> foreign;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(folder, ec)) {
        const fs::path& path = item.path();
        if (isWorkInProgress(path) || !isRecoveryFile(path))
            continue;
        if (!item.is_regular_file(ec))
            foreign.insert(path.stem().string());
        else if (path.extension() != ".bmp")
            stems.insert(path.stem().string());
    }
    for (const std::string& stem : foreign)
        stems.erase(stem);
    return stems;
}

}  // namespace

std::string RecoveryEntry::name() const
{
    return info ? info->title : files().copy.filename().string();
}

bool RecoveryCopyLooksWhole(const fs::path& copy, const RecoveryInfo& info)
{
    auto source = FileSource::Open(copy.string());
    return source && RecoveryCopyLooksWhole(*source, info);
}

bool RecoveryCopyLooksWhole(ByteSource& source, const RecoveryInfo& info)
{
    if (source.size() != info.copyBytes)
        return false;
    const auto layout = ReadLayeredLayout(source);
    if (!layout || layout->header.width != info.width || layout->header.height != info.height ||
        layout->header.count != layout->entries.size())
        return false;
    const std::uint64_t base = layout->base;
    for (const LayeredEntry& entry : layout->entries) {
        if (entry.nameOffset == 0 || !ReadNameBlock(source, base + entry.nameOffset))
            return false;
        if (entry.imageOffset != 0 && !blockFits(source, base, entry.imageOffset, kBlockBmp))
            return false;
        if (!blockFits(source, base, entry.maskOffset, kBlockBmp))
            return false;
        if (entry.textOffset != 0 && !blockFits(source, base, entry.textOffset, kBlockText))
            return false;
    }
    return true;
}

std::optional<RecoveryInfo> ReadRecoveryInfo(const fs::path& file)
{
    auto source = FileSource::Open(file.string());
    if (!source || source->size() > kMaxRecoveryInfoBytes)
        return std::nullopt;
    std::string text(std::size_t(source->size()), '\0');
    if (!source->readExact(text.data(), text.size()))
        return std::nullopt;
    return ParseRecoveryInfo(text);
}

std::unique_ptr<LayerStack> ReadRecoveryCopy(const RecoveryEntry& entry)
{
    if (entry.damaged || !entry.info)
        return nullptr;
    auto stack = ReadLayeredFile(entry.files().copy.string());
    if (!stack || stack->width != entry.info->width || stack->height != entry.info->height)
        return nullptr;
    stack->composite.header().biXPelsPerMeter = entry.info->xPelsPerMeter;
    stack->composite.header().biYPelsPerMeter = entry.info->yPelsPerMeter;
    stack->xResolution = std::uint16_t(entry.info->xPelsPerMeter);
    stack->yResolution = std::uint16_t(entry.info->yPelsPerMeter);
    CompositeLayers(*stack);
    stack->modified = 1;
    return stack;
}

HDIB ReadRecoveryThumbnail(const RecoveryEntry& entry, RecoveryNotices* notices)
{
    auto source = FileSource::Open(entry.files().thumbnail.string());
    if (!source)
        return {};
    ReadResult read = ReadBmp(*source);
    if (notices)
        notices->thumbnailFailed(read.failure());
    if (!read.ok() || read.image().width() > kMaxThumbnailSide || read.image().height() > kMaxThumbnailSide)
        return {};
    return read.take();
}

AbandonedRecovery AbandonedRecovery::Find(const fs::path& recoveryFolder)
{
    AbandonedRecovery found;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(recoveryFolder, ec)) {
        const fs::path& folder = item.path();
        if (!item.is_directory(ec) || item.is_symlink(ec))
            continue;
        if (isWorkInProgress(folder)) {
            removeStaleStaging(folder);
            continue;
        }
        // A running copy holds its lock; a folder without one is being removed by its copy.
        auto lock = LockedFile::TryLock(folder / kRecoveryLockName);
        if (!lock)
            continue;
        const std::set<std::string> stems = stemsIn(folder);
        if (stems.empty()) {
            fs::remove_all(folder, ec);
            continue;
        }
        for (const std::string& stem : stems) {
            RecoveryEntry entry{folder, stem, std::nullopt, true};
            const RecoveryFiles files = entry.files();
            entry.info = ReadRecoveryInfo(files.info);
            entry.damaged = !entry.info || !RecoveryCopyLooksWhole(files.copy, *entry.info);
            found.entries_.push_back(std::move(entry));
        }
        found.held_.push_back({folder, std::move(*lock)});
    }
    std::stable_sort(found.entries_.begin(), found.entries_.end(), [](const RecoveryEntry& a, const RecoveryEntry& b) {
        if (a.damaged != b.damaged)
            return !a.damaged;
        const std::int64_t ta = a.info ? a.info->savedAt : 0;
        const std::int64_t tb = b.info ? b.info->savedAt : 0;
        return ta > tb;
    });
    return found;
}

AbandonedRecovery::~AbandonedRecovery()
{
    release();
}

void AbandonedRecovery::discard(const RecoveryEntry& entry)
{
    const fs::path folder = entry.folder;  // the entry may be one of ours, about to go
    const std::string stem = entry.stem;
    RemoveRecoveryFiles(RecoveryFilesFor(folder, stem));
    std::erase_if(entries_, [&](const RecoveryEntry& e) { return e.folder == folder && e.stem == stem; });
}

void AbandonedRecovery::discardAll()
{
    std::error_code ec;
    for (const HeldFolder& folder : held_)
        fs::remove_all(folder.path, ec);
    held_.clear();
    entries_.clear();
}

void AbandonedRecovery::release()
{
    std::error_code ec;
    for (const HeldFolder& folder : held_)
        if (stemsIn(folder.path).empty())
            fs::remove_all(folder.path, ec);
    held_.clear();
}

}  // namespace lv
