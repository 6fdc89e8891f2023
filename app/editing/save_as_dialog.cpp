#include "app/editing/save_as_dialog.h"

#include "app/core/documents/document_files.h"
#include "app/core/numbered_text.h"
#include "app/shell/dialog_help.h"
#include "app/editing/file_dialog_filters.h"
#include "app/editing/file_dialog_preview.h"
#include "common/failure_notices.h"
#include "common/ui_service.h"
#include "app/widgets/qt_text.h"
#include "imagelib/codecs/save_as.h"
#include "imagelib/codecs/save_as_names.h"
#include "imagelib/codecs/save_options.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>

#include <filesystem>

namespace lv::app {
namespace {

constexpr int kQualityString = 2504;
constexpr int kInterlaceString = 2615;

}  // namespace

SaveAsDialog::SaveAsDialog(QWidget* parent, const std::string& currentName, int layerCount, int proposedType)
    : QFileDialog(parent, QStringLiteral("Salvar como"))
    , layerCount_(layerCount)
{
    setObjectName(QStringLiteral("saveas"));
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontConfirmOverwrite);  // asked in accept(), in the program's words
    setAcceptMode(QFileDialog::AcceptSave);
    setNameFilters(NameFilters(SaveAsFilters()));
    // The type first: choosing a type gives the name in the field that type's extension, which
    // would turn the picture's own "Praia.JPG" into another file, "Praia.jpg".
    const int type = proposedType > 0 ? proposedType : InitialSaveAsType(currentName, layerCount, CurrentSaveType());
    const QStringList filters = nameFilters();
    if (type >= 1 && type <= filters.size())
        selectNameFilter(filters[type - 1]);
    const std::filesystem::path current(currentName);
    if (current.has_parent_path())
        setDirectory(QString::fromStdString(current.parent_path().string()));
    selectFile(QString::fromStdString(current.filename().string()));

    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    firstCheck_ = new QCheckBox(QStringLiteral("&Comprimir"), panel);
    firstCheck_->setObjectName(QStringLiteral("1403"));
    qualityLabel_ = new QLabel(panel);
    qualityLabel_->setObjectName(QStringLiteral("1404"));
    qualityBar_ = new QScrollBar(Qt::Horizontal, panel);
    qualityBar_->setObjectName(QStringLiteral("1405"));
    qualityBar_->setRange(1, 100);
    qualityBar_->setSingleStep(1);
    qualityBar_->setPageStep(10);
    qualityBar_->setMinimumWidth(160);
    secondCheck_ = new QCheckBox(QStringLiteral("&Transparente"), panel);
    secondCheck_->setObjectName(QStringLiteral("1406"));
    losslessCheck_ = new QCheckBox(QStringLiteral("Sem &perdas"), panel);
    losslessCheck_->setObjectName(QStringLiteral("lossless"));
    qualityLabel_->setBuddy(qualityBar_);
    // Off at every opening: the choice is for this file, not a setting.
    personalCheck_ = new QCheckBox(QStringLiteral("Remover informações pessoais"), panel);
    personalCheck_->setObjectName(QStringLiteral("personal"));
    row->addWidget(firstCheck_);
    row->addWidget(secondCheck_);
    row->addWidget(losslessCheck_);
    row->addWidget(qualityLabel_);
    row->addWidget(qualityBar_, 1);
    row->addWidget(personalCheck_);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(panel, grid->rowCount(), 0, 1, grid->columnCount());

    AddPicturePreview(*this);
    UseDialogHelp(*this, skin::kSaveAsDialog);

    connect(qualityBar_, &QScrollBar::valueChanged, this, [this](int value) { setQuality(value); });
    // A lossless file has no quality to choose.
    connect(losslessCheck_, &QCheckBox::toggled, this, [this](bool lossless) { qualityBar_->setEnabled(!lossless); });
    connect(this, &QFileDialog::filterSelected, this, [this] { showOptionsFor(selectedType()); });

    qualityBar_->setValue(CurrentSaveOptions().jpegQuality);
    setQuality(CurrentSaveOptions().jpegQuality);
    showOptionsFor(type);
}

int SaveAsDialog::selectedType() const
{
    return int(nameFilters().indexOf(selectedNameFilter())) + 1;
}

void SaveAsDialog::setQuality(int quality)
{
    qualityLabel_->setText(QtText(NumberedText(kQualityString, ClampJpegQuality(quality))));
}

void SaveAsDialog::showOptionsFor(int type)
{
    const SaveOptions& options = CurrentSaveOptions();
    const bool compress = type == kSaveAsTiff || type == kSaveAsTarga;
    const bool gif = type == kSaveAsGif;
    const bool jpeg = type == kSaveAsJpeg || (type >= kSaveAsWebp && type <= kSaveAsHeic);
    const bool lossless = type == kSaveAsWebp || type == kSaveAsJxl;
    firstCheck_->setVisible(compress || gif);
    firstCheck_->setText(gif ? StringText(kInterlaceString) : QStringLiteral("&Comprimir"));
    firstCheck_->setChecked(gif ? options.interlace : options.compress);
    secondCheck_->setVisible(gif);
    secondCheck_->setChecked(options.transparent);
    qualityLabel_->setVisible(jpeg);
    qualityBar_->setVisible(jpeg);
    losslessCheck_->setVisible(lossless);
    losslessCheck_->setChecked(lossless && options.lossless);
    qualityBar_->setEnabled(!losslessCheck_->isChecked());
    personalCheck_->setVisible(type == kSaveAsJpeg || type == kSaveAsTiff || type == kSaveAsPng);
}

std::optional<SaveAsChoice> SaveAsDialog::choice() const
{
    const QStringList files = selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    SaveAsTarget target = ResolveSaveAsName(files.first().toStdString(), selectedType());
    return SaveAsChoice{std::move(target.path), target.type, personalCheck_->isChecked()};
}

void SaveAsDialog::storeOptions(int type)
{
    SaveOptions& options = CurrentSaveOptions();
    if (type == kSaveAsTiff || type == kSaveAsTarga) {
        options.compress = firstCheck_->isChecked();
    } else if (type == kSaveAsGif) {
        options.interlace = firstCheck_->isChecked();
        options.transparent = secondCheck_->isChecked();
    } else if (type == kSaveAsJpeg || (type >= kSaveAsWebp && type <= kSaveAsHeic)) {
        options.jpegQuality = ClampJpegQuality(qualityBar_->value());
        if (type == kSaveAsWebp || type == kSaveAsJxl)
            options.lossless = losslessCheck_->isChecked();
    }
}

void SaveAsDialog::accept()
{
    const auto chosen = choice();
    std::error_code error;
    // No name yet, or a folder's: Qt's own behaviour (nothing, or into the folder).
    if (!chosen || std::filesystem::is_directory(selectedFiles().first().toStdString(), error)) {
        QFileDialog::accept();
        return;
    }
    if (chosen->saveType == 0) {
        ShowFailureNotices(UnknownSaveFormat(chosen->path));
        return;
    }
    const int type = chosen->saveType;
    if (!AcceptSaveAsType(type, layerCount_))
        return;
    // Replacing a file is asked before anything is written; "Não" goes back to the dialog.
    if (!ConfirmReplacing(chosen->path))
        return;
    // The panel shows the list's type: a typed extension of another type keeps that type's options.
    if (type == selectedType())
        storeOptions(type);
    CurrentSaveType() = type;
    QFileDialog::accept();
}

bool ConfirmReplacing(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status) || std::filesystem::is_directory(status))
        return true;
    const std::string question = "O arquivo " + path + " já existe. Deseja substituí-lo?";
    return ui::Current().ask(question, ui::kProductTitle, ui::Buttons::YesNo, ui::Icon::Question) == ui::Answer::Yes;
}

std::optional<SaveAsChoice> RunSaveAsDialog(QWidget* parent, const std::string& currentName, int layerCount, int type)
{
    SaveAsDialog dialog(parent, currentName, layerCount, type);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

}  // namespace lv::app
