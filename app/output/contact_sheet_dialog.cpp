#include "app/output/contact_sheet_dialog.h"

#include "album/album.h"
#include "common/beep.h"
#include "common/program_paths.h"
#include "app/output/print_failure.h"
#include "app/output/calibration_dialog.h"
#include "app/output/print_preview_dialog.h"
#include "common/ui_service.h"
#include "output/print/print_photo_loader.h"
#include "output/qt_print/qt_printer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

namespace lv::app {
namespace {

// The spacing choices by what they do (the table's columns 0 to 3).
const char* const kSpacingNames[4] = {"Estreito", "Largo", "Sem espaço", "Médio"};

}  // namespace

ContactSheetDialog::ContactSheetDialog(QWidget* parent, std::string albumFile)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("contactsheet"));
    setWindowTitle(QStringLiteral("Folha de contatos"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    album_ = new QLabel(this);
    album_->setWordWrap(true);
    auto* choose = new QPushButton(QStringLiteral("Escolher álbum…"), this);
    size_ = new QComboBox(this);
    size_->setObjectName(QStringLiteral("size"));
    for (int s = 0; s < 3; ++s)
        size_->addItem(QString::fromStdString(print::ThumbnailSizeName(s)));
    size_->setCurrentIndex(1);
    spacing_ = new QComboBox(this);
    spacing_->setObjectName(QStringLiteral("spacing"));
    for (const char* name : kSpacingNames)
        spacing_->addItem(QString::fromUtf8(name));
    captions_ = new QCheckBox(QStringLiteral("Nomes dos arquivos sob as fotos"), this);
    captions_->setObjectName(QStringLiteral("captions"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    form->addRow(QStringLiteral("Álbum:"), album_);
    form->addRow(QString(), choose);
    form->addRow(QStringLiteral("Tamanho das fotos:"), size_);
    form->addRow(QStringLiteral("Espaçamento:"), spacing_);
    form->addRow(QString(), captions_);
    form->addRow(QString(), summary_);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* calibration = buttons->addButton(QStringLiteral("Calibração…"), QDialogButtonBox::ActionRole);
    QPushButton* print = buttons->addButton(QStringLiteral("Visualizar e imprimir…"), QDialogButtonBox::AcceptRole);
    print->setDefault(true);
    buttons->addButton(QStringLiteral("Fechar"), QDialogButtonBox::RejectRole);
    // Enter prints wherever the focus is, even on "Escolher álbum…", the first control.
    choose->setAutoDefault(false);
    calibration->setAutoDefault(false);
    layout->addWidget(buttons);

    connect(size_, &QComboBox::currentIndexChanged, this, [this] { update(); });
    connect(spacing_, &QComboBox::currentIndexChanged, this, [this] { update(); });
    connect(captions_, &QCheckBox::toggled, this, [this] { update(); });
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Escolher álbum"),
                                                          QString::fromStdString(albumFile_),
                                                          QStringLiteral("Álbuns (*.abm *.ABM)"));
        if (!file.isEmpty())
            useAlbum(file.toStdString());
    });
    connect(calibration, &QPushButton::clicked, this, [this] {
        CalibrationDialog dialog(this);
        dialog.exec();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (printWithPreview())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    useAlbum(albumFile);
}

bool ContactSheetDialog::useAlbum(const std::string& file)
{
    albumFile_ = file;
    photos_.clear();
    album::Album album;
    if (album.read(file) || !album.empty())
        for (std::size_t i = 0; i < album.count(); ++i)
            photos_.push_back(album.absolutePath(int(i), ProgramDir()));
    album_->setText(QString::fromStdString(std::filesystem::path(file).filename().string()));
    update();
    return !photos_.empty();
}

print::ContactSheetSettings ContactSheetDialog::settings() const
{
    return {size_->currentIndex(), spacing_->currentIndex(), captions_->isChecked()};
}

void ContactSheetDialog::setSettings(const print::ContactSheetSettings& s)
{
    size_->setCurrentIndex(s.size);
    spacing_->setCurrentIndex(s.spacing);
    captions_->setChecked(s.captions);
}

QString ContactSheetDialog::summary() const
{
    return summary_->text();
}

void ContactSheetDialog::update()
{
    const print::ContactSheetLayout l = print::PlanContactSheet(
        settings(), print::ProcessPrinter().metrics(print::Orientation::Portrait), int(photos_.size()));
    summary_->setText(photos_.empty() ? QStringLiteral("O álbum não tem fotos.")
                                      : QStringLiteral("%1 fotos, %2 × %3 por página, %4 página(s)")
                                            .arg(photos_.size())
                                            .arg(l.columns)
                                            .arg(l.rows)
                                            .arg(l.pages));
}

bool ContactSheetDialog::printWithPreview()
{
    if (photos_.empty()) {
        ui::Beep("empty album");
        return false;
    }
    print::PrinterConnector& printer = print::ProcessPrinter();
    const print::ContactSheetSettings s = settings();
    const print::PrinterMetrics metrics = printer.metrics(print::Orientation::Portrait);
    const print::ContactSheetLayout layout = print::PlanContactSheet(s, metrics, int(photos_.size()));
    const print::PhotoLoader previewLoader = [](const std::string& path, int w, int h) {
        return print::LoadPhotoForPrint(path, w, h);
    };
    const std::optional<int> copies =
        ConfirmWithPreview(this, QStringLiteral("Visualizar impressão"), metrics, layout.pages,
                           [&](print::PrintSurface& surface, int page) {
                               print::DrawContactSheetPage(surface, layout, s, photos_, page, previewLoader);
                           });
    if (!copies)
        return false;
    print::PhotoPrefetcher prefetch(photos_, layout.thumbWidth, layout.thumbHeight, print::PrefetchThreads(),
                                    print::PrefetchAhead());
    if (!print::PrintContactSheet(printer, s, photos_, prefetch.loader(), *copies)) {
        TellPrintingFailed();
        return false;
    }
    return true;
}

}  // namespace lv::app
