// The enhancement panel's slider labels on the main window: each names what its slider does
// in the chosen mode, and a hidden slider's label goes with it.

#include "app/core/shell_state.h"
#include "app/editing/document_windows.h"
#include "app/shell/main_window.h"
#include "app/widgets/qt_geometry.h"
#include "app/widgets/skin_list_box.h"
#include "app/widgets/skin_panel_widget.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "effects/catalogue.h"
#include "effects/operation_codes.h"
#include "imagelib/dib_geometry.h"

#include <QTest>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

struct SliderLabels : ::testing::Test {
    void SetUp() override
    {
        Shell().displayBitsPerPixel = 24;
        Shell().screenMode = QueryScreenMode(Size{1280, 1024}, 0);
        ASSERT_TRUE(window.create());
        documents.attach(window);
        auto stack = CreateLayerStackFromImage(DibCreate(120, 80, 0x808080, false));
        CompositeLayers(*stack);
        ASSERT_TRUE(documents.openDocumentWindow(std::move(stack), "cinza"));
    }
    void TearDown() override { documents.closeAll(); }

    SkinPanelWidget& panel() const { return *window.skin()->panelAt(2); }
    static int button(const SkinPanelWidget& p, skin::Handler handler, int argument, skin::ButtonKind kind)
    {
        for (int i = 0; i < int(p.input().size()); ++i) {
            const skin::ButtonDefinition& d = p.input().control(i).definition;
            if (d.handler == handler && d.kind == kind && int(d.argument & 0xFFFF) == argument)
                return i;
        }
        return -1;
    }
    static QString shownLabel(const SkinPanelWidget& p, int thumb) { return p.shownSliderLabel(thumb); }

    testing::UiRecorder ui;
    TestHooks hooks;
    DocumentWindows documents{hooks};
    MainWindow window{documents, documents, hooks, [] {}};
};

TEST_F(SliderLabels, NameWhatEachSliderDoesInTheModeAndHideWithIt)
{
    ASSERT_TRUE(window.switchScreen(10));
    SkinPanelWidget& p = panel();
    const QStringList expected[] = {{"Brilho", "", ""},     {"Brilho", "Contraste", ""}, {"Matiz", "Saturação", ""},
                                    {"Vermelho", "Verde", "Azul"}, {"Nitidez", "", ""},         {"Suavização", "", ""}};
    for (const int mode : {3, 0, 2, 1, 5, 4}) {
        const int modeButton = button(p, skin::Handler::EnhancementMode, mode, skin::ButtonKind::Push);
        QTest::mouseClick(&p, Qt::LeftButton, Qt::NoModifier, ToQRect(p.input().control(modeButton).rect).center());
        for (int k = 0; k < 3; ++k) {
            const int thumb = button(p, skin::Handler::EnhancementSlider, k + 1, skin::ButtonKind::SliderThumb);
            EXPECT_EQ(shownLabel(p, thumb), expected[mode][k]) << "mode " << mode << " slider " << k + 1;
        }
    }

    // The effects' strength: its label leaves with the slider for the negative.
    ASSERT_TRUE(window.switchScreen(27));
    SkinPanelWidget& effects = panel();
    const int strength = button(effects, skin::Handler::EffectStrength, 0, skin::ButtonKind::SliderThumb);
    EXPECT_FALSE(shownLabel(effects, strength).isEmpty());
    auto* list = effects.findChild<SkinListBox*>(kListBoxClass);
    ASSERT_NE(list, nullptr);
    const auto catalogue = effects::EffectCatalogue();
    int negative = 0;
    while (catalogue[std::size_t(negative)].code != effects::kOpNegative)
        ++negative;
    list->list().scrollTo(negative);
    QTest::mouseClick(&list->popup(), Qt::LeftButton, Qt::NoModifier, list->rowRect(negative - list->list().firstVisible()).center());
    EXPECT_TRUE(shownLabel(effects, strength).isEmpty());
}

}  // namespace
}  // namespace lv::app
