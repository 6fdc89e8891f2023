#include "album/photo_adding.h"

#include "album/album_file.h"
#include "album/album_operations.h"
#include "common/beep.h"
#include "common/string_table.h"
#include "common/ui_service.h"
#include "common/warning_messages.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/raw/camera_raw.h"

#include <algorithm>
#include <array>

namespace lv::album {
namespace {

std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return out;
}

// "%s" of a numbered text filled in (the first one), or the text as it is.
std::string withPath(std::string_view text, std::string_view path)
{
    std::string out(text);
    if (const std::size_t at = out.find("%s"); at != std::string::npos)
        out.replace(at, 2, path);
    return out;
}

std::string reasonText(AddOutcome outcome, const std::string& path)
{
    switch (outcome) {
    case AddOutcome::CannotOpen: return std::string(LoadString(kCannotFindFileString));
    case AddOutcome::NotRegularFile: return DescribeFileProblem({FileProblem::NotRegularFile, {}});
    case AddOutcome::Unreadable: return std::string(LoadString(kPageUnknownFormatString));
    case AddOutcome::ZeroSize: return withPath(LoadString(kZeroSizeString), path);
    case AddOutcome::Full: return std::string(LoadString(kAlbumFullString));
    case AddOutcome::Added: break;
    }
    return {};
}

std::string fileName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool DroppedPhotoAccepted(std::string_view path)
{
    static constexpr std::array<std::string_view, 19> kExtensions = {
        "bmp", "tif", "tiff", "pcx", "gif", "tga", "jpg", "jpeg", "jpe", "fpx", "pcd", "vlf", "png", "psd",
        "webp", "avif", "jxl", "heic", "heif"};
    // The name is compared lower-cased, as dropped names were; the file keeps its own name.
    const std::string lower = lowerAscii(path);
    const std::size_t dot = lower.find_last_of('.');
    if (dot == std::string::npos || lower.find('/', dot) != std::string::npos)
        return false;
    const std::string_view extension = std::string_view(lower).substr(dot + 1);
    return std::find(kExtensions.begin(), kExtensions.end(), extension) != kExtensions.end()
           || IsCameraRawExtension(ToUpperAscii(extension));
}

std::vector<std::string> AcceptedDrops(std::span<const std::string> files)
{
    std::vector<std::string> accepted;
    for (const std::string& f : files)
        if (DroppedPhotoAccepted(f))
            accepted.push_back(f);
    return accepted;
}

AddOutcome AddBuiltPhoto(Album& album, AlbumView& view, BuiltEntry built, const std::string& path,
                         const std::filesystem::path& programDir)
{
    if (!built.entry && built.failure == PhotoFailure::CannotOpen)
        return built.cause.problem == FileProblem::NotRegularFile ? AddOutcome::NotRegularFile
                                                                  : AddOutcome::CannotOpen;
    if (!built.entry)
        return AddOutcome::Unreadable;
    if (built.entry->width() == 0 || built.entry->height() == 0)
        return AddOutcome::ZeroSize;
    // A photo is listed once: added again, it moves to the end.
    const bool removed = album.removeWithPath(path, programDir);
    if (removed)
        album.setModified(true);
    if (!album.append(std::move(*built.entry))) {
        view.afterRemoval();
        return AddOutcome::Full;
    }
    album.setModified(true);
    view.appended();
    return AddOutcome::Added;
}

void AddReport::outcome(const std::string& path, AddOutcome outcome)
{
    if (outcome == AddOutcome::Added)
        return;
    ++failures_;
    outcomes_.emplace_back(outcome, path);
    lines_.push_back({path, reasonText(outcome, path)});
}

void AddReport::note(const std::string& path, const HeldMessage& message)
{
    const bool said = std::any_of(lines_.begin(), lines_.end(),
                                  [&](const Line& l) { return l.path == path && l.reason == message.text; });
    if (said)
        return;
    notes_.push_back(message);
    // The design's own reason says it already when the reader only named the failure.
    const bool repeated = std::any_of(lines_.begin(), lines_.end(), [&](const Line& l) {
        return l.path == path && message.text.rfind(l.reason, 0) == 0;
    });
    if (!repeated)
        lines_.push_back({path, message.text});
}

void AddReport::damaged(const std::string& path, const FileFailure& damage)
{
    // A reader that already said why has listed the file.
    const bool listed = std::any_of(lines_.begin(), lines_.end(), [&](const Line& l) { return l.path == path; });
    if (damage && !listed)
        note(path, {DescribeFileProblem(damage), std::string(ui::kWarningTitle), ui::Icon::Exclamation});
}

std::string AddReport::summary() const
{
    std::string text = std::string(LoadString(failures_ > 0 ? kSomeNotAddedString : kAddNotesString));
    const auto fill = [&text](std::string_view tag, std::size_t n) {
        if (const std::size_t at = text.find(tag); at != std::string::npos)
            text.replace(at, tag.size(), std::to_string(n));
    };
    fill("%d", failures_);
    fill("%d", files_);
    text += "\n";
    for (const Line& line : lines_)
        text += "\n" + fileName(line.path) + " — " + line.reason;
    return text;
}

void AddReport::show() const
{
    if (lines_.empty())
        return;
    if (files_ > 1) {
        ui::Current().showMessage(summary(), ui::kWarningTitle, ui::Icon::Exclamation);
        return;
    }
    for (const HeldMessage& m : notes_)
        ui::Current().showMessage(m.text, m.title, m.icon);
    for (const auto& [outcome, path] : outcomes_) {
        if (outcome == AddOutcome::ZeroSize) {
            ui::Beep("zero-size picture");
            ui::Current().showMessage(reasonText(outcome, path), ui::kWarningTitle, ui::Icon::Information);
        } else if (outcome == AddOutcome::Full) {
            ShowWarningMessage(reasonText(outcome, path));
        } else {
            ShowDetailedMessage(reasonText(outcome, path), path);
        }
    }
}

}  // namespace lv::album
