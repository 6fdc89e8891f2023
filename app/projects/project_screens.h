#pragma once
// The project screens: 19 "Cartões", 20 "Calendário" and 21 "Molduras". "Modelo" picks a
// template from the screen's gallery (a system album) and opens it as a new untitled
// document; "Anterior" and "Próximo" make the previous or next placeholder the current layer,
// outlined in its window; "Colocar foto" drops an album photo into it; a text placeholder is
// edited with the text tool. The calendar screen keeps the year (field 179) and the month
// (field 178), and a change refills the calendar's pieces. Leaving a changed template, or
// choosing another, asks "Deseja manter o modelo atual?".

#include "app/shell/test_hooks.h"
#include "app/shell/screen_features.h"
#include "app/projects/project_file_drop.h"
#include "projects/calendar_selection.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>

namespace lv::album {
class AlbumCatalogue;
}

namespace lv::app {

class DocumentWindows;
class ImageWindow;
class MainWindow;
class OpenAlbum;
class PrintPages;

inline constexpr int kCardScreen = 19;
inline constexpr int kCalendarScreen = 20;
inline constexpr int kFrameScreen = 21;
inline constexpr int kYearField = 179;
inline constexpr int kMonthField = 178;
inline constexpr int kProjectBaseString = 7450;       // "Projeto-Sem título"
inline constexpr int kTemplateGalleryString = 7451;   // the template picker's title
inline constexpr int kPlacePhotoString = 7452;        // the photo picker's title

// The album category whose system albums hold a screen's templates; −1 for other screens.
int TemplateCategoryOf(int screen);

class ProjectScreens final : public ScreenCode {
public:
    ProjectScreens(MainWindow& window, DocumentWindows& documents, PrintPages& printing,
                   album::AlbumCatalogue& catalogue, const OpenAlbum& openAlbum, const TestHooks& hooks);
    ~ProjectScreens() override;

    // ScreenCode
    void shown(int screen) override;
    void leaving(int screen) override;

    void chooseTemplate();
    // Opens a template as the screen's new project; false when it could not be read or the
    // user kept the current one open by cancelling.
    bool openTemplate(const std::string& path);
    void placePhoto();
    bool dropPhoto(const std::string& path);
    // A photo dropped on a picture from the album: the project's picture takes it into its
    // current photo box, as "Colocar foto" does, and its screen shows. False for other pictures.
    bool placeDroppedPhoto(const ImageWindow& window, const std::string& path);
    // A file from the desktop dropped at `point` (the main window's coordinates) on a photo
    // box of the page shown fills that box. False when it fell elsewhere.
    bool dropFileAt(const QPoint& point, const std::string& path);
    void stepPlaceholder(int step);
    void saveProject();
    void printProject();
    void stepYear(int step);
    void stepMonth(int step);

    const CalendarSelection& calendar() const { return calendar_; }
#ifdef LV_TEST_DRIVER
    // Test commands on the program's socket; false when the command is not one of these.
    bool handleTestCommand(const QString& command);
#endif

private:
    struct Project {
        int window = 0;
        std::string templatePath;
        int screen = 0;
    };

    ImageWindow* projectWindow() const;
    bool projectChanged() const;
    // A changed project before another template opens: false on "Cancelar". "Não" drops it.
    bool settleChangedProject();
    void forgetProject();
    void showPlaceholder(ImageWindow& window, int layer);
    void showCalendarFields();
    void calendarChanged(CalendarChange change);
    void logState() const;

    MainWindow& window_;
    DocumentWindows& documents_;
    PrintPages& printing_;
    album::AlbumCatalogue& catalogue_;
    const OpenAlbum& openAlbum_;
    const TestHooks& hooks_;
    CalendarSelection calendar_;
    std::optional<Project> project_;
    int screen_ = -1;
    // The switch's question while it leaves a template screen: asked, and answered "Sim".
    bool asked_ = false;
    bool kept_ = false;
    std::unique_ptr<ProjectFileDrop> fileDrop_;
};

}  // namespace lv::app
