#include "app/output/calibration_dialog.h"

#include "common/beep.h"
#include "common/failure_notices.h"
#include "common/program_paths.h"
#include "common/settings.h"
#include "common/settings_store.h"
#include "app/output/print_failure.h"
#include "app/core/shell_state.h"
#include "app/output/print_preview_dialog.h"
#include "app/widgets/dib_image.h"
#include "common/ui_service.h"
#include "imagelib/dib_geometry.h"
#include "output/print/calibration_chart.h"
#include "output/print/print_calibration_store.h"
#include "output/print/single_picture.h"
#include "output/qt_print/qt_printer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace lv::app {
namespace {

constexpr char kToneKey[] = "PrintCalTone";  // section "USER": the dialog's settings, "b,c,g;..."
const char* const kChannelNames[4] = {"Vermelho", "Verde", "Azul", "Cinza (fotos em preto e branco)"};
constexpr QRgb kChannelColours[4] = {0xffd03030, 0xff30a030, 0xff3050d0, 0xff404040};

QSlider* slider(QWidget* parent, int low, int high)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setRange(low, high);
    s->setMinimumWidth(220);
    return s;
}

}  // namespace

// The curve of the channel being edited, over the identity diagonal.
class CurveView final : public QWidget {
public:
    explicit CurveView(QWidget* parent)
        : QWidget(parent)
    {
        setFixedSize(220, 220);
    }
    void show(const std::array<std::uint8_t, kCurveEntries>& curve, QRgb colour)
    {
        curve_ = curve;
        colour_ = colour;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        const QRectF area = QRectF(rect()).adjusted(10, 10, -10, -10);
        p.setPen(QColor(220, 220, 220));
        for (int i = 0; i <= 4; ++i) {
            p.drawLine(QPointF(area.left() + area.width() * i / 4, area.top()),
                       QPointF(area.left() + area.width() * i / 4, area.bottom()));
            p.drawLine(QPointF(area.left(), area.top() + area.height() * i / 4),
                       QPointF(area.right(), area.top() + area.height() * i / 4));
        }
        p.setPen(QPen(QColor(170, 170, 170), 1, Qt::DashLine));
        p.drawLine(area.bottomLeft(), area.topRight());
        QPainterPath path;
        for (std::size_t i = 0; i < kCurveEntries; ++i) {
            const QPointF point(area.left() + area.width() * double(i) / 255, area.bottom() - area.height() * curve_[i] / 255.0);
            if (i == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        p.setPen(QPen(QColor::fromRgb(colour_), 2));
        p.drawPath(path);
    }

private:
    std::array<std::uint8_t, kCurveEntries> curve_ = print::MakeToneCurve({});
    QRgb colour_ = 0xff000000;
};

CalibrationDialog::CalibrationDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("calibration"));
    setWindowTitle(QStringLiteral("Calibração da impressora"));
    ProfileStore store(ConfigFilePath());
    Settings settings(store);
    if (const auto saved = print::ParseChannelTones(settings.userGetString(kToneKey, "")))
        tones_ = *saved;

    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Imprima a página de teste e compare-a com a tela. Ajuste cada cor até que "
                                            "a impressão fique igual; as fotos passam a sair corrigidas."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* top = new QHBoxLayout;
    auto* controls = new QFormLayout;
    channels_ = new QComboBox(this);
    channels_->setObjectName(QStringLiteral("channel"));
    for (const char* name : kChannelNames)
        channels_->addItem(QString::fromUtf8(name));
    brightness_ = slider(this, -100, 100);
    brightness_->setObjectName(QStringLiteral("brightness"));
    contrast_ = slider(this, -100, 100);
    contrast_->setObjectName(QStringLiteral("contrast"));
    gamma_ = slider(this, 20, 500);
    gamma_->setObjectName(QStringLiteral("gamma"));
    values_ = new QLabel(this);
    controls->addRow(QStringLiteral("Cor:"), channels_);
    controls->addRow(QStringLiteral("Brilho:"), brightness_);
    controls->addRow(QStringLiteral("Contraste:"), contrast_);
    controls->addRow(QStringLiteral("Gama:"), gamma_);
    controls->addRow(QString(), values_);
    auto* reset = new QPushButton(QStringLiteral("Restaurar esta cor"), this);
    controls->addRow(QString(), reset);
    top->addLayout(controls);
    curve_ = new CurveView(this);
    top->addWidget(curve_);
    layout->addLayout(top);

    auto* compare = new QGroupBox(QStringLiteral("Página de teste: como está e como será impressa"), this);
    auto* pictures = new QHBoxLayout(compare);
    beforeView_ = new QLabel(compare);
    afterView_ = new QLabel(compare);
    pictures->addWidget(beforeView_);
    pictures->addWidget(afterView_);
    layout->addWidget(compare);

    useCalibration_ = new QCheckBox(QStringLiteral("Corrigir as cores ao imprimir"), this);
    useCalibration_->setObjectName(QStringLiteral("usecalibration"));
    useCalibration_->setChecked(print::PrintCalibrationEnabled());
    layout->addWidget(useCalibration_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* printChartButton = buttons->addButton(QStringLiteral("Imprimir página de teste"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("Salvar"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    chart_ = print::MakeCalibrationChart(900, 600);
    before_ = DibToImage(DibScaledCopy(chart_, 360, 240, true));
    beforeView_->setPixmap(QPixmap::fromImage(before_));

    connect(channels_, &QComboBox::currentIndexChanged, this, [this](int index) { setChannel(index); });
    for (QSlider* s : {brightness_, contrast_, gamma_})
        connect(s, &QSlider::valueChanged, this, [this] { toneChanged(); });
    connect(reset, &QPushButton::clicked, this, [this] { setTone({}); });
    connect(printChartButton, &QPushButton::clicked, this, [this] { printChart(); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (save())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setChannel(std::clamp(Shell().config.printCalChannel, 0, 3));
}

void CalibrationDialog::setChannel(int channel)
{
    channel_ = std::clamp(channel, 0, 3);
    updating_ = true;
    channels_->setCurrentIndex(channel_);
    brightness_->setValue(tones_[std::size_t(channel_)].brightness);
    contrast_->setValue(tones_[std::size_t(channel_)].contrast);
    gamma_->setValue(tones_[std::size_t(channel_)].gamma);
    updating_ = false;
    refresh();
}

void CalibrationDialog::setTone(const print::ToneSettings& tone)
{
    updating_ = true;
    brightness_->setValue(tone.brightness);
    contrast_->setValue(tone.contrast);
    gamma_->setValue(tone.gamma);
    updating_ = false;
    toneChanged();
}

void CalibrationDialog::toneChanged()
{
    if (updating_)
        return;
    tones_[std::size_t(channel_)] = {brightness_->value(), contrast_->value(), gamma_->value()};
    refresh();
}

bool CalibrationDialog::calibrationOn() const
{
    return useCalibration_->isChecked();
}

void CalibrationDialog::refresh()
{
    const print::ToneSettings& t = tones_[std::size_t(channel_)];
    values_->setText(QStringLiteral("Brilho %1   Contraste %2   Gama %3").arg(t.brightness).arg(t.contrast).arg(t.gamma / 100.0, 0, 'f', 2));
    curve_->show(print::MakeToneCurve(t), kChannelColours[channel_]);
    const HDIB small = DibScaledCopy(chart_, 360, 240, true);
    FileFailure failure;
    const HDIB mapped = MapThroughCurves(small, print::CurvesFromTones(tones_), &failure);
    ShowFailureNotices(failure);
    after_ = DibToImage(mapped ? mapped : small);
    afterView_->setPixmap(QPixmap::fromImage(after_));
}

bool CalibrationDialog::save()
{
    FileFailure failure;
    if (!print::SaveCalibrationCurves(print::CurvesFromTones(tones_), &failure)) {
        ui::Current().showMessage(FileProblemMessage(failure, print::CurrentCalibrationFiles().writable.string()),
                                  ui::kWarningTitle, ui::Icon::Exclamation);
        return false;
    }
    ProfileStore store(ConfigFilePath());
    Settings settings(store);
    settings.userSetString(kToneKey, print::FormatChannelTones(tones_));
    print::SetPrintCalibrationEnabled(calibrationOn());
    Shell().config.printCalFlag = calibrationOn() ? 1 : 0;
    Shell().config.printCalChannel = channel_;
    return true;
}

// The chart goes out through the curves being edited, whatever the saved ones say, so the
// user sees on paper what the settings do before keeping them.
void CalibrationDialog::printChart()
{
    FileFailure failure;
    const HDIB mapped = MapThroughCurves(chart_, print::CurvesFromTones(tones_), &failure);
    ShowFailureNotices(failure);
    const HDIB& page = mapped ? mapped : chart_;
    const bool wasOn = print::PrintCalibrationEnabled();
    print::SetPrintCalibrationEnabled(false);
    print::PrinterConnector& printer = print::ProcessPrinter();
    const print::PrinterMetrics metrics = printer.metrics(print::Orientation::Landscape);
    print::SinglePictureOptions options;
    options.picture = print::PageFraction{0.05, 0.05, 0.9, 0.9};
    if (const std::optional<int> copies =
            ConfirmWithPreview(this, QStringLiteral("Página de teste"), metrics, 1,
                               [&](print::PrintSurface& surface, int) { print::DrawSinglePicturePage(surface, page, options); })) {
        if (!print::PrintSinglePicture(printer, page, "Página de teste", options, print::Orientation::Landscape, *copies))
            TellPrintingFailed();
    }
    print::SetPrintCalibrationEnabled(wasOn);
}

}  // namespace lv::app
