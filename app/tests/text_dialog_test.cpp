// The text tool's dialog: it shows the choice it is given, hands back what the user set,
// and never lets the text grow beyond what a text layer keeps. The shadow dialog hands its
// values on to the shadow of the current text layer.

#include "app/editing/drop_shadow_dialog.h"
#include "app/editing/text_dialog.h"
#include "edit/layer_pictures.h"
#include "edit/tests/layer_test_support.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDialog>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

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
    EXPECT_EQ(std::tie(same.shadow.radius, same.shadow.intensity, same.shadow.dx, same.shadow.dy), std::tuple(6, 80, -2, 4));
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

// Answers the shadow dialog once it shows: checks what it shows, sets `values`, presses OK
// (or Cancelar without values).
void AnswerShadowDialog(DropShadowSettings shown, std::optional<DropShadowSettings> values)
{
    QTimer::singleShot(0, [shown, values] {
        auto* dialog = dynamic_cast<DropShadowDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        const DropShadowSettings s = dialog->settings();
        EXPECT_EQ(std::tie(s.radius, s.intensity, s.dx, s.dy), std::tie(shown.radius, shown.intensity, shown.dx, shown.dy));
        if (!values) {
            dialog->reject();
            return;
        }
        dialog->findChild<QSpinBox*>(QStringLiteral("radius"))->setValue(values->radius);
        dialog->findChild<QSpinBox*>(QStringLiteral("intensity"))->setValue(values->intensity);
        dialog->findChild<QSpinBox*>(QStringLiteral("dx"))->setValue(values->dx);
        dialog->findChild<QSpinBox*>(QStringLiteral("dy"))->setValue(values->dy);
        dialog->findChild<QDialogButtonBox*>()->buttons().first()->click();  // OK
    });
}

TEST(DropShadowDialog, HandsItsValuesOnToTheShadowOfTheTextLayer)
{
    using testing::Rgb;
    auto doc = testing::EmptyDocument(120, 80);
    // A 20 x 10 block of lettering with its top-left corner at (30, 20), over white.
    testing::AppendLayer(*doc, testing::SolidPicture(20, 10, {255, 0, 0}), MakeGreyFilled(20, 10, 255), 30, 80 - 20 - 10)
        .kind = LAYER_TEXT;
    testing::AppendLayer(*doc, testing::SolidPicture(120, 80, {255, 255, 255}));
    SetCurrentLayer(*doc, 0);

    DropShadowSettings last{5, 60, 5, 5};
    AnswerShadowDialog(last, std::nullopt);
    EXPECT_FALSE(AskAndAddDropShadow(nullptr, *doc, last));
    EXPECT_EQ(doc->layers[0].kind, LAYER_TEXT);
    EXPECT_EQ(last.intensity, 60);

    AnswerShadowDialog(last, DropShadowSettings{0, 100, 7, -4});
    ASSERT_TRUE(AskAndAddDropShadow(nullptr, *doc, last));
    EXPECT_EQ(std::tie(last.radius, last.intensity, last.dx, last.dy), std::make_tuple(0, 100, 7, -4));
    ASSERT_EQ(doc->layerCount, 2);
    EXPECT_EQ(doc->layers[0].kind, LAYER_IMAGE);
    const auto box = GetLayerTopDownRect(*doc, 0);
    ASSERT_TRUE(box);
    EXPECT_EQ(*box, (Rect{30, 16, 57, 30}));
    // A black shadow beside the lettering, red lettering over it, white where neither is.
    const auto shown = [&](int x, int top) { return testing::Pixel24(doc->composite, x, 80 - 1 - top); };
    EXPECT_EQ(shown(55, 18), (Rgb{0, 0, 0}));
    EXPECT_EQ(shown(35, 25), (Rgb{255, 0, 0}));
    EXPECT_EQ(shown(35, 16), (Rgb{255, 255, 255}));
}

// The dialog shows the face the lettering is drawn with, and its font dialog opens on it, while
// the stored font keeps the name it was given.
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
