#include "app/editing/file_dialog_preview.h"

#include "app/widgets/picture_preview.h"

#include <QFileDialog>
#include <QGridLayout>

namespace lv::app {

PicturePreview& AddPicturePreview(QFileDialog& dialog)
{
    auto* preview = new PicturePreview(&dialog);  // owned by the dialog
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(preview, 0, grid->columnCount(), 2, 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) { preview->choose(path); });
    // A name chosen already (the picture being saved) shows at once.
    preview->choose(dialog.selectedFiles().value(0));
    return *preview;
}

}  // namespace lv::app
