#include "app/output/slideshow_settings_dialog.h"

#include "album/catalogue.h"
#include "app/widgets/dialog_buttons.h"
#include "app/shell/dialog_help.h"
#include "app/widgets/qt_text.h"
#include "app/output/present_window.h"
#include "output/transition_table.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace lv::app {
namespace {

constexpr double kSecondsPerUnit = 0.8;

QString ControlName(int id)
{
    return QString::number(id);
}

// Rows whose name matches, first match first (two names appear twice).
int RowOf(const QListWidget& list, const QString& text)
{
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->text() == text)
            return row;
    return -1;
}

}  // namespace

std::vector<std::string> OfferedTransitionNames()
{
    std::vector<std::string> names;
    for (int i = 0; i < kNamedTransitions; ++i)
        if (i != kNoTransition)
            names.emplace_back(TransitionTable()[std::size_t(i)].name);
    return names;
}

SlideShowSettingsDialog::SlideShowSettingsDialog(QWidget* parent, const album::AlbumCatalogue& catalogue,
                                                 SlideShowSettings& settings, Settings& config)
    : QDialog(parent)
    , settings_(settings)
    , config_(config)
    , storedName_(LoadTransitionName(config))
{
    using namespace slideshow_control;
    setObjectName(QStringLiteral("slideshowsettings"));
    setWindowTitle(QStringLiteral("Configurações da apresentação"));
    UseDialogHelp(*this, skin::kSlideShowSettingsDialog);

    albums_ = new QListWidget(this);
    albums_->setObjectName(ControlName(kAlbums));
    for (int i = 0; i < catalogue.count(kUserAlbumCategory); ++i)
        albums_->addItem(QtText(catalogue.name(kUserAlbumCategory, i)));
    if (albums_->count() > 0)
        albums_->setCurrentRow(std::clamp(catalogue.current(kUserAlbumCategory), 0, albums_->count() - 1));
    // Double-clicking an album starts with it, as in most list dialogs.
    connect(albums_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    transitionsOn_ = new QCheckBox(QStringLiteral("&Usar transições"), this);
    transitionsOn_->setObjectName(ControlName(kTransitionsOn));
    transitionsOn_->setChecked(settings.transitionsOn);

    transitions_ = new QListWidget(this);
    transitions_->setObjectName(ControlName(kTransitions));
    for (const std::string& name : OfferedTransitionNames())
        transitions_->addItem(QtText(name));
    transitions_->setCurrentRow(std::max(RowOf(*transitions_, QtText(storedName_)), 0));
    transitions_->setEnabled(settings.transitionsOn);
    connect(transitionsOn_, &QCheckBox::toggled, transitions_, &QWidget::setEnabled);

    repeat_ = new QCheckBox(QStringLiteral("&Repetir a apresentação"), this);
    repeat_->setObjectName(ControlName(kRepeat));
    repeat_->setChecked(settings.repeat);

    displayTime_ = new QSpinBox(this);
    displayTime_->setObjectName(ControlName(kDisplayTime));
    displayTime_->setRange(1, kLongestDisplayTime);
    displayTime_->setValue(int(std::clamp<unsigned>(settings.displayTime, 1, kLongestDisplayTime)));
    seconds_ = new QLabel(this);
    showSeconds(displayTime_->value());
    connect(displayTime_, &QSpinBox::valueChanged, this, [this](int value) { showSeconds(value); });

    auto* albumLabel = new QLabel(QStringLiteral("Á&lbum:"), this);
    albumLabel->setBuddy(albums_);
    auto* transitionLabel = new QLabel(QStringLiteral("&Transição:"), this);
    transitionLabel->setBuddy(transitions_);
    auto* timeLabel = new QLabel(QStringLiteral("Tempo de &exibição (em unidades de 0,8 s):"), this);
    timeLabel->setBuddy(displayTime_);

    auto* grid = new QGridLayout;
    grid->addWidget(albumLabel, 0, 0);
    grid->addWidget(albums_, 1, 0);
    grid->addWidget(transitionLabel, 0, 1);
    grid->addWidget(transitions_, 1, 1);
    grid->addWidget(transitionsOn_, 2, 1);
    grid->addWidget(repeat_, 2, 0);
    auto* time = new QGridLayout;
    time->addWidget(timeLabel, 0, 0, 1, 2);
    time->addWidget(displayTime_, 1, 0);
    time->addWidget(seconds_, 1, 1);
    time->setColumnStretch(1, 1);
    grid->addLayout(time, 3, 0, 1, 2);

    QDialogButtonBox* buttons = OkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    // The keyboard walks the choices in the order they are read.
    setTabOrder(albums_, transitionsOn_);
    setTabOrder(transitionsOn_, transitions_);
    setTabOrder(transitions_, repeat_);
    setTabOrder(repeat_, displayTime_);
    albums_->setFocus();
}

int SlideShowSettingsDialog::album() const
{
    return albums_->count() > 0 ? std::max(albums_->currentRow(), 0) : -1;
}

void SlideShowSettingsDialog::showSeconds(int displayTime)
{
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    seconds_->setText(QStringLiteral("%1 segundos por foto").arg(brazil.toString(displayTime * kSecondsPerUnit, 'f', 1)));
}

void SlideShowSettingsDialog::accept()
{
    settings_.transitionsOn = transitionsOn_->isChecked();
    settings_.repeat = repeat_->isChecked();
    settings_.displayTime = unsigned(displayTime_->value());
    // The list's text, kept even while transitions are off; the show then works with "Nenhum".
    const QListWidgetItem* chosen = transitions_->currentItem();
    settings_.transitionName = chosen ? chosen->text().toStdString() : storedName_;
    StoreTransitionName(config_, settings_.transitionName);
    QDialog::accept();
}

}  // namespace lv::app
