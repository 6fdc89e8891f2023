#include "album/album_page_session.h"

#include "album/album_file.h"
#include "album/album_merge.h"
#include "album/album_operations.h"
#include "album/album_update.h"
#include "common/warning_messages.h"
#include "common/string_table.h"

#include <algorithm>

namespace lv::album {
namespace {

std::string_view trimLeadingSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

std::string fileStem(const std::string& path)
{
    std::string stem = std::filesystem::path(path).stem().string();
    return stem.empty() ? path : stem;
}

}  // namespace

AlbumPageSession::AlbumPageSession(Album& album, AlbumCatalogue& catalogue, DocumentReaders readers,
                                   const GridLayouts& layouts)
    : album_(&album)
    , catalogue_(&catalogue)
    , readers_(std::move(readers))
    , layouts_(&layouts)
    , view_(album, layouts.of(kUserCategory).shape())
{
}

void AlbumPageSession::showCategory(int category, std::optional<std::string> key, std::string_view nameText)
{
    if (!ValidCategory(category))
        return;
    if (open_)
        save(nameText);
    category_ = category;
    int index = -1;
    if (key)
        index = catalogue_->find(category, *key);
    if (index < 0)
        index = catalogue_->current(category);
    if (index >= catalogue_->count(category))
        index = 0;
    if (catalogue_->count(category) == 0) {
        open_ = false;  // just saved
        newAlbum({});
        return;
    }
    catalogue_->setCurrent(category, index);
    open(category, index);
}

void AlbumPageSession::showFile(int category, const std::string& path, std::string_view nameText)
{
    if (open_)
        save(nameText);
    category_ = ValidCategory(category) ? category : kUserCategory;
    index_ = -1;
    openPath(path, 0, 0);
}

void AlbumPageSession::chooseAlbum(int index, std::string_view nameText)
{
    if (index < 0)
        return;
    if (index >= catalogue_->count(category_)) {
        newAlbum(nameText);
        return;
    }
    if (index == index_ && open_)
        return;
    if (open_)
        save(nameText);
    catalogue_->setCurrent(category_, index);
    open(category_, index);
}

void AlbumPageSession::newAlbum(std::string_view nameText)
{
    if (open_)
        save(nameText);
    const int number = catalogue_->newAlbum(category_, LoadString(kNewAlbumNameString));
    if (number == 0) {
        // A full category keeps what it shows.
        if (!open_ && catalogue_->count(category_) > 0)
            open(category_, std::clamp(catalogue_->current(category_), 0, catalogue_->count(category_) - 1));
        return;
    }
    const int index = catalogue_->count(category_) - 1;
    catalogue_->setCurrent(category_, index);
    album_->close();
    album_->setReadOnly(false);
    album_->setModified(false);
    index_ = index;
    path_ = catalogue_->albumPath(category_, index);
    open_ = true;
    layoutChanged();
    view_.open(0, 0);
}

bool AlbumPageSession::deleteCurrentAlbum()
{
    if (!open_ || index_ < 0)
        return false;
    album_->close();
    album_->setModified(false);
    open_ = false;
    const bool removed = catalogue_->remove(category_, index_);
    index_ = -1;
    if (catalogue_->count(category_) == 0) {
        newAlbum({});
        return removed;
    }
    open(category_, std::clamp(catalogue_->current(category_), 0, catalogue_->count(category_) - 1));
    return removed;
}

bool AlbumPageSession::save(std::string_view nameText)
{
    if (!open_)
        return true;
    if (index_ >= 0) {
        catalogue_->setViewValue(category_, index_, view_.selected(), ViewValue::Position);
        catalogue_->setViewValue(category_, index_, view_.head(), ViewValue::Head);
    }
    if (album_->modified() && !album_->readOnly()) {
        // Merged with what other writers added meanwhile. Empty albums have no file: one the
        // user emptied loses it (unless others added to it), or its old photos would come back.
        const AlbumUpdate update = SaveOpenAlbum(*album_, path_);
        if (update != AlbumUpdate::Written) {
            if (update != AlbumUpdate::CannotWrite)
                ShowDetailedStringMessage(kAlbumWriteErrorString, path_);
            return false;
        }
        album_->setModified(false);
    }
    const std::string_view name = trimLeadingSpaces(nameText);
    if (!album_->readOnly() && index_ >= 0 && !name.empty() && CleanAlbumName(name) != catalogue_->name(category_, index_))
        catalogue_->rename(category_, index_, name);
    return true;
}

int AlbumPageSession::takeOthersAdditions()
{
    if (!open_ || path_.empty() || album_->readOnly())
        return 0;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path_, ec))
        return 0;
    // A safe write renames a whole new file into place: what is read is one writer's album.
    const AlbumFileContents theirs = ReadAlbumContents(path_);
    if (!theirs.recognised)
        return 0;
    int added = 0;
    for (const std::size_t i : AddedByOthers(album_->pathsOnDisk(), album_->entries(), theirs.entries)) {
        AlbumEntry entry = theirs.entries[i];
        entry.setSelected(false);
        if (!album_->append(std::move(entry)))
            break;
        ++added;
    }
    // What the file holds now is the base: a photo the user removed stays removed.
    album_->setPathsOnDisk(EntryPaths(theirs.entries));
    return added;
}

void AlbumPageSession::leave(std::string_view nameText)
{
    save(nameText);
    album_->close();
    open_ = false;
}

std::string AlbumPageSession::displayName() const
{
    if (index_ >= 0)
        return catalogue_->name(category_, index_);
    return path_.empty() ? std::string() : fileStem(path_);
}

std::vector<std::string> AlbumPageSession::listItems() const
{
    std::vector<std::string> items;
    for (int i = 0; i < catalogue_->count(category_); ++i)
        items.push_back(catalogue_->name(category_, i));
    if (category_ == kUserCategory)
        items.emplace_back(LoadString(kNewAlbumItemString));
    return items;
}

void AlbumPageSession::layoutChanged()
{
    view_.setShape(layouts_->of(category_).shape());
}

void AlbumPageSession::open(int category, int index)
{
    category_ = category;
    index_ = index;
    openPath(catalogue_->albumPath(category, index), catalogue_->viewValue(category, index, ViewValue::Position),
             catalogue_->viewValue(category, index, ViewValue::Head));
}

void AlbumPageSession::openPath(const std::string& path, int storedSelected, int storedHead)
{
    path_ = path;
    album_->read(path);
    album_->setModified(false);
    RefreshAlbum(*album_, catalogue_->programDir(), readers_);
    open_ = true;
    layoutChanged();
    view_.open(storedSelected, storedHead);
}

}  // namespace lv::album
