#include "album/photo_search.h"

#include "album/album.h"
#include "album/album_file.h"
#include "album/album_lock.h"
#include "album/photo_adding.h"
#include "album/photo_loader.h"
#include "album/taken_index.h"
#include "imagelib/metadata/upright_step.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

namespace lv::album {
namespace {

namespace fs = std::filesystem;

// UTF-8 as code points (a stray byte stands for itself), ASCII and Latin-1 letters folded.
std::u32string folded(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        char32_t point = c;
        std::size_t length = 1;
        if (c >= 0xC0 && c < 0xE0 && i + 1 < text.size() && (text[i + 1] & 0xC0) == 0x80) {
            point = char32_t(((c & 0x1F) << 6) | (text[i + 1] & 0x3F));
            length = 2;
        } else if (c >= 0xE0 && c < 0xF0 && i + 2 < text.size() && (text[i + 1] & 0xC0) == 0x80
                   && (text[i + 2] & 0xC0) == 0x80) {
            point = char32_t(((c & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F));
            length = 3;
        }
        if ((point >= 'A' && point <= 'Z') || (point >= 0xC0 && point <= 0xDE && point != 0xD7))
            point += 0x20;
        out.push_back(point);
        i += length;
    }
    return out;
}

bool wildcard(std::u32string_view pattern, std::u32string_view text)
{
    // Greedy with one backtrack point: the last "*" seen.
    std::size_t p = 0, t = 0, star = std::u32string_view::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == text[t])) {
            ++p, ++t;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            star = p++;
            resume = t;
        } else if (star != std::u32string_view::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*')
        ++p;
    return p == pattern.size();
}

std::string fileName(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The extension in upper case with its synonyms made one.
std::string typeOf(std::string_view path)
{
    const std::string name = fileName(path);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos)
        return {};
    std::string type = name.substr(dot + 1);
    std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return char(c >= 'a' && c <= 'z' ? c - 32 : c); });
    if (type == "JPEG" || type == "JPE")
        return "JPG";
    if (type == "TIFF")
        return "TIF";
    return type;
}

bool isAlbumFile(const fs::path& path)
{
    return typeOf(path.string()) == "ABM";
}

std::vector<fs::path> sortedFiles(const fs::path& folder, bool recursive, bool (*wanted)(const fs::path&))
{
    std::vector<fs::path> files;
    std::error_code error;
    const auto options = fs::directory_options::skip_permission_denied;
    const auto take = [&](const fs::directory_entry& e) {
        std::error_code ignored;
        if (e.is_regular_file(ignored) && wanted(e.path()))
            files.push_back(e.path());
    };
    if (recursive) {
        for (fs::recursive_directory_iterator it(folder, options, error), end; !error && it != end; it.increment(error))
            take(*it);
    } else {
        for (fs::directory_iterator it(folder, options, error), end; !error && it != end; it.increment(error))
            take(*it);
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

bool ContainsIgnoringCase(std::string_view text, std::string_view part)
{
    return folded(text).find(folded(part)) != std::u32string::npos;
}

bool WildcardMatch(std::string_view pattern, std::string_view text)
{
    return wildcard(folded(pattern), folded(text));
}

bool MatchesWithoutPicture(const SearchCriteria& c, const PhotoFacts& photo)
{
    if (!c.name.empty()) {
        const std::string name = fileName(photo.path);
        const bool pattern = c.name.find_first_of("*?") != std::string::npos;
        if (pattern ? !WildcardMatch(c.name, name) : !ContainsIgnoringCase(name, c.name))
            return false;
    }
    if (!c.caption.empty() && !ContainsIgnoringCase(photo.caption, c.caption))
        return false;
    if ((c.after && photo.time < *c.after) || (c.before && photo.time >= *c.before))
        return false;
    if (!c.types.empty()) {
        const std::string type = typeOf(photo.path);
        if (std::none_of(c.types.begin(), c.types.end(), [&](const std::string& t) { return typeOf("." + t) == type; }))
            return false;
    }
    if ((c.minBytes && photo.bytes < *c.minBytes) || (c.maxBytes && photo.bytes > *c.maxBytes))
        return false;
    if ((c.takenAfter && photo.taken < *c.takenAfter) || (c.takenBefore && photo.taken >= *c.takenBefore))
        return false;
    return c.camera.empty() || ContainsIgnoringCase(photo.camera, c.camera);
}

bool MatchesSearch(const SearchCriteria& c, const PhotoFacts& photo)
{
    return MatchesWithoutPicture(c, photo) && photo.width >= c.minWidth && photo.height >= c.minHeight;
}

std::vector<SearchHit> SearchAlbumFolder(const std::string& folder, const SearchCriteria& criteria,
                                         const std::string& programDir, const StopRequest& stop)
{
    std::vector<SearchHit> hits;
    for (const fs::path& file : sortedFiles(folder, false, isAlbumFile)) {
        if (stop && stop())
            break;
        AlbumFileContents contents = ReadAlbumContents(file.string());
        std::vector<std::string> paths;
        for (const AlbumEntry& e : contents.entries)
            paths.push_back(e.relative() ? JoinProgramPath(programDir, e.path()) : e.path());
        const std::vector<TakenFacts> taken =
            criteria.needsTakenFacts() ? LoadTakenFacts(file.string(), paths) : std::vector<TakenFacts>(paths.size());
        for (std::size_t i = 0; i < contents.entries.size(); ++i) {
            AlbumEntry& e = contents.entries[i];
            PhotoFacts facts{paths[i], e.caption(), e.created(), e.fileSize(), e.width(), e.height(),
                             taken[i].taken, taken[i].camera};
            if (!MatchesSearch(criteria, facts))
                continue;
            hits.push_back({facts.path, file.string(), int(i), facts, std::move(e)});
        }
    }
    return hits;
}

std::vector<SearchHit> SearchPhotoFolder(const std::string& folder, const SearchCriteria& criteria, bool recursive,
                                         unsigned jobs, const StopRequest& stop)
{
    std::vector<SearchHit> candidates;
    const auto picture = [](const fs::path& p) { return DroppedPhotoAccepted(p.string()); };
    for (const fs::path& file : sortedFiles(folder, recursive, picture)) {
        struct stat info {};
        if (::stat(file.c_str(), &info) != 0)
            continue;
        PhotoFacts facts{file.string(), {}, std::int64_t(info.st_mtime), std::uint64_t(info.st_size), 0, 0, 0, {}};
        if (criteria.needsTakenFacts()) {
            const PhotoMetadata metadata = ReadFileMetadata(facts.path);
            facts.taken = DateTakenSeconds(metadata.dateTaken);
            facts.taken = facts.taken ? facts.taken : facts.time;
            facts.camera = metadata.camera;
        }
        if (MatchesWithoutPicture(criteria, facts))
            candidates.push_back({facts.path, {}, -1, facts, std::nullopt});
    }
    // The pictures are read for their size and thumbnail.
    std::vector<EntryLabel> labels;
    for (const SearchHit& hit : candidates)
        labels.push_back({hit.path, {}, {1, 1, 1}});
    std::vector<SearchHit> hits;
    BuildPhotoEntries(
        labels, AlbumPhotoReaders(), jobs,
        [&](std::size_t i, BuiltEntry built) {
            if (!built.entry)
                return;
            SearchHit& hit = candidates[i];
            hit.facts.width = built.entry->width();
            hit.facts.height = built.entry->height();
            if (!MatchesSearch(criteria, hit.facts))
                return;
            hit.entry = std::move(built.entry);
            hits.push_back(std::move(hit));
        },
        stop);
    return hits;
}

std::optional<std::int64_t> ParseSearchDate(std::string_view text)
{
    int year = 0, month = 0, day = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t n) {
        int v = 0;
        for (std::size_t i = at; i < at + n; ++i)
            v = v * 10 + (text[i] - '0');
        return v;
    };
    year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_isdst = -1;
    const std::time_t when = std::mktime(&t);
    // 31 February comes back as March: refused.
    if (when == std::time_t(-1) || t.tm_mon != month - 1)
        return std::nullopt;
    return std::int64_t(when);
}

std::int64_t NextDay(std::int64_t dayStart)
{
    std::tm t{};
    const std::time_t when = std::time_t(dayStart);
    localtime_r(&when, &t);
    t.tm_mday += 1;
    t.tm_hour = t.tm_min = t.tm_sec = 0;
    t.tm_isdst = -1;
    return std::int64_t(std::mktime(&t));
}

bool WriteResultsAlbum(const std::vector<SearchHit>& hits, const std::string& path)
{
    std::vector<AlbumEntry> entries;
    for (const SearchHit& hit : hits) {
        const bool listed = std::any_of(entries.begin(), entries.end(),
                                        [&](const AlbumEntry& e) { return SamePathIgnoringCase(e.path(), hit.path); });
        if (!hit.entry || listed || entries.size() >= kMaxEntries)
            continue;
        AlbumEntry e = *hit.entry;
        e.setSelected(false);
        // The results name their photos by full path wherever the album they came from lay.
        if (e.relative()) {
            e.setPath(hit.path);
            e.setRelative(false);
        }
        entries.push_back(std::move(e));
    }
    // The results album is an album like any other: a writer may be at it.
    const auto lock = AlbumLock::Acquire(path);
    return lock && WriteAlbumFile(path, entries);
}

}  // namespace lv::album
