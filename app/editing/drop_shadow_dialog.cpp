#include "app/editing/drop_shadow_dialog.h"

#include "app/widgets/dialog_buttons.h"
#include "app/widgets/named_spin_box.h"
#include "common/beep.h"
#include "common/ui_service.h"

#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lv::app {
namespace {

// As far as a shadow may sit from its lettering either way.
constexpr int kMaxShadowOffset = 500;

}  // namespace

DropShadowFields::DropShadowFields(QWidget* parent, QFormLayout& form, const DropShadowSettings& settings)
    : radius_(NamedSpinBox(parent, "radius", 0, kMaxShadowRadius, settings.radius))
    , intensity_(NamedSpinBox(parent, "intensity", 0, 100, settings.intensity))
    , dx_(NamedSpinBox(parent, "dx", -kMaxShadowOffset, kMaxShadowOffset, settings.dx))
    , dy_(NamedSpinBox(parent, "dy", -kMaxShadowOffset, kMaxShadowOffset, settings.dy))
{
    intensity_->setSuffix(QStringLiteral(" %"));
    form.addRow(QStringLiteral("&Raio:"), radius_);
    form.addRow(QStringLiteral("&Intensidade:"), intensity_);
    form.addRow(QStringLiteral("Deslocamento &horizontal:"), dx_);
    form.addRow(QStringLiteral("Deslocamento &vertical:"), dy_);
}

DropShadowSettings DropShadowFields::settings() const
{
    return {radius_->value(), intensity_->value(), dx_->value(), dy_->value()};
}

DropShadowDialog::DropShadowDialog(QWidget* parent, const DropShadowSettings& settings)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("shadow"));
    setWindowTitle(QStringLiteral("Sombra projetada"));
    auto* form = new QFormLayout;
    fields_ = std::make_unique<DropShadowFields>(this, *form, settings);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancelButtons(*this));
}

DropShadowSettings DropShadowDialog::settings() const
{
    return fields_->settings();
}

bool AskAndAddDropShadow(QWidget* parent, LayerStack& document, DropShadowSettings& last)
{
    DropShadowDialog dialog(parent, last);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    last = dialog.settings();
    if (AddDropShadow(document, last))
        return true;
    ui::Beep("shadow refused");
    return false;
}

}  // namespace lv::app
