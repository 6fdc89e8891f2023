// Pictures of the printing pages for the README, drawn offscreen:
//   print-screenshots OUTDIR ALBUM.abm PHOTO
// writes single-picture.png, layout-page.png, labels.png, contact-sheet.png and
// contact-sheet-preview.png (page 1 of the album's sheet, as the preview shows it).

#include "app/output/contact_sheet_dialog.h"
#include "app/output/layout_page_dialog.h"
#include "app/output/print_preview_dialog.h"
#include "app/output/single_picture_dialog.h"
#include "album/album.h"
#include "common/program_paths.h"
#include "output/print/print_photo_loader.h"
#include "output/qt_print/qt_printer.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

bool save(QWidget& widget, const std::string& folder, const char* name)
{
    widget.adjustSize();
    widget.resize(widget.sizeHint().expandedTo(widget.size()));
    const bool ok = widget.grab().save(QString::fromStdString((std::filesystem::path(folder) / name).string()));
    std::printf("%s %s\n", ok ? "wrote" : "could not write", name);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: print-screenshots OUTDIR ALBUM.abm PHOTO\n");
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!std::getenv("FONTCONFIG_FILE"))
        ::setenv("FONTCONFIG_FILE", lv::ProgramFile("fonts.conf").c_str(), 1);
    QApplication application(argc, argv);
    const std::string out = argv[1], albumFile = argv[2], photo = argv[3];
    std::filesystem::create_directories(out);

    lv::album::Album album;
    album.read(albumFile);
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < album.count(); ++i)
        paths.push_back(album.absolutePath(int(i), lv::ProgramDir()));

    lv::HDIB picture = lv::print::LoadPhotoForPrint(photo, 1600, 1600);
    lv::app::SinglePictureDialog single(nullptr, picture, std::filesystem::path(photo).filename().string());
    single.options().frame = true;
    single.options().text = true;
    single.options().content = "Férias de verão";
    single.options().points = 28;
    single.optionsChanged();
    bool ok = save(single, out, "single-picture.png");

    lv::print::LayoutPage page;
    lv::app::LayoutPageSources sources;
    sources.albumFile = albumFile;
    lv::app::LayoutPageDialog layout(nullptr, page, lv::print::kMixedPhotos, sources);
    layout.findChild<QComboBox*>("lead")->setCurrentIndex(
        layout.findChild<QComboBox*>("lead")->findText(QStringLiteral("3 × 2 pol")));
    for (std::size_t i = 0; i < page.slotList().size() && i < paths.size(); ++i)
        layout.placePhoto(paths[i]);
    page.setCurrent(0);
    layout.pageChanged();
    ok = save(layout, out, "layout-page.png") && ok;

    lv::print::LayoutPage labelsPage;
    lv::app::LayoutPageDialog labels(nullptr, labelsPage, lv::print::kLabelLayout, sources);
    labels.chooseProduct(6);
    for (int i = 0; i < 10 && !paths.empty(); ++i)
        labels.placePhoto(paths[std::size_t(i) % paths.size()]);
    ok = save(labels, out, "labels.png") && ok;

    lv::app::ContactSheetDialog sheet(nullptr, albumFile);
    sheet.setSettings({1, 0, true});
    ok = save(sheet, out, "contact-sheet.png") && ok;

    const lv::print::ContactSheetSettings settings = sheet.settings();
    const lv::print::PrinterMetrics metrics = lv::print::ProcessPrinter().metrics(lv::print::Orientation::Portrait);
    const lv::print::ContactSheetLayout plan = lv::print::PlanContactSheet(settings, metrics, int(paths.size()));
    lv::app::PrintPreviewDialog preview(nullptr, QStringLiteral("Visualizar impressão"), metrics, plan.pages,
                                        [&](lv::print::PrintSurface& surface, int index) {
                                            lv::print::DrawContactSheetPage(surface, plan, settings, paths, index,
                                                                            lv::print::LoadPhotoForPrint);
                                        });
    ok = save(preview, out, "contact-sheet-preview.png") && ok;
    return ok ? 0 : 1;
}
