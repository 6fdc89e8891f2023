#include "app/editing/open_dialog.h"

#include "app/shell/dialog_help.h"
#include "app/editing/file_dialog_filters.h"
#include "app/editing/file_dialog_preview.h"

namespace lv::app {

OpenDialog::OpenDialog(QWidget* parent, bool allImages, const std::string& folder)
    : QFileDialog(parent, QStringLiteral("Abrir"), QString::fromStdString(folder))
{
    setObjectName(QStringLiteral("open"));
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilters(NameFilters(allImages ? OpenAllImageFilters() : OpenStillImageFilters()));
    AddPicturePreview(*this);
    UseDialogHelp(*this, skin::kOpenDialog);
}

std::string RunOpenDialog(QWidget* parent, bool allImages, const std::string& folder)
{
    OpenDialog dialog(parent, allImages, folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace lv::app
