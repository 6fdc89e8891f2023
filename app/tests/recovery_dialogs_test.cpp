// The recovery question of the start-up and the preferences dialog, driven as a user would.

#include "app/recovery/preferences_dialog.h"
#include "app/recovery/recovery_dialog.h"
#include "app/skin/help_context.h"
#include "common/testing/ui_recorder.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

std::vector<RecoveryListItem> SampleItems(bool allDamaged = false)
{
    QImage wide(96, 40, QImage::Format_RGB32);
    wide.fill(Qt::red);
    return {
        {QStringLiteral("cartão.vlf"), QStringLiteral("Gravada em 01/02/2025 10:20 — /fotos"), wide, allDamaged},
        {QStringLiteral("TrueColor-Sem título-03"), QStringLiteral("Gravada em 01/02/2025 10:19"), QImage(), allDamaged},
        {QStringLiteral("praia.jpg"), QStringLiteral("Cópia danificada: não pode ser recuperada."), QImage(), true},
    };
}

TEST(RecoveryDialog, ListsEveryCopyWithItsThumbnailAndEachButtonGivesItsChoice)
{
    testing::UiRecorder ui;
    {
        RecoveryDialog dialog(nullptr, SampleItems());
        ASSERT_EQ(dialog.list()->count(), 3);
        EXPECT_EQ(dialog.list()->item(0)->text(), "cartão.vlf\nGravada em 01/02/2025 10:20 — /fotos");
        EXPECT_FALSE(dialog.list()->item(0)->icon().isNull());
        EXPECT_EQ(dialog.button(RecoveryChoice::Recover)->text(), "&Recuperar");
        EXPECT_EQ(dialog.button(RecoveryChoice::Discard)->text(), "&Descartar");
        EXPECT_EQ(dialog.button(RecoveryChoice::Later)->text(), "Decidir &depois");
        EXPECT_TRUE(dialog.button(RecoveryChoice::Recover)->isDefault());
        dialog.show();
        EXPECT_EQ(skin::HelpPageForContext(skin::CurrentHelpContext().value_or(0)), "caixas-de-dialogo.html#recuperacao");
        dialog.hide();
        dialog.button(RecoveryChoice::Recover)->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.choice(), RecoveryChoice::Recover);
    }
    {
        RecoveryDialog dialog(nullptr, SampleItems());
        dialog.reject();  // the window's close box or Esc
        EXPECT_EQ(dialog.choice(), RecoveryChoice::Later);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(RecoveryDialog, DiscardingAsksOnceMoreAndOnlyDamagedCopiesLeaveNothingToRecover)
{
    testing::UiRecorder ui;
    RecoveryDialog dialog(nullptr, SampleItems());
    ui.answers = {ui::Answer::No, ui::Answer::Yes};
    dialog.button(RecoveryChoice::Discard)->click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("As cópias de recuperação serão apagadas", 0), 0u);
    EXPECT_EQ(dialog.result(), 0) << "No keeps the dialog open";
    dialog.button(RecoveryChoice::Discard)->click();
    EXPECT_EQ(dialog.choice(), RecoveryChoice::Discard);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    RecoveryDialog damaged(nullptr, SampleItems(true));
    EXPECT_FALSE(damaged.button(RecoveryChoice::Recover)->isEnabled());
    EXPECT_TRUE(damaged.button(RecoveryChoice::Later)->isDefault());
}

TEST(PreferencesDialog, TheSwitchAndTheIntervalGiveTheSecondsToStore)
{
    PreferencesDialog on(nullptr, 45);
    on.show();
    EXPECT_EQ(skin::HelpPageForContext(skin::CurrentHelpContext().value_or(0)), "caixas-de-dialogo.html#preferencias");
    on.hide();
    EXPECT_TRUE(on.autoSave()->isChecked());
    EXPECT_EQ(on.interval()->value(), 45);
    EXPECT_EQ(on.autoSaveSeconds(), 45);
    on.interval()->setValue(600);
    EXPECT_EQ(on.autoSaveSeconds(), 600);
    on.autoSave()->setChecked(false);
    EXPECT_FALSE(on.interval()->isEnabled());
    EXPECT_EQ(on.autoSaveSeconds(), 0);

    // Switched off, it offers the usual two minutes when switched on again.
    PreferencesDialog off(nullptr, 0);
    EXPECT_FALSE(off.autoSave()->isChecked());
    EXPECT_FALSE(off.interval()->isEnabled());
    off.autoSave()->setChecked(true);
    EXPECT_EQ(off.autoSaveSeconds(), 120);
    // The box keeps the interval within what the configuration holds.
    off.interval()->setValue(0);
    EXPECT_EQ(off.autoSaveSeconds(), 1);
    off.interval()->setValue(1000000);
    EXPECT_EQ(off.autoSaveSeconds(), 86400);
}

}  // namespace
}  // namespace lv::app
