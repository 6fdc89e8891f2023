#include "album/catalogue.h"

#include "album/album.h"
#include "album/album_update.h"
#include "common/profile.h"
#include "common/text_encoding.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace lv::album {
namespace {

constexpr std::array<Category, kCategoryCount> kCategories = {{
    {"albums", "albums"},
    {"effects", "sysalbum"},
    {"effects", "sysalbum"},
    {"effects", "sysalbum"},
    {"Frame", "sysalbum"},
    {"shape", "sysalbum"},
    {"Calendar", "sysalbum"},
    {"Card", "sysalbum"},
    {"fantasy", "sysalbum"},
    {"cools", "sysalbum"},
    {"albums", "albums"},
    {"Gradient", "sysalbum"},
    {"Texture", "sysalbum"},
}};

const std::string kNoLine;

std::string cutLine(std::string_view line)
{
    return std::string(TruncateUtf8(line, kMaxLineBytes));
}

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t characterCount(std::string_view text)
{
    return std::size_t(std::count_if(text.begin(), text.end(), [](char c) { return !isContinuationByte(c); }));
}

std::string_view firstCharacters(std::string_view text, std::size_t count)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuationByte(text[i]) && seen++ == count)
            return text.substr(0, i);
    }
    return text;
}

}  // namespace

const Category& CategoryInfo(int category)
{
    return kCategories.at(std::size_t(category));
}

bool ValidCategory(int category)
{
    return category >= 0 && category < kCategoryCount;
}

int AlbumNumber(std::string_view key)
{
    const std::size_t dot = std::min(key.find('.'), key.size());
    std::size_t start = dot;
    while (start > 0 && key[start - 1] >= '0' && key[start - 1] <= '9')
        --start;
    int number = 0;
    for (std::size_t i = start; i < dot; ++i)
        number = number * 10 + (key[i] - '0');
    return number;
}

std::string CleanAlbumName(std::string_view name)
{
    std::string clean;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\r' && i + 1 < name.size() && name[i + 1] == '\n') {
            clean += "  ";
            ++i;
        } else {
            clean += name[i];
        }
    }
    if (characterCount(clean) > kMaxNameCharacters)
        clean = std::string(firstCharacters(clean, kMaxNameCharacters - 1));
    return clean;
}

AlbumCatalogue::AlbumCatalogue(CatalogueStore& store, std::filesystem::path programDir,
                               std::filesystem::path userAlbumsDir)
    : store_(&store)
    , programDir_(std::move(programDir))
    , userAlbumsDir_(std::move(userAlbumsDir))
{
}

void AlbumCatalogue::loadOnce() const
{
    if (loaded_)
        return;
    loaded_ = true;
    for (int c = 0; c < kCategoryCount; ++c) {
        auto& lines = lines_[std::size_t(c)];
        for (const profile::Entry& e : store_->readSection(CategoryInfo(c).section)) {
            if (lines.size() == kMaxAlbumsPerCategory)
                break;
            lines.push_back(cutLine(e.key + "=" + e.value));
        }
    }
}

int AlbumCatalogue::count(int category) const
{
    if (!ValidCategory(category))
        return 0;
    loadOnce();
    return int(lines_[std::size_t(category)].size());
}

const std::string& AlbumCatalogue::line(int category, int index) const
{
    if (index < 0 || index >= count(category))
        return kNoLine;
    return lines_[std::size_t(category)][std::size_t(index)];
}

std::string AlbumCatalogue::key(int category, int index) const
{
    const std::string& text = line(category, index);
    return text.substr(0, text.find('='));
}

std::string AlbumCatalogue::name(int category, int index) const
{
    const std::string& text = line(category, index);
    const auto eq = text.find('=');
    return eq == std::string::npos ? std::string() : text.substr(eq + 1);
}

int AlbumCatalogue::find(int category, std::string_view wanted) const
{
    for (int i = 0; i < count(category); ++i)
        if (profile::NamesEqual(key(category, i), wanted))
            return i;
    return -1;
}

std::string AlbumCatalogue::albumPath(int category, int index) const
{
    if (index < 0 || index >= count(category))
        return {};
    const std::string_view folder = CategoryInfo(category).folder;
    if (folder == kUserAlbumsFolder && !userAlbumsDir_.empty())
        return JoinProgramPath(userAlbumsDir_, key(category, index));
    return JoinProgramPath(programDir_, std::string(folder) + "/" + key(category, index));
}

int AlbumCatalogue::addLine(int category, std::string_view text)
{
    if (!ValidCategory(category))
        return 0;
    int largest = 0;
    for (int i = 0; i < count(category); ++i)
        largest = std::max(largest, AlbumNumber(key(category, i)));
    auto& lines = lines_[std::size_t(category)];
    if (lines.size() < kMaxAlbumsPerCategory)
        lines.push_back(cutLine(text));
    return largest + 1;
}

int AlbumCatalogue::newAlbum(int category, std::string_view name)
{
    if (count(category) >= int(kMaxAlbumsPerCategory))
        return 0;
    int largest = 0;
    for (int i = 0; i < count(category); ++i)
        largest = std::max(largest, AlbumNumber(key(category, i)));
    const int number = largest + 1;
    const std::string text = "album" + std::to_string(number) + ".abm=" + std::string(name) + std::to_string(number);
    addLine(category, text);
    writeBack();
    return number;
}

bool AlbumCatalogue::rename(int category, int index, std::string_view name)
{
    if (index < 0 || index >= count(category))
        return false;
    std::string& text = lines_[std::size_t(category)][std::size_t(index)];
    const auto eq = text.find('=');
    text = cutLine(text.substr(0, eq == std::string::npos ? text.size() : eq) + "=" + CleanAlbumName(name));
    return writeBack();
}

bool AlbumCatalogue::remove(int category, int index)
{
    if (index < 0 || index >= count(category))
        return false;
    DeleteAlbumFile(albumPath(category, index));
    auto& lines = lines_[std::size_t(category)];
    lines.erase(lines.begin() + index);
    const bool written = writeBack();
    setCurrent(category, std::max(0, index - 1));
    return written;
}

int AlbumCatalogue::current(int category) const
{
    if (!ValidCategory(category))
        return 0;
    const int index = profile::ProfileIntOr(store_->read(kCurrentSection, CategoryInfo(category).section), 0);
    return std::max(0, index);
}

bool AlbumCatalogue::setCurrent(int category, int index)
{
    return ValidCategory(category) &&
           store_->write(kCurrentSection, CategoryInfo(category).section, std::to_string(index));
}

std::string AlbumCatalogue::albumKeyName(int category, int index) const
{
    return std::string(CategoryInfo(category).section) + "_" + key(category, index);
}

int AlbumCatalogue::viewValue(int category, int index, ViewValue which) const
{
    if (index < 0 || index >= count(category))
        return 0;
    const std::string_view section = which == ViewValue::Position ? kPositionSection : kHeadSection;
    return profile::ProfileIntOr(store_->read(section, albumKeyName(category, index)), 0);
}

bool AlbumCatalogue::setViewValue(int category, int index, int value, ViewValue which)
{
    if (index < 0 || index >= count(category))
        return false;
    const std::string_view section = which == ViewValue::Position ? kPositionSection : kHeadSection;
    return store_->write(section, albumKeyName(category, index), std::to_string(value));
}

void AlbumCatalogue::copyCategory(int to, int from)
{
    if (!ValidCategory(to) || !ValidCategory(from))
        return;
    loadOnce();
    lines_[std::size_t(to)] = lines_[std::size_t(from)];
}

std::string AlbumCatalogue::relocatedPhotoPath(int category, std::string_view photoPath) const
{
    const int index = current(category);
    if (index >= count(category))
        return std::string(photoPath);
    const auto folder = store_->read(kFilepathSection, albumKeyName(category, index));
    if (!folder || folder->empty())
        return std::string(photoPath);
    const auto slash = photoPath.find_last_of("/\\");
    const std::string_view fileName = slash == std::string_view::npos ? photoPath : photoPath.substr(slash + 1);
    std::string result = *folder;
    std::replace(result.begin(), result.end(), '\\', '/');
    if (result.back() != '/')
        result += '/';
    return result + std::string(fileName);
}

bool AlbumCatalogue::writeBack()
{
    loadOnce();
    CatalogueStore::Sections sections;
    for (int c = 0; c < kCategoryCount; ++c) {
        const std::string_view section = CategoryInfo(c).section;
        bool earlier = false;
        for (int e = 0; e < c; ++e)
            earlier = earlier || CategoryInfo(e).section == section;
        if (earlier)
            continue;
        std::vector<profile::Entry> entries;
        for (const std::string& text : lines_[std::size_t(c)]) {
            const auto eq = text.find('=');
            entries.push_back({text.substr(0, eq), eq == std::string::npos ? std::string() : text.substr(eq + 1)});
        }
        sections.emplace_back(std::string(section), std::move(entries));
    }
    return store_->writeSections(sections);
}

}  // namespace lv::album
