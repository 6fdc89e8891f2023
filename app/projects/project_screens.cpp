#include "app/projects/project_screens.h"

#include "album/catalogue.h"
#include "app/core/documents/document_files.h"
#include "app/core/documents/document_io.h"
#include "app/core/project_steps.h"
#include "app/core/documents/untitled_names.h"
#include "app/album/album_pick_dialog.h"
#include "app/shell/handler_table.h"
#include "app/skin/handlers.h"
#include "app/skin/screen_switch.h"
#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "app/shell/main_window.h"
#include "app/output/print_pages.h"
#include "app/projects/project_folder.h"
#include "app/widgets/qt_text.h"
#include "common/beep.h"
#include "common/program_paths.h"
#include "common/settings.h"
#include "common/settings_keys.h"
#include "common/settings_store.h"
#include "common/string_table.h"
#include "common/ui_service.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "edit/selection/selection_content.h"
#include "edit/tools/tool_registry.h"
#include "imagelib/codecs/save_as.h"
#include "projects/calendar.h"
#include "projects/placeholders.h"


#include <QPoint>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace lv::app {
namespace {

constexpr int kFrameCategory = 4;
constexpr int kCalendarCategory = 6;
constexpr int kCardCategory = 7;

int StepOf(const HandlerCall& call)
{
    return std::int16_t(call.argument >> 16);
}

}  // namespace

int TemplateCategoryOf(int screen)
{
    switch (screen) {
    case kCardScreen: return kCardCategory;
    case kCalendarScreen: return kCalendarCategory;
    case kFrameScreen: return kFrameCategory;
    default: return -1;
    }
}

ProjectScreens::ProjectScreens(MainWindow& window, DocumentWindows& documents, PrintPages& printing,
                               album::AlbumCatalogue& catalogue, const OpenAlbum& openAlbum, const TestHooks& hooks)
    : window_(window)
    , documents_(documents)
    , printing_(printing)
    , catalogue_(catalogue)
    , openAlbum_(openAlbum)
    , hooks_(hooks)
{
    for (const int screen : {kCardScreen, kCalendarScreen, kFrameScreen})
        window_.setScreenCode(screen, this);
    ScreenSwitchFeatures& features = window_.switchFeatures();
    features.templateChanged = [this](int) {
        asked_ = projectChanged();
        kept_ = false;
        return asked_;
    };
    features.keepTemplate = [this](int) { kept_ = true; };

    using skin::Handler;
    HandlerTable& handlers = window_.handlers();
    handlers.set(Handler::ChooseTemplate, [this](const HandlerCall&) { chooseTemplate(); });
    handlers.set(Handler::PlacePhoto, [this](const HandlerCall&) { placePhoto(); });
    handlers.set(Handler::PreviousPlaceholder, [this](const HandlerCall&) { stepPlaceholder(-1); });
    handlers.set(Handler::NextPlaceholder, [this](const HandlerCall&) { stepPlaceholder(1); });
    handlers.set(Handler::SaveProject, [this](const HandlerCall&) { saveProject(); });
    handlers.set(Handler::PrintProject, [this](const HandlerCall&) { printProject(); });
    handlers.set(Handler::CalendarYear, [this](const HandlerCall& call) { stepYear(StepOf(call)); });
    handlers.set(Handler::CalendarMonth, [this](const HandlerCall& call) { stepMonth(StepOf(call)); });
    fileDrop_ = std::make_unique<ProjectFileDrop>(
        window_, [this](const QPoint& point, const std::string& path) { return dropFileAt(point, path); });
}

ProjectScreens::~ProjectScreens()
{
    for (const int screen : {kCardScreen, kCalendarScreen, kFrameScreen})
        window_.setScreenCode(screen, nullptr);
    window_.switchFeatures().templateChanged = nullptr;
    window_.switchFeatures().keepTemplate = nullptr;
}

void ProjectScreens::shown(int screen)
{
    screen_ = screen;
    if (screen == kCalendarScreen) {
        calendar_.enter(CurrentUtcYearMonth());
        showCalendarFields();
    }
    if (ImageWindow* window = projectWindow())
        window->outlineCurrentLayer(true);
    logState();
}

void ProjectScreens::leaving(int)
{
    ImageWindow* window = projectWindow();
    if (window && asked_ && !kept_) {
        window->discard();
        project_.reset();
    } else if (window) {
        window->outlineCurrentLayer(false);
    }
    asked_ = kept_ = false;
    screen_ = -1;
}

ImageWindow* ProjectScreens::projectWindow() const
{
    if (!project_)
        return nullptr;
    for (ImageWindow* window : documents_.openWindows())
        if (window->id() == project_->window)
            return window;
    return nullptr;
}

bool ProjectScreens::projectChanged() const
{
    const ImageWindow* window = projectWindow();
    return window && window->document().modified != 0;
}

void ProjectScreens::forgetProject()
{
    if (ImageWindow* window = projectWindow())
        window->outlineCurrentLayer(false);
    project_.reset();
}

bool ProjectScreens::settleChangedProject()
{
    ImageWindow* window = projectWindow();
    if (!window) {
        project_.reset();
        return true;
    }
    // An untouched project is only a copy of its template: nothing is lost with it.
    ui::Answer answer = ui::Answer::No;
    if (projectChanged())
        answer = ui::Current().ask(skin::KeepTemplateQuestion(),
                                   ui::kProductTitle, ui::Buttons::YesNoCancel, ui::Icon::Question);
    if (answer == ui::Answer::Cancel)
        return false;
    if (answer == ui::Answer::Yes) {
        forgetProject();  // it stays open as an ordinary picture
    } else {
        window->discard();
        project_.reset();
    }
    return true;
}

void ProjectScreens::chooseTemplate()
{
    const int category = TemplateCategoryOf(screen_);
    if (category < 0 || catalogue_.count(category) == 0) {
        ui::Beep("no templates");
        return;
    }
    const std::string gallery = catalogue_.albumPath(category, catalogue_.current(category));
    const auto chosen = PickFromAlbum(&window_, QStringLiteral("template gallery"), StringText(kTemplateGalleryString),
                                      gallery, nullptr, hooks_);
    if (chosen)
        openTemplate(*chosen);
}

bool ProjectScreens::openTemplate(const std::string& path)
{
    // Read first: a template that cannot be opened leaves the current project alone.
    std::unique_ptr<LayerStack> document;
    {
        ui::BusyCursor busy;
        document = ReadLayeredFile(path);
    }
    if (!document) {
        ui::Current().showMessage(LoadString(kUnknownFormatString), ui::kWarningTitle, ui::Icon::Exclamation);
        return false;
    }
    if (!settleChangedProject())
        return false;
    {
        ui::BusyCursor busy;
        if (screen_ == kCalendarScreen)
            RefillCalendar(*document, path, calendar_.year(), calendar_.month());
        RebuildComposite(*document);
    }
    document->modified = 0;
    const int screen = screen_;
    if (!documents_.openDocumentWindow(std::move(document), ProcessUntitledNames().next(kProjectBaseString)))
        return false;
    ImageWindow* window = documents_.active();
    project_ = Project{window->id(), path, screen};
    showPlaceholder(*window, StepPlaceholder(window->document(), -1, 1));
    LV_TEST_LOG(hooks_, QStringLiteral("project opened %1").arg(QtText(path)));
    logState();
    return true;
}

void ProjectScreens::showPlaceholder(ImageWindow& window, int layer)
{
    if (layer < 0) {
        ui::Beep("no placeholder");
        return;
    }
    SwitchCurrentLayer(window.document(), layer);
    window.outlineCurrentLayer(true);
    // A click on the lettering then opens it for editing.
    if (window.document().layers[std::size_t(layer)].kind == LAYER_TEXT)
        documents_.chooseTool(tool_id::kText);
    window.update();
    documents_.documentEdited(window);
}

void ProjectScreens::stepPlaceholder(int step)
{
    ImageWindow* window = projectWindow();
    if (!window) {
        ui::Beep("no project open");
        return;
    }
    documents_.activate(*window);
    showPlaceholder(*window, StepPlaceholder(window->document(), window->document().currentLayer, step));
    logState();
}

void ProjectScreens::placePhoto()
{
    if (!projectWindow()) {
        ui::Beep("no project open");
        return;
    }
    const auto chosen = PickFromAlbum(&window_, QStringLiteral("photo picker"), StringText(kPlacePhotoString),
                                      openAlbum_.file(), &catalogue_, hooks_);
    if (chosen)
        dropPhoto(*chosen);
}

bool ProjectScreens::dropPhoto(const std::string& path)
{
    ImageWindow* window = projectWindow();
    if (!window) {
        ui::Beep("no project open");
        return false;
    }
    documents_.activate(*window);
    PhotoDrop drop;
    {
        // The end of the busy spell also takes the resampling's progress away.
        ui::BusyCursor busy;
        drop = DropPhoto(window->document(), path, project_->templatePath);
    }
    if (drop.dropped) {
        if (drop.year || drop.month) {
            calendar_.adopt(drop.year.value_or(calendar_.year()), drop.month.value_or(calendar_.month()));
            showCalendarFields();
        }
        window->apply(ToolResult::Document());
    }
    LV_TEST_LOG(hooks_, QStringLiteral("project drop %1").arg(drop.dropped ? "ok" : "failed"));
    logState();
    return drop.dropped;
}

bool ProjectScreens::placeDroppedPhoto(const ImageWindow& window, const std::string& path)
{
    if (&window != projectWindow())
        return false;
    if (!dropPhoto(path))
        return true;  // told already; a full-size layer over the page is not what was meant
    const int screen = project_->screen;
    QTimer::singleShot(0, &window_, [this, screen] {
        if (project_ && screen_ != screen)
            window_.switchScreen(screen);
    });
    return true;
}

bool ProjectScreens::dropFileAt(const QPoint& point, const std::string& path)
{
    ImageWindow* window = screen_ >= 0 ? projectWindow() : nullptr;
    if (!window || !window->isVisible())
        return false;
    const QWidget* under = window_.childAt(point);
    if (!under || (under != window && !window->isAncestorOf(under)))
        return false;  // another picture lies over the page there
    const QPoint client = window->mapFrom(&window_, point) - QPoint(0, kCaptionHeight);
    if (client.y() < 0)
        return false;
    const int box = PhotoBoxAt(window->document(), window->view().documentPoint(client.x(), client.y()));
    if (box < 0)
        return false;
    showPlaceholder(*window, box);
    dropPhoto(path);  // an unreadable file is told; it is not opened as a picture either
    return true;
}

void ProjectScreens::saveProject()
{
    ImageWindow* window = projectWindow();
    if (!window) {
        ui::Beep("no project open");
        return;
    }
    documents_.activate(*window);
    ProfileStore store(ConfigFilePath());
    Settings settings(store);
    const std::string title = window->title();
    bool saved = false;
    // Only the layered type keeps a project's text and template layers apart.
    if (!IsUntitledTitle(title) && SaveTypeOfName(title, 0) == kSaveAsLayered) {
        saved = documents_.save(*window);
    } else {
        const std::filesystem::path folder =
            ProjectFolderToPropose(settings.get(setting::kLastProjectFolder), UserPicturesFolder());
        const std::filesystem::path proposed =
            folder / std::filesystem::path(title).filename().replace_extension(".vlf");
        LV_TEST_LOG(hooks_, QStringLiteral("project proposes %1").arg(QtText(proposed.string())));
        saved = documents_.saveAs(*window, proposed.string(), kSaveAsLayered);
    }
    if (saved)
        settings.userSetString(setting::kLastProjectFolder.name,
                               std::filesystem::path(window->title()).parent_path().string());
    LV_TEST_LOG(hooks_, saved ? QStringLiteral("project saved %1").arg(QtText(window->title()))
                              : QStringLiteral("project not saved"));
}

void ProjectScreens::printProject()
{
    ImageWindow* window = projectWindow();
    if (!window) {
        ui::Beep("no project open");
        return;
    }
    documents_.activate(*window);
    printing_.printSingleImage();
}

void ProjectScreens::stepYear(int step)
{
    const int year = std::clamp(calendar_.year() + step, kFirstCalendarYear, kLastCalendarYear);
    ImageWindow* window = project_ && project_->screen == kCalendarScreen ? projectWindow() : nullptr;
    calendarChanged(calendar_.setYear(year, window ? &window->document() : nullptr,
                                      window ? project_->templatePath : std::string()));
}

void ProjectScreens::stepMonth(int step)
{
    const int month = ((calendar_.month() - 1 + step) % 12 + 12) % 12 + 1;
    ImageWindow* window = project_ && project_->screen == kCalendarScreen ? projectWindow() : nullptr;
    calendarChanged(calendar_.setMonth(month, window ? &window->document() : nullptr,
                                       window ? project_->templatePath : std::string()));
}

void ProjectScreens::calendarChanged(CalendarChange change)
{
    if (change == CalendarChange::Unchanged)
        return;
    showCalendarFields();
    if (change == CalendarChange::Refilled || change == CalendarChange::RefillStopped)
        if (ImageWindow* window = projectWindow())
            window->apply(ToolResult::Document());
    logState();
}

void ProjectScreens::showCalendarFields()
{
    SkinPanelWidget* panel = window_.skin() ? window_.skin()->panelAt(1) : nullptr;
    if (!panel || screen_ != kCalendarScreen)
        return;
    panel->setControlText(kYearField, QString::number(calendar_.year()));
    panel->setControlText(kMonthField, QtText(calendar_.monthName()));
}

void ProjectScreens::logState() const
{
    if (!hooks_.enabled())
        return;
    std::ostringstream line;
    line << "project screen=" << screen_ << " year=" << calendar_.year() << " month=" << calendar_.month();
    const SkinPanelWidget* panel = window_.skin() ? window_.skin()->panelAt(1) : nullptr;
    if (panel && screen_ == kCalendarScreen)
        line << " fields=[" << panel->controlText(kYearField).toStdString() << "|"
             << panel->controlText(kMonthField).toStdString() << "]";
    if (const ImageWindow* window = projectWindow()) {
        const LayerStack& doc = window->document();
        line << " window=" << window->id() << " layer=" << doc.currentLayer << " modified=" << doc.modified
             << " template=[" << project_->templatePath << "]";
    }
    LV_TEST_LOG(hooks_, QString::fromStdString(line.str()));
}

}  // namespace lv::app
