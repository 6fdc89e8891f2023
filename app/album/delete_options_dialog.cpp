#include "app/album/delete_options_dialog.h"

#include "app/widgets/dialog_buttons.h"
#include "app/shell/dialog_help.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace lv::app {

DeleteOptionsDialog::DeleteOptionsDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog %1").arg(kDeleteOptionsDialog));
    setWindowTitle(QStringLiteral("Excluir opções"));
    UseDialogHelp(*this, kDeleteOptionsDialog);
    auto* layout = new QVBoxLayout(this);  // the dialog owns its children
    thumbnailsOnly_ = new QRadioButton(QStringLiteral("Excluir somente miniaturas"), this);
    withFiles_ = new QRadioButton(QStringLiteral("Excluir miniaturas do álbum e excluir arquivos do disco"), this);
    thumbnailsOnly_->setChecked(true);
    layout->addWidget(thumbnailsOnly_);
    layout->addWidget(withFiles_);
    auto* warning = new QLabel(
        QStringLiteral("ATENÇÃO: A seleção desta opção excluirá PERMANENTEMENTE os arquivos selecionados."), this);
    warning->setWordWrap(true);
    warning->setObjectName(QStringLiteral("warning"));
    layout->addWidget(warning);
    QDialogButtonBox* buttons = OkCancelButtons(*this);
    layout->addWidget(buttons);
}

album::DeleteChoice DeleteOptionsDialog::choice() const
{
    return withFiles_->isChecked() ? album::DeleteChoice::ThumbnailsAndFiles : album::DeleteChoice::ThumbnailsOnly;
}

std::optional<album::DeleteChoice> AskDeleteOptions(QWidget* parent, const TestHooks& hooks)
{
    DeleteOptionsDialog dialog(parent);
    LV_TEST_LOG(hooks, QStringLiteral("dialog %1").arg(kDeleteOptionsDialog));
    if (hooks.answersDialogs())
        QTimer::singleShot(0, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

}  // namespace lv::app
