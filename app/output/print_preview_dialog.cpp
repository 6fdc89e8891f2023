#include "app/output/print_preview_dialog.h"

#include "output/print/contact_sheet.h"
#include "output/qt_print/qt_printer.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace lv::app {
namespace {

#ifdef LV_TEST_DRIVER
std::function<void(const QString&)>& previewAnswerLog()
{
    static std::function<void(const QString&)> log;
    return log;
}
#endif

constexpr int kMostCopies = 99;

int previewLongSide()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int available = screen ? screen->availableGeometry().height() : 768;
    return std::clamp(available - 200, 400, 1100);
}

}  // namespace

PrintPreviewDialog::PrintPreviewDialog(QWidget* parent, const QString& title, print::PrinterMetrics metrics, int pages,
                                       PageDrawer drawPage, int copies)
    : QDialog(parent)
    , metrics_(metrics)
    , pages_(std::max(pages, 1))
    , drawPage_(std::move(drawPage))
{
    setObjectName(QStringLiteral("printpreview"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    picture_ = new QLabel(this);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setStyleSheet(QStringLiteral("background: #6b6e72; padding: 12px;"));
    layout->addWidget(picture_, 1);

    auto* navigation = new QHBoxLayout;
    previous_ = new QPushButton(QStringLiteral("◀ Anterior"), this);
    next_ = new QPushButton(QStringLiteral("Próxima ▶"), this);
    // Enter prints ("Imprimir"), also while the focus is on a page button.
    previous_->setAutoDefault(false);
    next_->setAutoDefault(false);
    number_ = new QLabel(this);
    number_->setObjectName(QStringLiteral("pagenumber"));
    number_->setAlignment(Qt::AlignCenter);
    navigation->addWidget(previous_);
    navigation->addWidget(number_, 1);
    navigation->addWidget(next_);
    layout->addLayout(navigation);

    auto* actions = new QHBoxLayout;
    auto* copiesLabel = new QLabel(QStringLiteral("Cópias:"), this);
    copies_ = new QSpinBox(this);
    copies_->setObjectName(QStringLiteral("copies"));
    copies_->setRange(1, kMostCopies);
    copies_->setValue(std::clamp(copies, 1, kMostCopies));
    copiesLabel->setBuddy(copies_);
    actions->addWidget(copiesLabel);
    actions->addWidget(copies_);
    actions->addStretch(1);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Imprimir"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    actions->addWidget(buttons);
    layout->addLayout(actions);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(previous_, &QPushButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showPage(page_ + 1); });
    showPage(0);
}

QString PrintPreviewDialog::pageText() const
{
    return QString::fromStdString(print::PageNumberText(page_ + 1, pages_));
}

int PrintPreviewDialog::copies() const
{
    return copies_->value();
}

void PrintPreviewDialog::setCopies(int copies)
{
    copies_->setValue(copies);
}

void PrintPreviewDialog::showPage(int page)
{
    page = std::clamp(page, 0, pages_ - 1);
    if (page == page_)
        return;
    page_ = page;
    image_ = print::RenderPreviewPage(metrics_, previewLongSide(),
                                      [this](print::PrintSurface& surface) { drawPage_(surface, page_); });
    picture_->setPixmap(QPixmap::fromImage(image_));
    number_->setText(pageText());
    previous_->setEnabled(page_ > 0);
    next_->setEnabled(page_ + 1 < pages_);
}

#ifdef LV_TEST_DRIVER
void AnswerPreviewsAtOnce(std::function<void(const QString&)> log)
{
    previewAnswerLog() = std::move(log);
}
#endif

std::optional<int> ConfirmWithPreview(QWidget* parent, const QString& title, const print::PrinterMetrics& metrics,
                                      int pages, PrintPreviewDialog::PageDrawer drawPage)
{
    const print::SystemPrinter* printer = print::ProcessSystemPrinter();
    PrintPreviewDialog dialog(parent, title, metrics, pages, std::move(drawPage), printer ? printer->chosenCopies() : 1);
#ifdef LV_TEST_DRIVER
    if (previewAnswerLog()) {
        previewAnswerLog()(QStringLiteral("preview %1").arg(dialog.pageText()));
        return dialog.copies();
    }
#endif
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.copies();
}

}  // namespace lv::app
