#include "app/acquire/scan_source_dialog.h"

#include "common/beep.h"
#include "common/ui_service.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lv::app {

std::optional<int> RunScanSourceDialog(QWidget* parent, const twain::SourceList& list, std::optional<int> current)
{
    if (list.names.empty()) {
        ui::Beep("no sources");
        return std::nullopt;
    }
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("scan sources"));
    dialog.setWindowTitle(QStringLiteral("Origem"));
    auto* layout = new QVBoxLayout(&dialog);  // the dialog owns its children
    layout->addWidget(new QLabel(QStringLiteral("Digitalizar de:"), &dialog));
    auto* names = new QListWidget(&dialog);
    for (const std::string& name : list.names)
        names->addItem(QString::fromStdString(name));
    const auto def = std::find(list.names.begin(), list.names.end(), list.defaultName);
    names->setCurrentRow(current ? *current : def != list.names.end() ? int(def - list.names.begin()) : 0);
    layout->addWidget(names);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(names, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted || names->currentRow() < 0)
        return std::nullopt;
    return names->currentRow();
}

}  // namespace lv::app
