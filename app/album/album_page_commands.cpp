// The album page's commands: the buttons of its panels, the context menu's commands, adding
// photos and the dialogs.

#include "app/album/album_page.h"

#include "acquire/acquired_photo.h"
#include "album/album_file.h"
#include "album/album_update.h"
#include "album/photo_commands.h"
#include "album/photo_loader.h"
#include "app/core/shell_state.h"
#include "app/album/delete_options_dialog.h"
#include "app/editing/file_dialog_filters.h"
#include "app/album/photo_properties_dialog.h"
#include "album/taken_index.h"
#include "app/skin/handlers.h"
#include "app/widgets/qt_text.h"
#include "app/album/album_search_command.h"
#include "app/shell/main_window.h"
#include "common/beep.h"
#include "common/ui_service.h"
#include "common/warning_messages.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

namespace lv::app {
namespace {

constexpr std::uint32_t kEditArea = 3;  // the argument of the "Editar" area button

}  // namespace

void AlbumPage::registerHandlers()
{
    using skin::Handler;
    HandlerTable& handlers = window_.handlers();
    handlers.set(Handler::AlbumAddPhotos, [this](const HandlerCall&) { addPhotosWithDialog(); });
    handlers.set(Handler::AlbumDeletePhotos, [this](const HandlerCall&) { deleteButtonPressed(); });
    handlers.set(Handler::AlbumOpenPhoto, [this](const HandlerCall&) {
        // The gallery's "Usar" puts the picture into the image being edited, when there is one.
        if (screen_ == kGalleryScreen && documents_.hasActiveImage())
            openAsLayer();
        else
            openSelected();
    });
    handlers.set(Handler::AlbumProperties, [this](const HandlerCall&) { showProperties(); });
    handlers.set(Handler::AlbumNew, [this](const HandlerCall&) { newAlbum(); });
    handlers.set(Handler::AlbumSearch, [this](const HandlerCall&) { search(); });
    handlers.set(Handler::AlbumScroll, [this](const HandlerCall& call) { scrollRows(std::int16_t(call.argument >> 16)); });
    handlers.set(Handler::AlbumCategory,
                 [this](const HandlerCall& call) { showGalleryCategory(int(call.argument & 0xFFFF)); });
}

void AlbumPage::runMenuCommand(int command)
{
    if (!showing())
        return;
    using namespace album_command;
    album::Album& album = session_.album();
    album::AlbumView& view = session_.view();
    const std::filesystem::path& programDir = library_.catalogue.programDir();
    switch (command) {
    case kCut:
        if (album::CutPhoto(album, view, clipboard_, programDir)) {
            updateScrollBar();
            repaintCells();
        }
        break;
    case kCopy:
        if (album::CopyPhoto(album, view, clipboard_, programDir))
            album.setModified(true);
        break;
    case kPaste:
        album::PastePhoto(album, view, clipboard_, programDir);
        updateScrollBar();
        repaintCells();
        break;
    case kDelete:
        deleteSelected();
        return;
    case kOpenAsLayer:
        openAsLayer();
        return;
    case kProperties:
        showProperties();
        return;
    case kHelp:
        window_.openHelp(kAlbumHelpContext);
        return;
    default:
        return;
    }
    logState("command");
}

void AlbumPage::deleteSelected()
{
    if (!showing() || nameFieldHasFocus())
        return;
    album::Album& album = session_.album();
    album::AlbumView& view = session_.view();
    switch (album::CheckDelete(album, view)) {
    case album::DeleteCheck::Nothing:
        return;
    case album::DeleteCheck::Beep:
        ui::Beep("no photo selected");
        return;
    case album::DeleteCheck::Ask:
        break;
    }
    const std::optional<album::DeleteChoice> choice = AskDeleteOptions(&window_, hooks_);
    if (!choice || !showing())
        return;
    album::DeleteSelectedPhotos(album, view, *choice, library_.catalogue.programDir());
    updateScrollBar();
    repaintCells();
    logState("deleted");
}

void AlbumPage::openSelected()
{
    const std::string path = selectedPath();
    if (path.empty())
        return;
    bool opened = false;
    {
        ui::BusyCursor busy;
        opened = documents_.openPhoto(path);
    }
    LV_TEST_LOG(hooks_, QStringLiteral("album opened ") + QtText(path));
    // The photo is there to be edited: the editing screens show it.
    if (opened)
        showEditing();
}

void AlbumPage::openAsLayer()
{
    const std::string path = selectedPath();
    if (path.empty() || !documents_.hasActiveImage())
        return;
    if (!QFileInfo::exists(QtText(path))) {
        ShowDetailedStringMessage(album::kCannotFindFileString, path);
        return;
    }
    ReadResult photo = album::LoadPhotoForAlbum(path, session_.readers());
    if (!photo.ok()) {
        ShowDetailedStringMessage(album::kUnknownFormatString, path);
        return;
    }
    if (!documents_.addLayer(nullptr, photo.take()))
        return;
    LV_TEST_LOG(hooks_, QStringLiteral("album layer ") + QtText(path));
    showEditing();
}

void AlbumPage::showEditing()
{
    // The pictures are hidden on the album's screens: the editing screens show the result.
    QTimer::singleShot(0, &window_, [this] { window_.handlers().call(skin::Handler::SelectScreenArea, kEditArea); });
}

// The date the selected photo was taken, from the album's index of dates (the whole album, so
// the index keeps every photo).
static std::string takenText(const album::AlbumPageSession& session, int index, const std::filesystem::path& programDir)
{
    const album::Album& album = session.album();
    if (session.albumPath().empty())
        return {};
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < album.count(); ++i)
        paths.push_back(album.absolutePath(int(i), programDir));
    const std::vector<album::TakenFacts> facts = album::LoadTakenFacts(session.albumPath(), paths);
    if (index < 0 || std::size_t(index) >= facts.size() || facts[std::size_t(index)].taken == 0)
        return {};
    const std::time_t when = facts[std::size_t(index)].taken;
    std::tm local{};
    return ::localtime_r(&when, &local) ? album::FormatLastWrite(local) : std::string();
}

void AlbumPage::showProperties()
{
    album::Album& album = session_.album();
    const album::AlbumView& view = session_.view();
    if (!showing() || !view.validSelected() || !selectedFileReadable())
        return;
    const int index = view.selected();
    const std::filesystem::path programDir = library_.catalogue.programDir();
    const std::string path = selectedPath();
    PhotoPropertiesDialog dialog(&window_, album::DescribePhoto(*album.entry(index), path),
                                 [this, index, programDir](const std::string& name) {
                                     return album::RenamePhoto(session_.album(), index, name, clipboard_, programDir);
                                 },
                                 takenText(session_, index, programDir));
    LV_TEST_LOG(hooks_, QStringLiteral("dialog %1").arg(kPhotoPropertiesDialog));
    LV_TEST_LOG(hooks_, QStringLiteral("photo taken=[%1]").arg(dialog.fieldText(8007)));
    if (hooks_.answersDialogs())
        QTimer::singleShot(0, &dialog, &QDialog::accept);
    dialog.exec();
    repaintCells();
    logState("properties");
}

void AlbumPage::addPhotosWithDialog()
{
    if (!showing() || session_.album().readOnly() || adder_.running())
        return;
    std::vector<std::string> files;
    if (fileDialogAnswer_) {
        files = std::move(*fileDialogAnswer_);
        fileDialogAnswer_.reset();
        LV_TEST_LOG(hooks_, QStringLiteral("album file dialog %1").arg(files.size()));
    } else {
        QFileDialog dialog(&window_, QStringLiteral("Adicionar fotos ao álbum"),
                           QtText(Shell().recent.mostRecentDirectory()));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        dialog.setNameFilters(NameFilters(OpenAllImageFilters()));
        if (dialog.exec() != QDialog::Accepted)
            return;
        for (const QString& f : dialog.selectedFiles())
            files.push_back(f.toStdString());
    }
    if (files.size() > album::kMostFilesChosen)
        files.resize(album::kMostFilesChosen);
    if (files.empty())
        return;
    Shell().recent.add(files.front());
    addFiles(files);
}

void AlbumPage::addFiles(const std::vector<std::string>& paths)
{
    if (!showing() || paths.empty() || session_.album().readOnly())
        return;
    const Rect bounds = layout().bounds();
    const QRect progressArea = window_.controlRect(kStatusControl).value_or(QRect(bounds.left, bounds.bottom + 8,
                                                                                 bounds.width(), 24));
    adder_.start(session_.album(), session_.view(), library_.catalogue.programDir(), paths, progressArea);
}

bool AlbumPage::takesAcquiredPhotos() const
{
    return screen_ == kUserAlbumScreen && session_.isOpen() && !session_.album().readOnly();
}

bool AlbumPage::addAcquiredPhoto(const std::string& path, const HDIB& picture, std::string_view caption)
{
    if (!takesAcquiredPhotos())
        return false;
    album::AlbumSession target{session_.album(), session_.catalogue(), session_.readers(), session_.albumPath()};
    const std::size_t before = session_.album().count();
    if (!twain::AddAcquiredPhoto(target, path, picture, caption))
        return false;
    session_.view().appended();
    photoAppended(session_.album().count() != before + 1);
    // Written at once, under the album's lock: a scan or shot is not lost if the program dies
    // before the page is left.
    session_.save(nameText());
    logState("acquired");
    return true;
}

void AlbumPage::search()
{
    if (!showing())
        return;
    const PhotoSearchOutcome outcome = RunPhotoSearch(window_, hooks_);
    switch (outcome.kind) {
    case PhotoSearchOutcome::Kind::Nothing:
        return;
    case PhotoSearchOutcome::Kind::OpenPhoto:
        {
            ui::BusyCursor busy;
            if (!documents_.openPhoto(outcome.path))
                return;
        }
        showEditing();
        return;
    case PhotoSearchOutcome::Kind::ResultsAlbum:
        break;
    }
    // The results become a new album of the user's, shown at once.
    adder_.finishNow();
    const std::string name = nameText();
    if (screen_ != kUserAlbumScreen) {
        // The gallery hands over to the user's page.
        window_.switchScreen(kUserAlbumScreen);
    }
    session_.newAlbum(name);
    // The results join the new album's file under its lock, as every album writer's do.
    const album::AlbumFileContents results = album::ReadAlbumContents(outcome.path);
    const album::AlbumUpdate update = album::ModifyAlbum(session_.albumPath(), [&](album::Album& target) {
        for (const album::AlbumEntry& entry : results.entries)
            target.append(entry);
        return !results.entries.empty();
    });
    if (update != album::AlbumUpdate::Written) {
        ShowDetailedStringMessage(album::kSaveErrorString, session_.albumPath());
    } else {
        std::error_code ignored;
        std::filesystem::remove(outcome.path, ignored);
        session_.catalogue().rename(session_.category(), session_.albumIndex(), LoadString(kSearchResultsName));
        session_.showCategory(session_.category(), session_.catalogue().key(session_.category(), session_.albumIndex()),
                              {});
    }
    albumChanged();
}

}  // namespace lv::app
