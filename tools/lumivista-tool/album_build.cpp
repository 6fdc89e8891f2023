// "album make" and "album add": entries built on worker threads, appended in the order given.

#include "album_command.h"
#include "arguments.h"

#include "album/album.h"
#include "album/album_update.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "common/program_paths.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace lv::tool {
namespace {

using album::Album;

struct Refused {
    std::string path;
    std::string reason;
};

std::string reasonFor(const album::BuiltEntry& built)
{
    // A pipe or device is no photo at all; say so in the readers' own words.
    if (built.cause.problem == FileProblem::NotRegularFile)
        return DescribeFileProblem(built.cause);
    return built.failure == album::PhotoFailure::CannotOpen ? "cannot open the file" : "not a picture the album can read";
}

// Progress on stderr about every twentieth of the way, for long runs only.
class ProgressLine {
public:
    explicit ProgressLine(std::size_t total)
        : total_(total)
    {
    }
    void done(std::size_t count)
    {
        if (total_ < 20 || (count * 20 / total_ == (count - 1) * 20 / total_ && count != total_))
            return;
        std::fprintf(stderr, "album: %zu of %zu photos\n", count, total_);
    }

private:
    std::size_t total_;
};

std::string absolute(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}

// Every file's entry in the order given, built before the album is locked: reading photos
// is the slow part and other writers need not wait for it.
std::vector<album::AlbumEntry> buildEntries(const std::vector<std::string>& files, unsigned jobs,
                                            std::vector<Refused>& refused, std::vector<Refused>& damaged)
{
    std::vector<album::EntryLabel> labels;
    for (const std::string& file : files)
        labels.push_back({absolute(file), "", {1, 1, 1}});
    std::vector<album::AlbumEntry> entries;
    ProgressLine progress(labels.size());
    album::BuildPhotoEntries(labels, album::AlbumPhotoReaders(), jobs, [&](std::size_t i, album::BuiltEntry built) {
        progress.done(i + 1);
        if (built.entry && built.damage)
            damaged.push_back({files[i], DescribeFileProblem(built.damage)});
        if (built.entry)
            entries.push_back(std::move(*built.entry));
        else
            refused.push_back({files[i], reasonFor(built)});
    });
    return entries;
}

// Appends the entries to the album as it now stands on disk, a photo already listed moving to the end.
bool appendEntries(Album& target, const std::vector<album::AlbumEntry>& entries, std::vector<Refused>& refused)
{
    const std::filesystem::path programDir = ProgramDir();
    for (const album::AlbumEntry& entry : entries) {
        target.removeWithPath(entry.path(), programDir);
        if (!target.append(entry))
            refused.push_back({entry.path(), "the album already holds 1000 photos"});
    }
    return !target.empty();
}

int run(Arguments args, bool addToExisting)
{
    ParsedArguments parsed(args, "album", addToExisting ? "add" : "make");
    const auto jobs = parsed.integer("--jobs", 1, 64);
    if (!parsed.ok() || parsed.positional().size() < 2)
        return Fail(kExitUsage, parsed.ok() ? FormUsage("album", addToExisting ? "add" : "make")
                                            : parsed.error());
    const std::string& out = parsed.positional()[0];
    const std::vector<std::string> files(parsed.positional().begin() + 1, parsed.positional().end());
    std::vector<Refused> refused, damaged;
    const std::vector<album::AlbumEntry> entries = buildEntries(files, unsigned(jobs.value_or(0)), refused, damaged);
    for (const Refused& r : refused)
        std::fprintf(stderr, "lumivista-tool: not added: %s: %s\n", r.path.c_str(), r.reason.c_str());
    if (entries.empty())
        return Fail(kExitCannotRead, "no photo could be added; " + out + " not written");

    std::vector<Refused> full;
    const album::AlbumUpdate update = album::ModifyAlbum(out, [&](Album& target) {
        if (!addToExisting)
            target.close();
        return appendEntries(target, entries, full);
    });
    for (const Refused& r : full)
        std::fprintf(stderr, "lumivista-tool: not added: %s: %s\n", r.path.c_str(), r.reason.c_str());
    if (update == album::AlbumUpdate::Written)
        for (const Refused& d : damaged)
            if (std::none_of(full.begin(), full.end(), [&](const Refused& r) { return r.path == absolute(d.path); }))
                std::fprintf(stderr, "lumivista-tool: added with a problem: %s: %s\n", d.path.c_str(), d.reason.c_str());
    switch (update) {
    case album::AlbumUpdate::Written:
        return refused.empty() && full.empty() ? kExitOk : kExitCannotRead;
    case album::AlbumUpdate::Unreadable:
        return Fail(kExitCannotRead, album::DescribeAlbumUpdate(update, out));
    default:
        return Fail(kExitCannotWrite, album::DescribeAlbumUpdate(update, out));
    }
}

}  // namespace

int RunAlbumMake(Arguments args)
{
    return run(args, false);
}

int RunAlbumAdd(Arguments args)
{
    return run(args, true);
}

}  // namespace lv::tool
