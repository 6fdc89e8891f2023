#include "app/acquire/video_capture_dialog.h"

#include "app/widgets/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace lv::app {
namespace {

constexpr int kNoCameraNote = 36107;
constexpr int kKeepInAlbum = 36108;

QPushButton* Button(QWidget& parent, const char* name, const QString& text)
{
    auto* button = new QPushButton(text, &parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

VideoCaptureDialog::VideoCaptureDialog(QWidget* parent, video::VideoCapture& capture, video::DriverDialogs& dialogs,
                                       VideoCaptureActions actions)
    : QDialog(parent)
    , steps_(capture, dialogs)
    , actions_(std::move(actions))
{
    setObjectName(QStringLiteral("dialog %1").arg(video::kCaptureDialog));
    setWindowTitle(QStringLiteral("Capturar imagem da câmara de vídeo"));
    auto* layout = new QVBoxLayout(this);
    auto* driverRow = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Drivers: "), this);
    drivers_ = new QComboBox(this);
    drivers_->setObjectName(QString::number(video::kDriverListControl));
    drivers_->setMinimumWidth(260);
    label->setBuddy(drivers_);
    driverRow->addWidget(label);
    driverRow->addWidget(drivers_, 1);
    layout->addLayout(driverRow);
    if (!actions_.camerasFound) {
        auto* note = new QLabel(StringText(kNoCameraNote), this);
        note->setObjectName(QStringLiteral("note"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    if (actions_.albumOpen) {
        toAlbum_ = new QCheckBox(StringText(kKeepInAlbum), this);
        toAlbum_->setObjectName(QStringLiteral("album"));
        layout->addWidget(toAlbum_);
    }

    auto* grid = new QGridLayout;
    QPushButton* format = Button(*this, "format", QStringLiteral("&Formatar"));
    QPushButton* live = Button(*this, "live", QStringLiteral("&Ao vivo"));
    QPushButton* grab = Button(*this, "capture", QStringLiteral("&Capturar"));
    QPushButton* source = Button(*this, "source", QStringLiteral("F&onte"));
    QPushButton* done = Button(*this, "done", QStringLiteral("Co&ncluído"));
    done->setDefault(true);
    grid->addWidget(format, 0, 0);
    grid->addWidget(source, 0, 1);
    grid->addWidget(live, 1, 0);
    grid->addWidget(grab, 1, 1);
    grid->addWidget(done, 2, 1);
    layout->addLayout(grid);

    for (const std::string& name : steps_.open())
        drivers_->addItem(QtText(name));
    drivers_->setCurrentIndex(steps_.selected());
    const bool any = drivers_->count() > 0;
    for (QPushButton* button : {format, live, grab, source})
        button->setEnabled(any);

    connect(drivers_, &QComboBox::activated, this, [this](int index) { choose(index); });
    connect(format, &QPushButton::clicked, this, [this] { steps_.format(); });
    connect(source, &QPushButton::clicked, this, [this] { steps_.source(); });
    connect(grab, &QPushButton::clicked, this, [this] { this->grab(); });
    connect(live, &QPushButton::clicked, this, [this] {
        if (actions_.live)
            actions_.live();
    });
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
}

void VideoCaptureDialog::choose(int index)
{
    if (steps_.chooseDriver(index))
        return;
    const QSignalBlocker quiet(drivers_);
    drivers_->setCurrentIndex(steps_.selected());
}

void VideoCaptureDialog::grab()
{
    HDIB frame = steps_.capture();
    if (frame && actions_.captured)
        actions_.captured(std::move(frame), toAlbum_ && toAlbum_->isChecked());
}

void VideoCaptureDialog::accept()
{
    done(steps_.done());
}

void VideoCaptureDialog::reject()
{
    steps_.cancel();
    if (actions_.cancelled)
        actions_.cancelled();
    done(0);
}

}  // namespace lv::app
