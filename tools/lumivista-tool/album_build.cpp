// "album make" and "album add": entries built on worker threads, appended in the order given.

#include "album_command.h"
#include "arguments.h"

#include "album/album.h"
#include "album/album_file.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "common/program_paths.h"

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

// Appends every file's entry; those that can't be added are listed at the end.
std::vector<Refused> addFiles(Album& target, const std::vector<std::string>& files, unsigned jobs)
{
    std::vector<album::EntryLabel> labels;
    for (const std::string& file : files)
        labels.push_back({absolute(file), "", {1, 1, 1}});
    std::vector<Refused> refused;
    ProgressLine progress(labels.size());
    const std::filesystem::path programDir = ProgramDir();
    album::BuildPhotoEntries(labels, album::AlbumPhotoReaders(), jobs, [&](std::size_t i, album::BuiltEntry built) {
        progress.done(i + 1);
        if (!built.entry) {
            refused.push_back({files[i], reasonFor(built)});
            return;
        }
        target.removeWithPath(labels[i].path, programDir);
        if (!target.append(std::move(*built.entry)))
            refused.push_back({files[i], "the album already holds 1000 photos"});
    });
    return refused;
}

int finish(const Album& built, const std::string& out, const std::vector<Refused>& refused)
{
    for (const Refused& r : refused)
        std::fprintf(stderr, "lumivista-tool: not added: %s: %s\n", r.path.c_str(), r.reason.c_str());
    if (built.empty())
        return Fail(kExitCannotRead, "no photo could be added; " + out + " not written");
    if (!built.write(out))
        return Fail(kExitCannotWrite, "cannot write " + out);
    return refused.empty() ? kExitOk : kExitCannotRead;
}

int run(Arguments args, bool addToExisting)
{
    ParsedArguments parsed(args, {}, {"--jobs"});
    const auto jobs = parsed.integer("--jobs", 1, 64);
    if (!parsed.ok() || parsed.positional().size() < 2)
        return Fail(kExitUsage, parsed.ok() ? (addToExisting ? "usage: album add ALBUM FILE... [--jobs N]"
                                                             : "usage: album make OUT.abm FILE... [--jobs N]")
                                            : parsed.error());
    const std::string& out = parsed.positional()[0];
    const std::vector<std::string> files(parsed.positional().begin() + 1, parsed.positional().end());
    Album target;
    if (addToExisting && std::filesystem::exists(out)) {
        if (!target.read(out))
            return Fail(kExitCannotRead, "cannot read " + out + " as an album");
        if (target.readOnly())
            return Fail(kExitCannotWrite, out + " is a read-only album");
    }
    const auto refused = addFiles(target, files, unsigned(jobs.value_or(0)));
    return finish(target, out, refused);
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
