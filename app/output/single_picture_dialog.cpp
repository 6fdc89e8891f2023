#include "app/output/single_picture_dialog.h"

#include "app/output/print_failure.h"
#include "app/output/calibration_dialog.h"
#include "app/output/print_preview_dialog.h"
#include "app/output/printer_setup.h"
#include "app/output/sheet_view.h"
#include "app/output/side_buttons.h"
#include "common/beep.h"
#include "common/ui_service.h"
#include "imagelib/dib_geometry.h"
#include "output/qt_print/qt_printer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lv::app {
namespace {

constexpr int kPreviewSide = 560;
constexpr int kPreviewPictureSide = 1200;

// A copy of at most kPreviewPictureSide pixels a side that prints at the same size.
HDIB previewCopy(const HDIB& picture)
{
    if (!picture || std::max(picture.width(), picture.height()) <= kPreviewPictureSide)
        return DibScaledCopy(picture, picture.width(), picture.height(), false);
    HDIB small = DibScaledCopy(picture, kPreviewPictureSide, kPreviewPictureSide, true);
    if (!small)
        return small;
    const auto scaled = [&](std::int32_t ppm, int smallSide, int side) {
        const std::int64_t original = ppm > 0 ? ppm : PixelsPerMetreFromDpi(96);
        return std::int32_t(std::max<std::int64_t>(1, original * smallSide / side));
    };
    small.header().biXPelsPerMeter = scaled(picture.header().biXPelsPerMeter, small.width(), picture.width());
    small.header().biYPelsPerMeter = scaled(picture.header().biYPelsPerMeter, small.height(), picture.height());
    return small;
}

}  // namespace

// The sheet, small: drag the picture or the text to move it, drag near a corner to size it.
class SinglePageView final : public SheetView {
public:
    explicit SinglePageView(SinglePictureDialog& dialog)
        : SheetView(&dialog, kPreviewSide)
        , dialog_(dialog)
    {
        setObjectName(QStringLiteral("singlepage"));
    }
    void refresh()
    {
        const print::PrinterMetrics m = dialog_.metrics();
        print::SinglePictureOptions shown = dialog_.options();
        if (shown.text && shown.content.empty())
            shown.content = kEditTextInvitation;
        render(m, [&](print::PrintSurface& s) { print::DrawSinglePicturePage(s, dialog_.previewPicture(), shown); });
        pictureRect_ = print::SinglePictureRect(dialog_.previewPicture(), shown, m);
        textRect_ = print::SingleTextRect(pictureRect_, shown, m);
    }

protected:
    void paintOverlay(QPainter& p) override
    {
        p.setPen(QPen(QColor(40, 120, 220), 1, Qt::DashLine));
        p.drawRect(onScreen(pictureRect_));
        if (dialog_.options().text)
            p.drawRect(onScreen(textRect_));
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        const QPointF at = e->position();
        dragging_ = None;
        for (const auto& [target, r] : {std::pair{Text, textRect_}, std::pair{Picture, pictureRect_}}) {
            if (target == Text && !dialog_.options().text)
                continue;
            const QRectF s = onScreen(r);
            if (!s.adjusted(-4, -4, 4, 4).contains(at))
                continue;
            dragging_ = target;
            resizing_ = (s.bottomRight() - at).manhattanLength() < 14;
            start_ = at;
            startRect_ = r;
            return;
        }
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (dragging_ == None)
            return;
        const QPointF d = (e->position() - start_) * scale();
        const Rect& from = startRect_;
        const Rect r = resizing_ ? Rect::fromSize(from.topLeft(), {std::max(int(20 * scale()), from.width() + int(d.x())),
                                                                   std::max(int(10 * scale()), from.height() + int(d.y()))})
                                 : from.translated(int(d.x()), int(d.y()));
        const print::PageFraction f = print::ToPageFraction(r, dialog_.metrics());
        (dragging_ == Picture ? dialog_.options().picture : dialog_.options().textBox) = f;
        dialog_.optionsChanged();
    }
    void mouseReleaseEvent(QMouseEvent*) override { dragging_ = None; }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        if (dialog_.options().text && onScreen(textRect_).contains(e->position()))
            dialog_.editText();
    }

private:
    enum Target { None, Picture, Text };

    SinglePictureDialog& dialog_;
    Rect pictureRect_, textRect_, startRect_;
    Target dragging_ = None;
    bool resizing_ = false;
    QPointF start_;
};

SinglePictureDialog::SinglePictureDialog(QWidget* parent, const HDIB& picture, std::string title,
                                         std::vector<std::uint8_t> colourProfile)
    : QDialog(parent)
    , picture_(picture)
    , title_(std::move(title))
    , preview_(previewCopy(picture))
{
    options_.colourProfile = std::move(colourProfile);
    setObjectName(QStringLiteral("singlepicture"));
    setWindowTitle(QStringLiteral("Imprimir a imagem"));
    auto* layout = new QHBoxLayout(this);
    view_ = new SinglePageView(*this);
    layout->addWidget(view_, 1);

    auto* side = new QVBoxLayout;
    frame_ = new QCheckBox(QStringLiteral("Moldura"), this);
    text_ = new QCheckBox(QStringLiteral("Texto"), this);
    auto* font = new QPushButton(QStringLiteral("Fonte do texto…"), this);
    auto* edit = new QPushButton(QStringLiteral("Editar o texto…"), this);
    orientation_ = new QComboBox(this);
    orientation_->addItems({QStringLiteral("Retrato"), QStringLiteral("Paisagem")});
    auto* centre = new QPushButton(QStringLiteral("Centralizar"), this);
    auto* calibration = new QPushButton(QStringLiteral("Calibração…"), this);
    auto* setup = new QPushButton(QStringLiteral("Configurar a impressora"), this);
    auto* print = new QPushButton(QStringLiteral("Visualizar e imprimir…"), this);
    print->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Fechar"), this);
    GiveButtonsRoom({font, edit, centre, calibration, setup, print, close});
    for (QWidget* w : std::initializer_list<QWidget*>{frame_, text_, font, edit, orientation_, centre, calibration, setup})
        side->addWidget(w);
    side->addStretch(1);
    side->addWidget(print);
    side->addWidget(close);
    layout->addLayout(side);

    connect(frame_, &QCheckBox::toggled, this, [this](bool on) { options_.frame = on; optionsChanged(); });
    connect(text_, &QCheckBox::toggled, this, [this](bool on) { options_.text = on; optionsChanged(); });
    connect(edit, &QPushButton::clicked, this, [this] { editText(); });
    connect(font, &QPushButton::clicked, this, [this] {
        QFont current(QString::fromStdString(options_.face), options_.points);
        current.setBold(options_.bold);
        current.setItalic(options_.italic);
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, current, this, QStringLiteral("Fonte do texto"));
        if (!ok)
            return;
        options_.face = chosen.family().toStdString();
        options_.points = std::max(1, chosen.pointSize());
        options_.bold = chosen.bold();
        options_.italic = chosen.italic();
        optionsChanged();
    });
    connect(orientation_, &QComboBox::currentIndexChanged, this, [this] { optionsChanged(); });
    connect(centre, &QPushButton::clicked, this, [this] {
        options_.picture.reset();
        options_.textBox.reset();
        optionsChanged();
    });
    connect(calibration, &QPushButton::clicked, this, [this] {
        CalibrationDialog dialog(this);
        dialog.exec();
        optionsChanged();
    });
    connect(setup, &QPushButton::clicked, this, [this] {
        if (SetUpPrinter(this))
            optionsChanged();
    });
    connect(print, &QPushButton::clicked, this, [this] {
        if (printWithPreview())
            accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    optionsChanged();
}

print::Orientation SinglePictureDialog::orientation() const
{
    return orientation_->currentIndex() == 1 ? print::Orientation::Landscape : print::Orientation::Portrait;
}

print::PrinterMetrics SinglePictureDialog::metrics() const
{
    return print::ProcessPrinter().metrics(orientation());
}

void SinglePictureDialog::optionsChanged()
{
    view_->refresh();
}

void SinglePictureDialog::editText()
{
    bool ok = false;
    const QString text = QInputDialog::getMultiLineText(this, QStringLiteral("Texto da página"), QStringLiteral("Texto:"),
                                                        QString::fromStdString(options_.content), &ok);
    if (!ok)
        return;
    options_.content = text.toStdString();
    options_.text = true;
    text_->setChecked(true);
    optionsChanged();
}

bool SinglePictureDialog::printWithPreview()
{
    const print::PrinterMetrics m = metrics();
    const std::optional<int> copies =
        ConfirmWithPreview(this, QStringLiteral("Visualizar impressão"), m, 1,
                           [this](print::PrintSurface& s, int) { print::DrawSinglePicturePage(s, preview_, options_); });
    if (!copies)
        return false;
    if (!print::PrintSinglePicture(print::ProcessPrinter(), picture_, title_, options_, orientation(), *copies)) {
        TellPrintingFailed();
        return false;
    }
    return true;
}

}  // namespace lv::app
