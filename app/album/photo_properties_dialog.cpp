#include "app/album/photo_properties_dialog.h"

#include "app/widgets/dialog_buttons.h"
#include "app/shell/dialog_help.h"
#include "app/widgets/qt_text.h"
#include "common/warning_messages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lv::app {
namespace {

QLabel* field(QWidget* parent, int id, const std::string& text)
{
    auto* label = new QLabel(QtText(text), parent);
    label->setObjectName(QString::number(id));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

PhotoPropertiesDialog::PhotoPropertiesDialog(QWidget* parent, const album::PhotoProperties& p, Rename rename,
                                             const std::string& taken)
    : QDialog(parent)
    , originalName_(QtText(p.name))
    , rename_(std::move(rename))
{
    setObjectName(QStringLiteral("dialog %1").arg(kPhotoPropertiesDialog));
    setWindowTitle(QStringLiteral("Propriedades"));
    UseDialogHelp(*this, kPhotoPropertiesDialog);
    auto* form = new QFormLayout(this);  // the dialog owns its children
    name_ = new QLineEdit(originalName_, this);
    name_->setObjectName(QStringLiteral("8000"));
    form->addRow(QStringLiteral("&Nome:"), name_);
    form->addRow(QStringLiteral("Pasta:"), field(this, 8006, p.folder));
    form->addRow(QStringLiteral("Tipo:"), field(this, 8002, p.extension));
    form->addRow(QStringLiteral("Tamanho:"), field(this, 8003, p.fileSize));
    form->addRow(QStringLiteral("Modificado:"), field(this, 8004, p.lastWrite));
    if (!taken.empty())
        form->addRow(QStringLiteral("Data da foto:"), field(this, 8007, taken));
    form->addRow(QStringLiteral("Imagem:"), field(this, 8005, p.dimensions));
    QDialogButtonBox* buttons = OkCancelButtons(*this);
    form->addRow(buttons);
}

QString PhotoPropertiesDialog::fieldText(int id) const
{
    if (id == 8000)
        return name_->text();
    const auto* label = findChild<QLabel*>(QString::number(id));
    return label ? label->text() : QString();
}

void PhotoPropertiesDialog::accept()
{
    const QString name = name_->text();
    if (name != originalName_ && rename_ && rename_(name.toStdString()) == album::RenameResult::Exists) {
        ShowStringMessage(album::kFileExistsString);
        return;  // the dialog stays for another name
    }
    QDialog::accept();
}

}  // namespace lv::app
