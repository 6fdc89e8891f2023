// The image size, canvas size and "Girar todas as camadas" dialogs, answered through the
// image screen's buttons: what the user sets reaches the whole-picture commands. The text
// tool's dialog and the shadow dialog hand on what the user set.

#include "app/tests/editing_window.h"
#include "app/core/view/colours.h"
#include "app/shell/handler_table.h"
#include "app/skin/handlers.h"
#include "app/widgets/angle_dial_widget.h"
#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "app/shell/main_window.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/tests/pictures.h"
#include "app/editing/drop_shadow_dialog.h"
#include "app/editing/text_dialog.h"
#include "edit/layer_pictures.h"
#include "edit/tests/layer_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QFontDialog>
#include <QGroupBox>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>

namespace lv::app {
namespace {

constexpr std::uint32_t kPictureColour = 0x204080;  // red 0x80, blue 0x20
const char kTooLarge[] = "O tamanho da imagem é grande demais.\nLargura e altura até 10000 Pixel.";

template <typename T>
T* child(QDialog& dialog, const char* name)
{
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

void pressOk(QDialog& dialog)
{
    for (QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons())
        if (button->text() == QStringLiteral("OK"))
            button->click();
}

// 300 × 200 at 200 dpi, one background layer, in a window of a 700 × 500 workspace.
struct GeometryDialogs : ::testing::Test, BareEditingWindow {
    GeometryDialogs()
    {
        auto stack = CreateLayerStackFromImage(DibCreate(300, 200, kPictureColour, false));
        CompositeLayers(*stack);
        documents.openDocumentWindow(std::move(stack), "medidas");
    }

    LayerStack& document() { return documents.active()->document(); }
    std::pair<int, int> size() { return {document().width, document().height}; }

    // Presses the button; `answer` acts on the dialog named `name` once it shows.
    void run(skin::Handler button, const char* name, std::function<void(QDialog&)> answer)
    {
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            ASSERT_EQ(dialog->objectName(), QString::fromLatin1(name));
            answered = true;
            answer(*dialog);
            if (dialog->isVisible())
                dialog->reject();  // a failed expectation must not leave it open
        });
        main.handlers().call(button);
        EXPECT_TRUE(answered);
    }
};

TEST_F(GeometryDialogs, ImageSizeInPixelsPercentAndPrintSizesWithTheSidesLockedOrNot)
{
    run(skin::Handler::ResizeImage, "image-size", [](QDialog& d) {
        auto* w = child<QDoubleSpinBox>(d, "width");
        EXPECT_EQ(std::tuple(w->value(), w->text()), std::tuple(300.0, QStringLiteral("300"))) << "whole pixels";
        w->setValue(150);
        EXPECT_EQ(child<QDoubleSpinBox>(d, "height")->value(), 100) << "locked to the picture's shape";
        pressOk(d);
    });
    EXPECT_EQ(size(), (std::pair{150, 100}));

    run(skin::Handler::ResizeImage, "image-size", [](QDialog& d) {
        d.findChild<QComboBox*>()->setCurrentIndex(1);  // percent
        EXPECT_EQ(child<QDoubleSpinBox>(d, "width")->value(), 100);
        child<QDoubleSpinBox>(d, "height")->setValue(301);
        EXPECT_EQ(child<QDoubleSpinBox>(d, "width")->value(), 301);
        pressOk(d);
    });
    EXPECT_EQ(size(), (std::pair{452, 301})) << "451.5 rounds up; 301 % of 100";

    // Inches: the resolution changes the print size shown, not the pixels.
    run(skin::Handler::ResizeImage, "image-size", [](QDialog& d) {
        d.findChild<QComboBox*>()->setCurrentIndex(2);
        auto* w = child<QDoubleSpinBox>(d, "width");
        EXPECT_DOUBLE_EQ(w->value(), 2.26) << "452 pixels at 200 dpi";
        d.findChild<QSpinBox*>()->setValue(100);
        EXPECT_DOUBLE_EQ(w->value(), 4.52);
        w->setValue(3);
        pressOk(d);
    });
    EXPECT_EQ(size(), (std::pair{300, 200}));

    // Centimetres with the lock off: one side alone.
    run(skin::Handler::ResizeImage, "image-size", [](QDialog& d) {
        d.findChild<QComboBox*>()->setCurrentIndex(3);
        d.findChild<QSpinBox*>()->setValue(100);
        d.findChild<QCheckBox*>()->setChecked(false);
        child<QDoubleSpinBox>(d, "width")->setValue(2.54);
        EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>(d, "height")->value(), 5.08);
        pressOk(d);
    });
    EXPECT_EQ(size(), (std::pair{100, 200}));
    EXPECT_TRUE(ui.messages.empty());

    run(skin::Handler::ResizeImage, "image-size", [](QDialog& d) {
        child<QDoubleSpinBox>(d, "width")->setValue(9);
        d.reject();
    });
    EXPECT_EQ(size(), (std::pair{100, 200})) << "Cancelar changes nothing";
}

TEST_F(GeometryDialogs, SidesOfTenThousandAndOneKeepTheDialogWithMessage2348AndTenThousandPasses)
{
    run(skin::Handler::ResizeImage, "image-size", [this](QDialog& d) {
        d.findChild<QCheckBox*>()->setChecked(false);
        child<QDoubleSpinBox>(d, "height")->setValue(10001);
        pressOk(d);
        EXPECT_EQ(std::tuple(d.isVisible(), ui.texts()), std::tuple(true, std::vector<std::string>{kTooLarge}));
        child<QDoubleSpinBox>(d, "height")->setValue(10000);
        child<QDoubleSpinBox>(d, "width")->setValue(2);
        pressOk(d);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(size(), (std::pair{2, 10000}));

    run(skin::Handler::CanvasSize, "canvas-size", [this](QDialog& d) {
        child<QSpinBox>(d, "width")->setValue(10001);
        pressOk(d);
        EXPECT_EQ(std::tuple(d.isVisible(), ui.texts().size()), std::tuple(true, 2u));
        d.reject();
    });
    EXPECT_EQ(size(), (std::pair{2, 10000}));
}

// Each anchor puts the old picture in its ninth of the grown canvas; the new area takes
// the secondary colour (the only layer is the background).
TEST_F(GeometryDialogs, TheNineCanvasAnchorsPlaceTheOldPicture)
{
    const RgbTriple c = SecondaryColour();
    const testing::Rgb background{c.red, c.green, c.blue};
    const testing::Rgb picture{0x80, 0x40, 0x20};
    int left = 0, top = 0;  // where the first picture now stands
    for (int anchor = 0; anchor < 9; ++anchor) {
        SCOPED_TRACE(anchor);
        const auto [width, height] = size();
        run(skin::Handler::CanvasSize, "canvas-size", [&](QDialog& d) {
            EXPECT_EQ(child<QSpinBox>(d, "width")->value(), width);
            child<QSpinBox>(d, "width")->setValue(width + 10);
            child<QSpinBox>(d, "height")->setValue(height + 20);
            QTest::mouseClick(child<QToolButton>(d, QStringLiteral("anchor%1").arg(anchor).toLatin1().constData()),
                              Qt::LeftButton);
            pressOk(d);
        });
        ASSERT_EQ(size(), (std::pair{width + 10, height + 20}));
        left += 10 * (anchor % 3) / 2;
        top += 20 * (anchor / 3) / 2;
        const HDIB& composite = document().composite;
        const auto at = [&](int x, int y) { return testing::Pixel24(composite, x, composite.height() - 1 - y); };
        EXPECT_EQ(std::tuple(at(left, top), at(left + 299, top + 199)), std::tuple(picture, picture));
        if (anchor % 3 != 0) {
            EXPECT_EQ(at(0, top), background) << "new columns on the left";
        }
        if (anchor / 3 != 2) {
            EXPECT_EQ(at(left, composite.height() - 1), background) << "new rows below";
        }
    }
}

TEST_F(GeometryDialogs, TheAngleDialogSpinsEveryLayerByTheDialsOrTheTypedAngle)
{
    run(skin::Handler::RotateAllLayers, "spin-layers", [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Girar todas as camadas"));
        // The turn's sense is said on the field's line, right after it.
        const QRect field = child<QSpinBox>(d, "angle")->geometry();
        const QRect said = child<QLabel>(d, "direction")->geometry();
        EXPECT_EQ(child<QLabel>(d, "direction")->text(), QStringLiteral("sentido anti-horário"));
        EXPECT_TRUE(said.top() < field.bottom() && field.top() < said.bottom() && said.left() >= field.right());
        AngleDialWidget* dial = nullptr;  // a plain widget class, found by its type
        for (QWidget* widget : d.findChildren<QWidget*>())
            dial = dial ? dial : dynamic_cast<AngleDialWidget*>(widget);
        ASSERT_TRUE(dial);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
        // Straight above the centre, inside the circle, is 90 degrees, reported once the needle is drawn.
        QTest::mouseClick(dial, Qt::LeftButton, {}, QPoint(dial->width() / 2, dial->height() / 2 - 25));
        dial->repaint();
        EXPECT_EQ(child<QSpinBox>(d, "angle")->value(), 90);
        pressOk(d);
    });
    EXPECT_EQ(size(), (std::pair{200, 300}));

    run(skin::Handler::RotateAllLayers, "spin-layers", [](QDialog& d) {
        auto* angle = child<QSpinBox>(d, "angle");
        angle->setValue(-400);
        EXPECT_EQ(angle->value(), -359);
        angle->setValue(-90);
        pressOk(d);
    });
    EXPECT_EQ(size(), (std::pair{300, 200}));

    run(skin::Handler::RotateAllLayers, "spin-layers", [](QDialog& d) {
        child<QSpinBox>(d, "angle")->setValue(0);
        pressOk(d);
    });
    EXPECT_EQ(std::tuple(size(), document().modified), std::tuple(std::pair{300, 200}, 1u)) << "no angle, no change";
}

TextToolChoice sampleChoice()
{
    TextToolChoice choice;
    choice.settings = {.text = "Olá\nação",
                       .font = {.height = -48, .weight = 700, .faceName = "Times New Roman"},
                       .style = {TextAlignment::Right, 150, 3, false},
                       .colour = 0x123456,
                       .left = 7,
                       .top = 9};
    choice.dropShadow = true;
    choice.shadow = {6, 80, -2, 4};
    return choice;
}

TEST(TextDialog, ShowsTheChoiceAndHandsBackWhatTheUserSet)
{
    const TextToolChoice given = sampleChoice();
    TextDialog dialog(nullptr, given, true);
    const TextToolChoice same = dialog.choice();
    const auto facts = [](const TextToolChoice& c) {
        return std::tie(c.settings.text, c.settings.font, c.settings.style, c.settings.colour, c.settings.left, c.dropShadow,
                        c.shadow.radius, c.shadow.intensity, c.shadow.dx, c.shadow.dy);
    };
    EXPECT_EQ(facts(same), facts(given));
    EXPECT_NE(dialog.findChild<QPushButton*>(QStringLiteral("font"))->text().indexOf(QStringLiteral("Times New Roman, 48 px, negrito")), -1);

    dialog.findChild<QPlainTextEdit*>(QStringLiteral("text"))->setPlainText(QStringLiteral("Feliz"));
    dialog.findChild<QCheckBox*>()->setChecked(true);
    dialog.findChild<QComboBox*>()->setCurrentIndex(1);
    dialog.findChild<QSpinBox*>(QStringLiteral("intensity"))->setValue(100);
    dialog.findChild<QSpinBox*>(QStringLiteral("radius"))->setValue(999);  // kept within range
    dialog.findChild<QGroupBox*>()->setChecked(false);
    const TextToolChoice changed = dialog.choice();
    EXPECT_EQ(std::tuple(changed.settings.text, changed.settings.style.smoothEdges, changed.settings.style.alignment,
                         changed.shadow.intensity, changed.shadow.radius, changed.dropShadow),
              std::tuple(std::string("Feliz"), true, TextAlignment::Centre, 100, kMaxShadowRadius, false));
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

std::tuple<int, int, int, int> Fields(const DropShadowSettings& s)
{
    return {s.radius, s.intensity, s.dx, s.dy};
}

// Answers the shadow dialog once it shows: checks what it shows, sets `values`, presses OK
// (or Cancelar without values).
void AnswerShadowDialog(DropShadowSettings shown, std::optional<DropShadowSettings> values)
{
    QTimer::singleShot(0, [shown, values] {
        auto* dialog = dynamic_cast<DropShadowDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Fields(dialog->settings()), Fields(shown));
        if (!values) {
            dialog->reject();
            return;
        }
        const auto [radius, intensity, dx, dy] = Fields(*values);
        const std::pair<const char*, int> fields[] = {{"radius", radius}, {"intensity", intensity}, {"dx", dx}, {"dy", dy}};
        for (const auto& [name, value] : fields)
            dialog->findChild<QSpinBox*>(QString::fromLatin1(name))->setValue(value);
        dialog->findChild<QDialogButtonBox*>()->buttons().first()->click();  // OK
    });
}

TEST(DropShadowDialog, HandsItsValuesOnToTheShadowOfTheTextLayer)
{
    auto doc = testing::EmptyDocument(120, 80);
    // A 20 x 10 block of lettering with its top-left corner at (30, 20), over white.
    testing::AppendLayer(*doc, testing::SolidPicture(20, 10, {255, 0, 0}), MakeGreyFilled(20, 10, 255), 30, 80 - 20 - 10)
        .kind = LAYER_TEXT;
    testing::AppendLayer(*doc, testing::SolidPicture(120, 80, {255, 255, 255}));
    SetCurrentLayer(*doc, 0);

    DropShadowSettings last{5, 60, 5, 5};
    AnswerShadowDialog(last, std::nullopt);
    EXPECT_FALSE(AskAndAddDropShadow(nullptr, *doc, last));
    EXPECT_EQ(std::tuple(doc->layers[0].kind, last.intensity), std::tuple(LAYER_TEXT, 60));

    AnswerShadowDialog(last, DropShadowSettings{0, 100, 7, -4});
    ASSERT_TRUE(AskAndAddDropShadow(nullptr, *doc, last));
    EXPECT_EQ(Fields(last), std::tuple(0, 100, 7, -4));
    ASSERT_EQ(doc->layerCount, 2);
    EXPECT_EQ(std::tuple(doc->layers[0].kind, GetLayerTopDownRect(*doc, 0)),
              std::tuple(LAYER_IMAGE, std::optional(Rect{30, 16, 57, 30})));
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
    choice.settings.font = {.height = -72, .weight = 400, .faceName = "Arial"};
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
    EXPECT_EQ(std::tuple(font.faceName, font.height), std::tuple(std::string("Arial"), -72))
        << "kept as stored when the drawn face is kept";
}

}  // namespace
}  // namespace lv::app
