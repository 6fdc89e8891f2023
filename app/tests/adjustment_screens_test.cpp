// The editing screens on the main window with real documents: the sliders a mode shows and
// their labels, the effects list's pictures of each effect on the current picture, the text
// page's font list, and the workspace strip's close crosses and lamp.

#include "app/skin/list_box_registry.h"
#include "app/tests/editing_window.h"
#include "app/widgets/qt_geometry.h"
#include "app/widgets/skin_list_box.h"
#include "effects/catalogue.h"
#include "effects/operation_codes.h"
#include "edit/tools/text/text_tool.h"
#include "edit/tools/tool_registry.h"

#include <QTest>
#include <QApplication>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

class AdjustmentScreens : public EditingWindow {
protected:
    // Index of the thumb of the panel's button with this handler and argument.
    static int thumb(const SkinPanelWidget& p, skin::Handler handler, int argument)
    {
        return ControlIndex(p, handler, argument, skin::ButtonKind::SliderThumb);
    }
    static void click(SkinPanelWidget& p, skin::Handler handler, int argument)
    {
        const int i = ControlIndex(p, handler, argument, skin::ButtonKind::Push);
        ASSERT_GE(i, 0) << "no such button";
        QTest::mouseClick(&p, Qt::LeftButton, Qt::NoModifier, ToQRect(p.input().control(i).rect).center());
    }
    static QWidget* readoutOf(const SkinPanelWidget& p, int thumbIndex)
    {
        for (QWidget* child : p.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->property(kSliderOfReadout).toInt() == thumbIndex + 1)
                return child;
        return nullptr;
    }
    static int effectItem(int code)
    {
        const auto catalogue = effects::EffectCatalogue();
        for (std::size_t i = 0; i < catalogue.size(); ++i)
            if (catalogue[i].code == code)
                return int(i);
        return -1;
    }
    // The colour in the middle of an item's picture as the list paints it (the item scrolled
    // to the top row).
    static QColor shownPicture(SkinListBox& list, int item)
    {
        list.list().scrollTo(item);
        const QImage shot = list.popup().grab().toImage();
        return shot.pixelColor(list.rowPictureRect(item - list.list().firstVisible()).center());
    }
};

TEST_F(AdjustmentScreens, EachModeShowsOnlyTheSlidersItReadsAndHiddenOnesIgnoreTheMouse)
{
    open(0x808080, "cinza");
    ASSERT_TRUE(window.switchScreen(10));
    SkinPanelWidget& p = panel(2);
    ASSERT_EQ(p.panel(), 10);
    const int thumbs[] = {thumb(p, skin::Handler::EnhancementSlider, 1), thumb(p, skin::Handler::EnhancementSlider, 2),
                          thumb(p, skin::Handler::EnhancementSlider, 3)};
    const int expected[] = {1, 2, 2, 3, 1, 1};
    // Each label names what its slider does in the mode, and goes with a hidden slider.
    const QStringList labels[] = {{"Brilho", "", ""},     {"Brilho", "Contraste", ""}, {"Matiz", "Saturação", ""},
                                  {"Vermelho", "Verde", "Azul"}, {"Nitidez", "", ""},         {"Suavização", "", ""}};
    for (int mode : {3, 0, 1, 4, 2, 5}) {
        click(p, skin::Handler::EnhancementMode, mode);
        for (int k = 0; k < 3; ++k) {
            // The slider, its label, its track and its readout.
            const bool hidden = k >= expected[mode];
            const QWidget* readout = readoutOf(p, thumbs[k]);
            EXPECT_EQ(std::tuple(p.input().hidden(thumbs[k]), p.shownSliderLabel(thumbs[k]),
                                 p.input().hidden(thumbs[k] - 1), readout ? readout->isHidden() : hidden),
                      std::tuple(hidden, labels[mode][k], hidden, hidden))
                << "mode " << mode << " slider " << k + 1;
        }
    }
    // Mode 5 reads slider 1 only: a press on slider 3's track changes nothing.
    const skin::Rect track = p.input().slider(thumbs[2])->track;
    QTest::mouseClick(&p, Qt::LeftButton, Qt::NoModifier, QPoint(track.right - 3, track.top + track.height() / 2));
    EXPECT_EQ(p.input().slider(thumbs[2])->value, 50);

    // The effects screen: the negative has nothing for its strength to do.
    ASSERT_TRUE(window.switchScreen(27));
    SkinPanelWidget& effects = panel(2);
    auto* list = effects.findChild<SkinListBox*>(kListBoxClass);
    ASSERT_NE(list, nullptr);
    const int strength = thumb(effects, skin::Handler::EffectStrength, 0);
    EXPECT_FALSE(effects.input().hidden(strength) || effects.shownSliderLabel(strength).isEmpty());
    const int negative = effectItem(effects::kOpNegative);
    list->list().scrollTo(negative);
    QTest::mouseClick(&list->popup(), Qt::LeftButton, Qt::NoModifier, list->rowRect(negative - list->list().firstVisible()).center());
    ASSERT_EQ(list->list().selection(), negative);
    EXPECT_TRUE(effects.input().hidden(strength) && effects.shownSliderLabel(strength).isEmpty())
        << "the label leaves with the slider";
    QTest::mouseClick(&list->popup(), Qt::LeftButton, Qt::NoModifier, list->rowRect(negative + 1 - list->list().firstVisible()).center());
    EXPECT_FALSE(effects.input().hidden(strength));

    // Shown again, a panel starts with every slider in sight until the mode says otherwise.
    ASSERT_TRUE(window.switchScreen(10));
    EXPECT_EQ(std::tuple(panel(2).input().hidden(thumbs[0]), panel(2).input().hidden(thumbs[1])), std::tuple(false, true))
        << "mode 0 again";
}

// A screen switch drops the last screen's hint, but the picture's zoom stays in the status
// field: nothing on the effects screen would bring it back.
TEST_F(AdjustmentScreens, TheZoomReadoutStaysInTheStatusFieldAcrossScreenSwitches)
{
    open(0x808080, "cinza");
    const QString readout = window.statusText();
    ASSERT_TRUE(readout.contains(QStringLiteral("Visualizar"))) << readout.toStdString();
    window.setStatusText(QStringLiteral("Desfazer"));
    for (const int screen : {27, 10}) {
        ASSERT_TRUE(window.switchScreen(screen));
        EXPECT_EQ(window.statusText(), readout) << screen;
    }
}

TEST_F(AdjustmentScreens, TheEffectsListShowsEachEffectOnTheCurrentPictureAndFollowsItsChanges)
{
    open(0x204080, "azul");  // red 0x80, green 0x40, blue 0x20
    ASSERT_TRUE(window.switchScreen(27));
    auto* list = panel(2).findChild<SkinListBox*>(kListBoxClass);
    ASSERT_NE(list, nullptr);
    const int count = int(effects::EffectCatalogue().size());
    ASSERT_EQ(list->list().count(), count);
    EXPECT_TRUE(list->rowPicture(0).isNull()) << "computed after the screen shows, not while it opens";

    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->rowPicture(count - 1).isNull(); }, 10000));
    for (int item = 0; item < count; ++item) {
        const QImage picture = list->rowPicture(item);
        ASSERT_FALSE(picture.isNull()) << item;
        EXPECT_EQ(picture.size(), QSize(120, 80).scaled(list->rowPictureBox(), Qt::KeepAspectRatio)) << item;
    }
    const int negative = effectItem(effects::kOpNegative);
    EXPECT_EQ(shownPicture(*list, negative), QColor(0x7F, 0xBF, 0xDF)) << "the negative of the picture, painted in its row";

    // Another window becomes the active one: the pictures follow its picture.
    open(0xC0E010, "amarela");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownPicture(*list, negative) == QColor(0xEF, 0x1F, 0x3F); }, 5000))
        << "shows " << shownPicture(*list, negative).name().toStdString();
}

constexpr int kTextPage = 11;

using FontList = EditingWindow;

TEST_F(FontList, ShowsTheFamiliesSelectsTheToolsFaceAndAPickReachesTheTool)
{
    auto* tool = dynamic_cast<TextTool*>(Tools().find(tool_id::kText));
    ASSERT_NE(tool, nullptr);
    tool->choice().settings.font.faceName = "Arial";

    ASSERT_TRUE(window.switchScreen(kTextPage));
    auto* box = panel(1).findChild<SkinListBox*>(kListBoxClass);
    ASSERT_NE(box, nullptr);
    skin::ListBox& list = box->list();
    const QStringList families = QFontDatabase::families();
    ASSERT_TRUE(families.contains(QStringLiteral("Liberation Sans"))) << "the program's fonts are installed";
    EXPECT_TRUE(list.count() >= 2 && list.count() <= int(families.size())) << list.count();
    ASSERT_GE(list.selection(), 0);
    EXPECT_EQ(list.text(list.selection()), "Liberation Sans") << "Arial is drawn with its stand-in";

    const int other = list.selection() == 0 ? 1 : 0;
    list.scrollTo(0);
    QTest::mouseClick(&box->popup(), Qt::LeftButton, Qt::NoModifier, box->rowRect(other).center());
    ASSERT_EQ(list.selection(), other);
    EXPECT_EQ(tool->choice().settings.font.faceName, std::string(list.text(other)));

    // Leaving the page and coming back shows the same list with the pick selected.
    const int count = list.count();
    ASSERT_TRUE(window.switchScreen(2));
    ASSERT_TRUE(window.switchScreen(kTextPage));
    const skin::ListBox& shown = *window.listBox(skin::kFontListControl);
    EXPECT_EQ(std::tuple(shown.count(), shown.selection()), std::tuple(count, other));
    tool->choice().settings.font.faceName.clear();
}

constexpr int kLeftClose = 209;
constexpr int kRightClose = 210;

struct WorkspaceStrip : EditingWindow {
    void SetUp() override
    {
        EditingWindow::SetUp();
        ASSERT_TRUE(window.switchScreen(2));
        open(0x808080, "/fotos/praia.bmp");
    }

    SkinPanelWidget& base() const { return *window.skin()->panelAt(0); }
    void click(int control)
    {
        QTest::mouseClick(&base(), Qt::LeftButton, Qt::NoModifier, window.controlRect(control)->center());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString lampTip()
    {
        const QPoint lamp = window.controlRect(kIndicatorControl)->center();
        QHelpEvent help(QEvent::ToolTip, lamp, base().mapToGlobal(lamp));
        QApplication::sendEvent(&base(), &help);
        const QString tip = QToolTip::text();
        QToolTip::hideText();
        return tip;
    }
};

TEST_F(WorkspaceStrip, EitherCrossClosesTheActivePictureAskingFirstWhenItChanged)
{
    const QPoint cross = window.controlRect(kLeftClose)->center();
    QMouseEvent move(QEvent::MouseMove, cross, base().mapToGlobal(cross), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&base(), &move);
    EXPECT_EQ(window.statusText().trimmed(), QStringLiteral("Fechar imagem")) << "its tip";
    const auto lamp = [&] { return std::tuple(window.indicatorLit(), lampTip()); };
    EXPECT_EQ(lamp(), std::tuple(false, QStringLiteral("A imagem não tem alterações por salvar")));

    window.handlers().call(skin::Handler::FlipHorizontal);
    EXPECT_EQ(lamp(), std::tuple(true, QStringLiteral("A imagem tem alterações não salvas")));

    // The question of "Fechar imagem"; a cancelled close is no refusal.
    ui.answers = {ui::Answer::Cancel};
    click(kLeftClose);
    EXPECT_EQ(std::tuple(ui.messages.size(), documents.count(), ui.beeps), std::tuple(1u, 1, 0));

    ui.answers = {ui::Answer::No};
    click(kRightClose);
    EXPECT_EQ(documents.count(), 0);
    EXPECT_EQ(lamp(), std::tuple(false, QStringLiteral("Nenhuma imagem aberta")));
    click(kLeftClose);
    EXPECT_EQ(ui.beeps, 0);
}

}  // namespace
}  // namespace lv::app
