#include "app/recovery/recovery_dialog.h"

#include "app/shell/dialog_help.h"
#include "app/widgets/qt_text.h"
#include "common/ui_service.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lv::app {
namespace {

constexpr int kTitle = 36200;
constexpr int kExplanation = 36201;
constexpr int kRecoverButton = 36202;
constexpr int kDiscardButton = 36203;
constexpr int kLaterButton = 36204;
constexpr int kDiscardQuestion = 36207;
constexpr int kIconSide = 96;

QIcon thumbnailIcon(const QImage& thumbnail)
{
    QPixmap square(kIconSide, kIconSide);
    square.fill(Qt::transparent);
    if (!thumbnail.isNull()) {
        const QImage fitted = thumbnail.scaled(kIconSide, kIconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPainter painter(&square);
        painter.drawImage((kIconSide - fitted.width()) / 2, (kIconSide - fitted.height()) / 2, fitted);
    }
    return QIcon(square);
}

}  // namespace

RecoveryDialog::RecoveryDialog(QWidget* parent, const std::vector<RecoveryListItem>& items)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("recovery"));
    setWindowTitle(StringText(kTitle));
    UseDialogHelp(*this, skin::kRecoveryDialog);
    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(StringText(kExplanation), this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    list_ = new QListWidget(this);
    list_->setIconSize(QSize(kIconSide, kIconSide));
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setMinimumWidth(480);
    for (const RecoveryListItem& entry : items) {
        auto* item = new QListWidgetItem(thumbnailIcon(entry.thumbnail), entry.name + '\n' + entry.detail, list_);
        if (entry.damaged)
            item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
    }
    list_->setMinimumHeight(std::min<int>(int(items.size()), 4) * (kIconSide + 8) + 2 * list_->frameWidth());
    layout->addWidget(list_);

    auto* buttons = new QDialogButtonBox(this);
    recover_ = buttons->addButton(StringText(kRecoverButton), QDialogButtonBox::AcceptRole);
    discard_ = buttons->addButton(StringText(kDiscardButton), QDialogButtonBox::DestructiveRole);
    later_ = buttons->addButton(StringText(kLaterButton), QDialogButtonBox::RejectRole);
    const bool anyWhole = std::any_of(items.begin(), items.end(), [](const RecoveryListItem& i) { return !i.damaged; });
    recover_->setEnabled(anyWhole);
    (anyWhole ? recover_ : later_)->setDefault(true);
    connect(recover_, &QPushButton::clicked, this, [this] { choose(RecoveryChoice::Recover); });
    connect(discard_, &QPushButton::clicked, this, [this] { choose(RecoveryChoice::Discard); });
    connect(later_, &QPushButton::clicked, this, [this] { choose(RecoveryChoice::Later); });
    layout->addWidget(buttons);
}

QPushButton* RecoveryDialog::button(RecoveryChoice choice) const
{
    switch (choice) {
    case RecoveryChoice::Recover: return recover_;
    case RecoveryChoice::Discard: return discard_;
    case RecoveryChoice::Later: break;
    }
    return later_;
}

void RecoveryDialog::choose(RecoveryChoice choice)
{
    // Discarding can't be undone: asked once more.
    if (choice == RecoveryChoice::Discard &&
        ui::Current().ask(LoadString(kDiscardQuestion), ui::kProductTitle, ui::Buttons::YesNo, ui::Icon::Question) !=
            ui::Answer::Yes)
        return;
    choice_ = choice;
    if (choice == RecoveryChoice::Later)
        reject();
    else
        accept();
}

}  // namespace lv::app
