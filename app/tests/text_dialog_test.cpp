// The text tool's dialog: it shows the choice it is given, hands back what the user set,
// and never lets the text grow beyond what a text layer keeps.

#include "app/dialogs/text_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

TextToolChoice sampleChoice()
{
    TextToolChoice choice;
    choice.settings.text = "Olá\nação";
    choice.settings.font.faceName = "Times New Roman";
    choice.settings.font.height = -48;
    choice.settings.font.weight = 700;
    choice.settings.style = {TextAlignment::Right, 150, 3, false};
    choice.settings.colour = 0x123456;
    choice.settings.left = 7;
    choice.settings.top = 9;
    choice.dropShadow = true;
    choice.shadow = {6, 80, -2, 4};
    return choice;
}

TEST(TextDialog, ShowsTheChoiceAndHandsBackWhatTheUserSet)
{
    const TextToolChoice given = sampleChoice();
    TextDialog dialog(nullptr, given, true);
    TextToolChoice same = dialog.choice();
    EXPECT_EQ(same.settings.text, given.settings.text);
    EXPECT_EQ(same.settings.font, given.settings.font);
    EXPECT_EQ(same.settings.style, given.settings.style);
    EXPECT_EQ(same.settings.colour, 0x123456u);
    EXPECT_EQ(same.settings.left, 7);
    EXPECT_TRUE(same.dropShadow);
    EXPECT_EQ(same.shadow.radius, 6);
    EXPECT_EQ(same.shadow.intensity, 80);
    EXPECT_EQ(same.shadow.dx, -2);
    EXPECT_EQ(same.shadow.dy, 4);
    EXPECT_NE(dialog.findChild<QPushButton*>(QStringLiteral("font"))->text().indexOf(QStringLiteral("Times New Roman, 48 px, negrito")), -1);

    dialog.findChild<QPlainTextEdit*>(QStringLiteral("text"))->setPlainText(QStringLiteral("Feliz"));
    dialog.findChild<QCheckBox*>()->setChecked(true);
    dialog.findChild<QComboBox*>()->setCurrentIndex(1);
    dialog.findChild<QSpinBox*>(QStringLiteral("intensity"))->setValue(100);
    dialog.findChild<QSpinBox*>(QStringLiteral("radius"))->setValue(999);  // kept within range
    dialog.findChild<QGroupBox*>()->setChecked(false);
    const TextToolChoice changed = dialog.choice();
    EXPECT_EQ(changed.settings.text, "Feliz");
    EXPECT_TRUE(changed.settings.style.smoothEdges);
    EXPECT_EQ(changed.settings.style.alignment, TextAlignment::Centre);
    EXPECT_EQ(changed.shadow.intensity, 100);
    EXPECT_EQ(changed.shadow.radius, kMaxShadowRadius);
    EXPECT_FALSE(changed.dropShadow);
}

TEST(TextDialog, TextStopsAtTheBytesALayerKeeps)
{
    TextDialog dialog(nullptr, sampleChoice(), false);
    auto* text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("text"));
    text->setPlainText(QString(1022, QLatin1Char('x')) + QStringLiteral("ééé"));
    EXPECT_EQ(dialog.choice().settings.text, std::string(1022, 'x'));
    text->setPlainText(QString(1021, QLatin1Char('y')) + QStringLiteral("é"));
    EXPECT_EQ(dialog.choice().settings.text.size(), 1023u);
}

}  // namespace
}  // namespace lv::app
