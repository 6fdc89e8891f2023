// A source's own dialog, built from the device's options: mode, resolution, the area with a
// preview scan, brightness and contrast where the device has them; "Digitalizar" asks the
// application to transfer, "Cancelar" to close the source.

#include "acquire/source_manager/qt_source_platform.h"
#include "acquire/source_manager/qt_source_test_answers.h"
#include "acquire/source_manager/scan_modes.h"
#include "acquire/source_manager/scan_reader.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <cstdlib>
#include <string>

namespace lv::twain {
namespace {

constexpr const char* kEdges[4] = {"tl-x", "tl-y", "br-x", "br-y"};

QString PixelTypeName(TW_UINT16 type)
{
    switch (type) {
    case TWPT_BW:
        return QStringLiteral("Preto e branco");
    case TWPT_GRAY:
        return QStringLiteral("Tons de cinza");
    default:
        return QStringLiteral("Colorido");
    }
}

// The whole bed, with the preview scan and the chosen area; dragging chooses a new area.
class AreaView final : public QWidget {
public:
    AreaView(double widthMm, double heightMm, QWidget* parent)
        : QWidget(parent)
        , widthMm_(widthMm)
        , heightMm_(heightMm)
    {
        setObjectName(QStringLiteral("area"));
        setMinimumSize(200, int(200 * std::min(2.0, heightMm / std::max(widthMm, 1.0))));
        setCursor(Qt::CrossCursor);
    }
    std::function<void(QRectF)> areaChosen;

    void setPreview(QImage preview)
    {
        preview_ = std::move(preview);
        update();
    }
    void setArea(QRectF mm)
    {
        area_ = mm;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRectF bed = bedRect();
        painter.fillRect(rect(), palette().window());
        painter.fillRect(bed, Qt::white);
        if (!preview_.isNull())
            painter.drawImage(bed, preview_);
        painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
        painter.drawRect(toWidget(area_));
    }
    void mousePressEvent(QMouseEvent* e) override { dragFrom_ = toMm(e->position()); }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (e->buttons() & Qt::LeftButton)
            setArea(QRectF(dragFrom_, toMm(e->position())).normalized());
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const QRectF chosen = QRectF(dragFrom_, toMm(e->position())).normalized();
        if (chosen.width() >= 1 && chosen.height() >= 1 && areaChosen)
            areaChosen(chosen);
    }

private:
    QRectF bedRect() const
    {
        const double scale = std::min(width() / widthMm_, height() / heightMm_);
        return QRectF(0, 0, widthMm_ * scale, heightMm_ * scale);
    }
    QRectF toWidget(QRectF mm) const
    {
        const double scale = bedRect().width() / widthMm_;
        return QRectF(mm.left() * scale, mm.top() * scale, mm.width() * scale, mm.height() * scale);
    }
    QPointF toMm(QPointF p) const
    {
        const double scale = bedRect().width() / widthMm_;
        return QPointF(std::clamp(p.x() / scale, 0.0, widthMm_), std::clamp(p.y() / scale, 0.0, heightMm_));
    }

    double widthMm_, heightMm_;
    QImage preview_;
    QRectF area_;
    QPointF dragFrom_;
};

class SourceWindow final : public QDialog {
public:
    explicit SourceWindow(SourceDialogHost& host)
        : host_(host)
    {
        SaneDevice& device = host.device();
        setObjectName(QStringLiteral("source dialog"));
        setWindowTitle(QString::fromUtf8(host.identity().ProductName));
        auto* layout = new QVBoxLayout(this);  // the dialog owns every child below
        auto* form = new QFormLayout;
        layout->addLayout(form);

        mode_ = new QComboBox(this);
        mode_->setObjectName(QStringLiteral("mode"));
        const auto current = CurrentPixelType(device);
        for (const ModeSetting& s : PixelTypeSettings(device)) {
            mode_->addItem(PixelTypeName(s.pixelType), int(s.pixelType));
            if (current && *current == s.pixelType)
                mode_->setCurrentIndex(mode_->count() - 1);
        }
        form->addRow(QStringLiteral("Modo:"), mode_);

        const NumberChoices resolutions = device.numberChoices("resolution");
        const double dpi = device.number("resolution").value_or(300);
        if (resolutions.isRange) {
            auto* spin = new QSpinBox(this);
            spin->setRange(int(std::ceil(resolutions.min)), int(resolutions.max));
            spin->setValue(int(std::lround(dpi)));
            resolution_ = spin;
        } else {
            auto* combo = new QComboBox(this);
            for (const double v : resolutions.values) {
                combo->addItem(QString::number(v), v);
                if (std::abs(v - dpi) < 0.5)
                    combo->setCurrentIndex(combo->count() - 1);
            }
            resolution_ = combo;
        }
        resolution_->setObjectName(QStringLiteral("resolution"));
        form->addRow(QStringLiteral("Resolução (ppp):"), resolution_);

        const bool hasArea = device.unit("br-x") == SANE_UNIT_MM && device.has("br-y");
        if (hasArea) {
            auto* group = new QGroupBox(QStringLiteral("Área (mm)"), this);
            auto* areaLayout = new QHBoxLayout(group);
            const NumberChoices bx = device.numberChoices("br-x");
            const NumberChoices by = device.numberChoices("br-y");
            area_ = new AreaView(bx.max, by.max, group);
            areaLayout->addWidget(area_, 1);
            auto* edgesForm = new QFormLayout;
            const QString labels[4] = {QStringLiteral("Esquerda:"), QStringLiteral("Topo:"), QStringLiteral("Direita:"),
                                       QStringLiteral("Base:")};
            for (int i = 0; i < 4; ++i) {
                const NumberChoices c = device.numberChoices(kEdges[i]);
                edges_[i] = new QDoubleSpinBox(group);
                edges_[i]->setObjectName(QString::fromLatin1(kEdges[i]));
                edges_[i]->setDecimals(1);
                edges_[i]->setRange(c.min, c.max);
                edges_[i]->setValue(device.number(kEdges[i]).value_or(0));
                edgesForm->addRow(labels[i], edges_[i]);
                connect(edges_[i], &QDoubleSpinBox::valueChanged, this, [this] { area_->setArea(chosenArea()); });
            }
            auto* preview = new QPushButton(QStringLiteral("Pré-visualizar"), group);
            preview->setObjectName(QStringLiteral("preview"));
            connect(preview, &QPushButton::clicked, this, [this] { previewScan(); });
            edgesForm->addRow(preview);
            areaLayout->addLayout(edgesForm);
            layout->addWidget(group);
            area_->setArea(chosenArea());
            area_->areaChosen = [this](QRectF mm) {
                const double values[4] = {mm.left(), mm.top(), mm.right(), mm.bottom()};
                for (int i = 0; i < 4; ++i)
                    edges_[i]->setValue(values[i]);
            };
        }

        addSlider(form, "brightness", QStringLiteral("Brilho:"), brightness_);
        addSlider(form, "contrast", QStringLiteral("Contraste:"), contrast_);

        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        scan_ = new QPushButton(QStringLiteral("Digitalizar"), this);
        scan_->setObjectName(QStringLiteral("Digitalizar"));
        scan_->setDefault(true);
        auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
        cancel->setObjectName(QStringLiteral("Cancelar"));
        buttons->addWidget(scan_);
        buttons->addWidget(cancel);
        layout->addLayout(buttons);
        connect(scan_, &QPushButton::clicked, this, [this] { scanClicked(); });
        connect(cancel, &QPushButton::clicked, this, [this] { host_.closeRequested(); });
    }

protected:
    // Closing the window, or Esc, asks the application to close the source; the window
    // itself goes when the source is disabled.
    void reject() override { host_.closeRequested(); }

private:
    void addSlider(QFormLayout* form, const char* option, const QString& label, QSlider*& slider)
    {
        SaneDevice& device = host_.device();
        if (!device.settable(option))
            return;
        const NumberChoices c = device.numberChoices(option);
        if (!c.isRange)
            return;
        slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(QString::fromLatin1(option));
        slider->setRange(int(std::lround(c.min)), int(std::lround(c.max)));
        slider->setValue(int(std::lround(device.number(option).value_or(0))));
        form->addRow(label, slider);
    }

    QRectF chosenArea() const
    {
        return QRectF(QPointF(edges_[0]->value(), edges_[1]->value()), QPointF(edges_[2]->value(), edges_[3]->value()));
    }

    double chosenResolution() const
    {
        if (auto* spin = dynamic_cast<QSpinBox*>(resolution_))
            return spin->value();
        return static_cast<QComboBox*>(resolution_)->currentData().toDouble();
    }

    void applySettings()
    {
        SaneDevice& device = host_.device();
        ApplyPixelType(device, TW_UINT16(mode_->currentData().toInt()));
        device.setNumber("resolution", chosenResolution());
        if (area_) {
            device.setNumber("br-x", edges_[2]->value());
            device.setNumber("br-y", edges_[3]->value());
            device.setNumber("tl-x", edges_[0]->value());
            device.setNumber("tl-y", edges_[1]->value());
        }
        if (brightness_)
            device.setNumber("brightness", brightness_->value());
        if (contrast_)
            device.setNumber("contrast", contrast_->value());
    }

    void scanClicked()
    {
        applySettings();
        host_.scanRequested();
    }

    // A quick look at the whole bed at a low resolution; the chosen settings come back after.
    void previewScan()
    {
        SaneDevice& device = host_.device();
        applySettings();
        double saved[4];
        for (int i = 0; i < 4; ++i)
            saved[i] = edges_[i]->value();
        const double dpi = chosenResolution();
        const NumberChoices r = device.numberChoices("resolution");
        const double low = r.isRange ? std::clamp(50.0, r.min, r.max) : r.values.empty() ? dpi : r.values.front();
        device.setNumber("resolution", low);
        device.setNumber("tl-x", device.numberChoices("tl-x").min);
        device.setNumber("tl-y", device.numberChoices("tl-y").min);
        device.setNumber("br-x", device.numberChoices("br-x").max);
        device.setNumber("br-y", device.numberChoices("br-y").max);
        device.setNumber("preview", 1);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        SANE_Status status = SANE_STATUS_GOOD;
        QImage picture;
        if (auto reader = ScanReader::Start(device, false, status)) {
            const ScanFormat f = reader->format();
            const QImage::Format format = f.pixelType == TWPT_RGB    ? QImage::Format_RGB888
                                          : f.pixelType == TWPT_GRAY ? QImage::Format_Grayscale8
                                                                     : QImage::Format_Mono;
            picture = QImage(f.width, f.height, format);
            if (format == QImage::Format_Mono)
                picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
            for (int y = 0; y < f.height && reader->read(picture.scanLine(y), 1, f.rowBytes); ++y) {
            }
        }
        QApplication::restoreOverrideCursor();
        device.setNumber("preview", 0);
        device.setNumber("resolution", dpi);
        device.setNumber("br-x", saved[2]);
        device.setNumber("br-y", saved[3]);
        device.setNumber("tl-x", saved[0]);
        device.setNumber("tl-y", saved[1]);
        area_->setPreview(picture);
    }

    SourceDialogHost& host_;
    QComboBox* mode_ = nullptr;
    QWidget* resolution_ = nullptr;
    AreaView* area_ = nullptr;
    QDoubleSpinBox* edges_[4] = {};
    QSlider* brightness_ = nullptr;
    QSlider* contrast_ = nullptr;
    QPushButton* scan_ = nullptr;
};

class QtSourceDialog final : public SourceDialog {
public:
    explicit QtSourceDialog(SourceDialogHost& host)
        : window_(new SourceWindow(host))
    {
        window_->setAttribute(Qt::WA_DeleteOnClose, false);
        window_->setModal(false);
        window_->show();
        window_->raise();
        window_->activateWindow();
        if (const std::optional<std::string> answer = SourceDialogTestAnswer()) {
            const QString button = *answer == "cancel" ? QStringLiteral("Cancelar") : QStringLiteral("Digitalizar");
            QPointer<QDialog> window = window_.get();
            QTimer::singleShot(0, window_.get(), [window, button] {
                if (auto* b = window ? window->findChild<QPushButton*>(button) : nullptr)
                    b->click();
            });
        }
    }
    void setBusy(bool busy) override { window_->setEnabled(!busy); }

private:
    std::unique_ptr<SourceWindow> window_;
};

}  // namespace

std::unique_ptr<SourceDialog> ShowSourceDialog(SourceDialogHost& host)
{
    return std::make_unique<QtSourceDialog>(host);
}

}  // namespace lv::twain
