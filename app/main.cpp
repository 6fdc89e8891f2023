// Lumivista 2000.

#include "app/acquire/acquisition.h"
#include "app/acquire/screen_capture_page.h"
#include "app/acquire/video_capture_page.h"
#include "app/album/album_page.h"
#include "app/editing/document_windows.h"
#include "app/output/print_pages.h"
#include "app/projects/orientation_tool.h"
#include "app/projects/panorama_feature.h"
#include "app/projects/project_screens.h"
#include "app/shell/program_fonts.h"
#include "app/shell/program_language.h"
#include "app/recovery/recovery_service.h"
#include "app/start/shell_application.h"
#include "app/shell/test_hooks.h"
#include "app/sharing/internet_pages.h"
#include "app/sharing/links_page.h"
#include "app/sharing/sharing_feature.h"
#ifdef LV_TEST_DRIVER
#include "app/shell/dialog_shown_log.h"
#include "app/testing/test_driver.h"
#endif

#include <QApplication>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The HEVC encoder (x265, under libheif) keeps one buffer for the life of the process; the
// leak checker of the sanitizer builds is told so (the symbol means nothing elsewhere).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:x265_malloc\n";
}

int main(int argc, char** argv)
{
    lv::app::UseProgramFonts();
    QApplication application(argc, argv);  // takes its own options out of argv
    application.setApplicationName(QStringLiteral("Lumivista 2000"));
    application.setQuitOnLastWindowClosed(false);  // the main window's shutdown ends the program
    lv::app::UseBrazilianPortuguese(application);

    const lv::app::TestHooks hooks = lv::app::TestHooks::FromEnvironment();
#ifdef LV_TEST_DRIVER
    const lv::app::DialogShownLog dialogsShown(hooks);
#endif
    lv::app::DocumentWindows documents(hooks);
    lv::app::OpenAlbum openAlbum;
    lv::app::RecoveryService recovery(documents, hooks);
    lv::app::ShellApplication shell(application, std::vector<std::string>(argv + 1, argv + argc), hooks, documents,
                                    documents);
    shell.setOpenAlbum(openAlbum);
    lv::app::Acquisition acquisition(documents, hooks);
    lv::app::VideoCapturePage video(acquisition, hooks);
    lv::app::ScreenCapturePage screenShots(acquisition, hooks);
    std::unique_ptr<lv::sharing::SharingFeature> sharing;
    std::unique_ptr<lv::app::LinksPage> links;
    std::unique_ptr<lv::app::InternetPages> internet;
    lv::app::PrintPages printing(hooks, openAlbum);
    lv::app::ImageWindowsForAlbum albumDocuments(documents);
    std::unique_ptr<lv::app::AlbumLibrary> albums;
    std::unique_ptr<lv::app::AlbumPage> albumPage;
    std::unique_ptr<lv::app::ProjectScreens> projects;
    std::unique_ptr<lv::app::OrientationTool> orientation;
    std::unique_ptr<lv::app::PanoramaFeature> panorama;
    shell.setMainWindowCreated([&](lv::app::MainWindow& window) {
        documents.attach(window);
        window.setOpenAlbum(&openAlbum);
        acquisition.attach(window, shell.filters());
        video.attach(window);
        screenShots.attach(window);
        sharing = std::make_unique<lv::sharing::SharingFeature>(window, documents, shell.storeLibrary(), openAlbum,
                                                                 hooks);
        links = std::make_unique<lv::app::LinksPage>(window, hooks);
        internet = std::make_unique<lv::app::InternetPages>(window, documents, openAlbum, hooks, shell.storeLibrary(),
                                                            [&sharing] { return sharing->login(); });
        printing.attach(window, documents);
        albums = std::make_unique<lv::app::AlbumLibrary>();
        albumPage = std::make_unique<lv::app::AlbumPage>(window, albumDocuments, hooks, *albums, openAlbum);
        projects = std::make_unique<lv::app::ProjectScreens>(window, documents, printing, albums->catalogue,
                                                                  openAlbum, hooks);
        orientation = std::make_unique<lv::app::OrientationTool>(window, openAlbum, albums->openAlbum, hooks);
        panorama = std::make_unique<lv::app::PanoramaFeature>(window, documents, albums->openAlbum, openAlbum, hooks);
        albumDocuments.setProjectPlacer([&](lv::app::ImageWindow& picture, const std::string& path) {
            return projects && projects->placeDroppedPhoto(picture, path);
        });
        acquisition.setOpenAlbum([&] { return albumPage && albumPage->takesAcquiredPhotos(); },
                                 [&](const std::string& path, const lv::HDIB& picture, std::string_view caption) {
                                     return albumPage && albumPage->addAcquiredPhoto(path, picture, caption);
                                 });
        recovery.attach(window);
    });
#ifdef LV_TEST_DRIVER
    shell.setTestCommandHandler(
        lv::app::TestCommandChain({documents, acquisition, video, screenShots, albumPage, projects, recovery, internet,
                                  orientation}));
#endif
    const int status = shell.run();
    acquisition.detach(shell.filters());
    return status;
}
