// The slide show command: the settings dialog over the user's albums, then the show of the
// album chosen, with the main window's periodic tick held while it runs.

#include "app/shell/main_window.h"

#include "album/catalogue.h"
#include "common/program_paths.h"
#include "common/settings.h"
#include "app/output/slideshow_settings_dialog.h"
#include "output/album_slides.h"
#include "app/output/present_window.h"

#include <QTimer>

namespace lv::app {
namespace {

QString PixelText(std::uint32_t pixel)
{
    return QStringLiteral("#%1").arg(pixel & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

}  // namespace

void MainWindow::runSlideShow(bool start)
{
    if (slideShow_)
        return;
    // Read afresh: the album page writes every change to the catalogue at once.
    album::ProfileCatalogueStore catalogueStore(ConfigFilePath(), ProgramFile(album::kSystemCatalogueFile));
    const album::AlbumCatalogue catalogue(catalogueStore, ProgramDir(), WritableProgramDir(album::kUserAlbumsFolder));
    ProfileStore store(ConfigFilePath());
    Settings config(store);
    SlideShowSettings& settings = CurrentSlideShowSettings();

    SlideShowSettingsDialog dialog(this, catalogue, settings, config);
    if (hooks_.enabled())
        QTimer::singleShot(0, &dialog, [this, &dialog] {
            LV_TEST_LOG(hooks_, QStringLiteral("dialog %1 album=%2").arg(dialog.objectName()).arg(dialog.album()));
        });
    if (dialog.exec() != QDialog::Accepted || !start)
        return;
    LV_TEST_LOG(hooks_, QStringLiteral("slideshow settings display=%1 repeat=%2 transition=%3")
                            .arg(settings.displayTime)
                            .arg(int(settings.repeat))
                            .arg(QString::fromStdString(settings.workingName())));

    PresentWindowSetup setup;
    setup.settings = settings;
    setup.stopMainTimer = [this] { pausePeriodicTick(); };
    setup.startMainTimer = [this](int firstMs) { resumePeriodicTick(firstMs); };
    if (hooks_.enabled())
        setup.slideDrawn = [this](int index, const ScreenBitmap& screen) {
            LV_TEST_LOG(hooks_, QStringLiteral("slideshow slide %1 centre=%2")
                                    .arg(index)
                                    .arg(PixelText(screen.pixel(screen.width() / 2, screen.height() / 2))));
        };
    const int album = dialog.album();
    const std::string path = album >= 0 ? catalogue.albumPath(kUserAlbumCategory, album) : std::string();
    PresentWindow* show = OpenSlideShow(AlbumFileSlideReader(ProgramDir()), path, std::move(setup), this);
    setSlideShowWindow(show);
    if (!show)
        return;
    connect(show, &QObject::destroyed, this, [this] {
        activateWindow();
        LV_TEST_LOG(hooks_, QStringLiteral("slideshow closed"));
    });
}

void MainWindow::pausePeriodicTick()
{
    imageTickTimer_.stop();
    LV_TEST_LOG(hooks_, QStringLiteral("timer %1 stopped").arg(kImageTickTimer));
}

void MainWindow::resumePeriodicTick(int firstMs)
{
    imageTickTimer_.start(firstMs);
    LV_TEST_LOG(hooks_, QStringLiteral("timer %1 started %2").arg(kImageTickTimer).arg(firstMs));
}

}  // namespace lv::app
