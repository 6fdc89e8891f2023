#include "app/sharing/print_order_dialog.h"

#include "app/widgets/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lv::app {
namespace {

constexpr QSize kPreviewBox(520, 390);

}  // namespace

// The photo scaled into the box, what falls outside the print dimmed.
class CropPreview final : public QWidget {
public:
    CropPreview(QWidget* parent, const QImage& photo)
        : QWidget(parent)
        , photo_(photo)
        , shown_(QPixmap::fromImage(photo.scaled(kPreviewBox, Qt::KeepAspectRatio, Qt::SmoothTransformation)))
    {
        setFixedSize(shown_.size().expandedTo(QSize(1, 1)));
        setCursor(Qt::OpenHandCursor);
    }

    void setCrop(const sharing::CropRect& crop)
    {
        crop_ = crop;
        update();
    }
    const sharing::CropRect& crop() const { return crop_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, shown_);
        const QRectF inside = toScreen(crop_);
        QPainterPath outside;
        outside.addRect(QRectF(rect()));
        outside.addRect(inside);
        painter.fillPath(outside, QColor(0, 0, 0, 140));
        painter.setPen(QPen(QColor(0xff, 0xd0, 0x40), 2));
        painter.drawRect(inside.adjusted(1, 1, -1, -1));
    }
    void mousePressEvent(QMouseEvent* event) override { from_ = event->position(); }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!(event->buttons() & Qt::LeftButton))
            return;
        const QPointF moved = (event->position() - from_) / scale();
        const sharing::CropRect next =
            sharing::MovedCrop(crop_, int(moved.x()), int(moved.y()), photo_.width(), photo_.height());
        if (next.left != crop_.left || next.top != crop_.top) {
            from_ = event->position();
            setCrop(next);
        }
    }

private:
    double scale() const { return photo_.width() > 0 ? double(shown_.width()) / photo_.width() : 1.0; }
    QRectF toScreen(const sharing::CropRect& c) const
    {
        return {c.left * scale(), c.top * scale(), c.width * scale(), c.height * scale()};
    }

    QImage photo_;
    QPixmap shown_;
    sharing::CropRect crop_;
    QPointF from_;
};

PrintOrderDialog::PrintOrderDialog(QWidget* parent, const QString& name, QImage photo)
    : QDialog(parent)
    , photo_(std::move(photo))
{
    setWindowTitle(QStringLiteral("Encomendar cópias"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("%1 — arraste o quadro para escolher a parte que será impressa.").arg(name), this));
    preview_ = new CropPreview(this, photo_);
    layout->addWidget(preview_, 0, Qt::AlignHCenter);
    auto* form = new QFormLayout;
    paper_ = new QComboBox(this);
    for (const sharing::PaperSize& paper : sharing::PaperSizes())
        paper_->addItem(QtText(std::string(paper.label)), QtText(std::string(paper.code)));
    copies_ = new QSpinBox(this);
    copies_->setRange(1, sharing::kMostCopies);
    form->addRow(QStringLiteral("Tamanho do papel:"), paper_);
    form->addRow(QStringLiteral("Cópias:"), copies_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Encomendar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(paper_, &QComboBox::currentIndexChanged, this, [this] { paperChosen(); });
    paperChosen();
}

// A new paper starts centred again: the old place may not fit the new shape.
void PrintOrderDialog::paperChosen()
{
    const sharing::PaperSize* paper = sharing::FindPaper(paper_->currentData().toString().toStdString());
    if (paper)
        preview_->setCrop(sharing::CentredCrop(photo_.width(), photo_.height(), *paper));
}

sharing::PrintLine PrintOrderDialog::print() const
{
    return {{}, paper_->currentData().toString().toStdString(), copies_->value(), preview_->crop()};
}

}  // namespace lv::app
