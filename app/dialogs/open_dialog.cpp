#include "app/dialogs/open_dialog.h"

#include "app/dialogs/file_dialog_filters.h"

#include <QFileDialog>

namespace lv::app {

std::string RunOpenDialog(QWidget* parent, bool allImages, const std::string& folder)
{
    QFileDialog dialog(parent, QStringLiteral("Abrir"), QString::fromStdString(folder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(NameFilters(allImages ? OpenAllImageFilters() : OpenStillImageFilters()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace lv::app
