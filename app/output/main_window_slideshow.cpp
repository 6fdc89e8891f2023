// The slide show command: the settings dialog over the user's albums, then the show of the
// album chosen, with the main window's periodic tick held while it runs.

#include "app/shell/main_window.h"

#include "album/catalogue.h"
#include "common/program_paths.h"
#include "common/settings.h"
#include "app/output/slideshow_settings_dialog.h"
#include "output/album_slides.h"
#include "app/output/present_window.h"

#include <QListWidget>
#include <QTimer>

#include <filesystem>

namespace lv::app {
namespace {

QString PixelText(std::uint32_t pixel)
{
    return QStringLiteral("#%1").arg(pixel & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return a == b || std::filesystem::equivalent(a, b, ec);
}

// The row of the user's album that is the open album; -1 when it is none of them.
int OpenAlbumRow(const album::AlbumCatalogue& catalogue, const std::string& openFile)
{
    for (int i = 0; i < catalogue.count(kUserAlbumCategory); ++i)
        if (SameFile(catalogue.albumPath(kUserAlbumCategory, i), openFile))
            return i;
    return -1;
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
    const std::string openFile = openAlbum_ ? openAlbum_->file() : std::string();
    int openRow = openFile.empty() ? -1 : OpenAlbumRow(catalogue, openFile);
    // An album opened from elsewhere (the command line, a file manager) is offered after the
    // user's own, under its file's name.
    std::error_code ec;
    if (openRow < 0 && !openFile.empty() && std::filesystem::is_regular_file(openFile, ec)) {
        dialog.albums()->addItem(QString::fromStdString(std::filesystem::path(openFile).stem().string()));
        openRow = dialog.albums()->count() - 1;
    }
    if (openRow >= 0)
        dialog.albums()->setCurrentRow(openRow);
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
    // The open album is read afresh: the page writes the photos it added a moment ago first.
    const std::string path = album < 0 ? std::string()
                             : album == openRow ? openAlbum_->file()
                                                : catalogue.albumPath(kUserAlbumCategory, album);
    PresentWindow* show = OpenSlideShow(AlbumFileSlideReader(ProgramDir()), path, std::move(setup), this);
    setSlideShowWindow(show);
    if (!show)
        return;
    const QRect g = show->geometry();
    LV_TEST_LOG(hooks_, QStringLiteral("slideshow window %1 %2 %3 %4 album=%5")
                            .arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height())
                            .arg(QString::fromStdString(path)));
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
