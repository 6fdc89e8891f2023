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
        EXPECT_EQ(std::tuple(dialog.list()->item(0)->text(), dialog.list()->item(0)->icon().isNull()),
                  std::tuple("cartão.vlf\nGravada em 01/02/2025 10:20 — /fotos", false));
        const auto text = [&](RecoveryChoice choice) { return dialog.button(choice)->text(); };
        EXPECT_EQ((QStringList{text(RecoveryChoice::Recover), text(RecoveryChoice::Discard), text(RecoveryChoice::Later)}),
                  (QStringList{"&Recuperar", "&Descartar", "Decidir &depois"}));
        EXPECT_TRUE(dialog.button(RecoveryChoice::Recover)->isDefault());
        dialog.show();
        EXPECT_EQ(skin::HelpPageForContext(skin::CurrentHelpContext().value_or(0)), "caixas-de-dialogo.html#recuperacao");
        dialog.hide();
        dialog.button(RecoveryChoice::Recover)->click();
        EXPECT_EQ(std::tuple(dialog.result(), dialog.choice()),
                  std::tuple(int(QDialog::Accepted), RecoveryChoice::Recover));
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
    EXPECT_EQ(std::tuple(dialog.result(), dialog.choice()), std::tuple(int(QDialog::Accepted), RecoveryChoice::Discard));

    RecoveryDialog damaged(nullptr, SampleItems(true));
    EXPECT_EQ(std::tuple(damaged.button(RecoveryChoice::Recover)->isEnabled(),
                         damaged.button(RecoveryChoice::Later)->isDefault()),
              std::tuple(false, true));
}

TEST(PreferencesDialog, TheSwitchAndTheIntervalGiveTheSecondsToStore)
{
    PreferencesDialog on(nullptr, 45);
    on.show();
    EXPECT_EQ(skin::HelpPageForContext(skin::CurrentHelpContext().value_or(0)), "caixas-de-dialogo.html#preferencias");
    on.hide();
    EXPECT_EQ(std::tuple(on.autoSave()->isChecked(), on.interval()->value(), on.autoSaveSeconds()),
              std::tuple(true, 45, 45));
    on.interval()->setValue(600);
    EXPECT_EQ(on.autoSaveSeconds(), 600);
    on.autoSave()->setChecked(false);
    EXPECT_EQ(std::tuple(on.interval()->isEnabled(), on.autoSaveSeconds()), std::tuple(false, 0));

    // Switched off, it offers the usual two minutes when switched on again.
    PreferencesDialog off(nullptr, 0);
    EXPECT_FALSE(off.autoSave()->isChecked() || off.interval()->isEnabled());
    off.autoSave()->setChecked(true);
    EXPECT_EQ(off.autoSaveSeconds(), 120);
    // The box keeps the interval within what the configuration holds.
    std::vector<int> kept;
    for (const int asked : {0, 1000000}) {
        off.interval()->setValue(asked);
        kept.push_back(off.autoSaveSeconds());
    }
    EXPECT_EQ(kept, (std::vector{1, 86400}));
}

}  // namespace
}  // namespace lv::app
