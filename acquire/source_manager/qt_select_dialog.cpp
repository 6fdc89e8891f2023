// The source selection dialog: the sources by name, the default one chosen.

#include "acquire/source_manager/qt_source_platform.h"
#include "acquire/source_manager/qt_source_test_answers.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>
#include <string>

namespace lv::twain {

std::optional<std::size_t> ShowSelectSourceDialog(const std::vector<TW_IDENTITY>& sources, std::size_t defaultIndex)
{
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("select source"));
    dialog.setWindowTitle(QStringLiteral("Selecionar origem"));
    auto* layout = new QVBoxLayout(&dialog);  // children belong to the dialog
    layout->addWidget(new QLabel(QStringLiteral("Origens:"), &dialog));
    auto* list = new QListWidget(&dialog);
    for (const TW_IDENTITY& id : sources)
        list->addItem(QString::fromUtf8(id.ProductName));
    if (!sources.empty())
        list->setCurrentRow(int(std::min(defaultIndex, sources.size() - 1)));
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* select = buttons->addButton(QStringLiteral("Selecionar"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    select->setEnabled(!sources.empty());
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);

    if (const std::optional<std::string> testAnswer = SelectDialogTestAnswer()) {
        QTimer::singleShot(0, &dialog, [&dialog, list, answer = *testAnswer] {
            if (answer == "cancel") {
                dialog.reject();
                return;
            }
            list->setCurrentRow(std::atoi(answer.c_str()));
            dialog.accept();
        });
    }
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
        return std::nullopt;
    return std::size_t(list->currentRow());
}

}  // namespace lv::twain
