// The text dialog shows the face the lettering is drawn with, and its font dialog opens on it,
// while the stored font keeps the name it was given.

#include "app/editing/text_dialog.h"

#include <QApplication>
#include <QFontDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

QString LiberationForArial(const LogFont& font)
{
    return font.faceName == "Arial" ? QStringLiteral("Liberation Sans") : QString::fromStdString(font.faceName);
}

TEST(TextFontShown, TheDialogNamesTheDrawnFaceAndItsFontDialogOpensOnIt)
{
    TextToolChoice choice;
    choice.settings.font.faceName = "Arial";
    choice.settings.font.height = -72;
    choice.settings.font.weight = 400;
    TextDialog dialog(nullptr, choice, false, LiberationForArial);
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("font"))->text(), QStringLiteral("Liberation Sans, 72 px"));

    QString opened;
    QTimer::singleShot(0, [&] {
        if (auto* fonts = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
            opened = fonts->currentFont().family();
            fonts->accept();
        }
    });
    LogFont font = choice.settings.font;
    ASSERT_TRUE(ChooseTextFont(nullptr, font, LiberationForArial));
    EXPECT_EQ(opened, QStringLiteral("Liberation Sans"));
    EXPECT_EQ(font.faceName, "Arial") << "kept as stored when the drawn face is kept";
    EXPECT_EQ(font.height, -72);
}

}  // namespace
}  // namespace lv::app
