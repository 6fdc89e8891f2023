#include "app/editing/photo_cd_options_dialog.h"

#include "app/widgets/dialog_buttons.h"
#include "app/shell/dialog_help.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace lv::app {
namespace {

QListWidget* listOf(QWidget* parent, const QStringList& entries, int current)
{
    auto* list = new QListWidget(parent);
    list->addItems(entries);
    list->setCurrentRow(std::clamp(current, 0, int(entries.size()) - 1));
    // Just tall enough for every entry: nothing to scroll.
    list->setFixedHeight(list->sizeHintForRow(0) * int(entries.size()) + 2 * list->frameWidth() + 2);
    return list;
}

}  // namespace

PhotoCdOptionsWindow::PhotoCdOptionsWindow(QWidget* parent, const PhotoCdChoices& current)
    : QDialog(parent)
{
    setObjectName("photocdoptions");
    setWindowTitle(QStringLiteral("Opções de Photo CD"));
    UseDialogHelp(*this, skin::kPhotoCdOptionsDialog);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("&Formato:"), this));
    formats_ = listOf(this, {QStringLiteral("Cores (24 bits)"), QStringLiteral("Tons de cinza (8 bits)")}, current.format);
    layout->addWidget(formats_);
    layout->addWidget(new QLabel(QStringLiteral("&Resolução:"), this));
    resolutions_ = listOf(this,
                          {QStringLiteral("Base/16 (192 × 128)"), QStringLiteral("Base/4 (384 × 256)"),
                           QStringLiteral("Base (768 × 512)"), QStringLiteral("4Base (1536 × 1024)"),
                           QStringLiteral("16Base (3072 × 2048)")},
                          current.resolution);
    layout->addWidget(resolutions_);
    QDialogButtonBox* buttons = OkCancelButtons(*this);
    // Double-clicking a resolution confirms, as in most list dialogs.
    connect(resolutions_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

PhotoCdChoices PhotoCdOptionsWindow::choices() const
{
    return {formats_->currentRow(), resolutions_->currentRow()};
}

std::optional<PhotoCdChoices> QtPhotoCdOptions::offer(const PhotoCdChoices& current)
{
    QWidget* parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    PhotoCdOptionsWindow window(parent, current);
    LV_TEST_LOG(hooks_, QStringLiteral("photocd options %1 %2").arg(current.format).arg(current.resolution));
    if (hooks_.answersDialogs())
        QTimer::singleShot(0, &window, &QDialog::accept);
    // The arrow over the hourglass while the user chooses.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = window.exec();
    QApplication::restoreOverrideCursor();
    if (answer != QDialog::Accepted)
        return std::nullopt;
    return window.choices();
}

}  // namespace lv::app
