// The layer palette in the main window: Ctrl+P, the layer page's check and the frame's menu
// show and hide it together, and its rows draw the skin's eye and lock pictures.

#include "app/core/layer_palette_layout.h"
#include "app/skin/skin_bitmaps.h"
#include "app/widgets/program_picture.h"
#include "app/editing/image_window.h"
#include "app/editing/layer_palette.h"
#include "app/tests/editing_window.h"
#include "app/widgets/qt_geometry.h"
#include "edit/layer_commands.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

constexpr int kLayersScreen = 3;

class PaletteOnSkin : public EditingWindow {
protected:
    void SetUp() override
    {
        EditingWindow::SetUp();
        QApplication::setActiveWindow(&window);
    }
    void TearDown() override
    {
        documents.showLayerPalette(false);
        EditingWindow::TearDown();
    }

    SkinPanelWidget& page() const { return *window.skin()->panelAt(1); }
    int checkIndex() const
    {
        for (int i = 0; i < int(page().input().size()); ++i)
            if (page().input().control(i).definition.handler == skin::Handler::ShowLayerPalette)
                return i;
        ADD_FAILURE() << "no palette check on the page";
        return 0;
    }
    bool checked() const { return page().input().selected(checkIndex()); }
    void clickCheck()
    {
        const QRect r = ToQRect(page().input().control(checkIndex()).rect);
        QTest::mouseClick(&page(), Qt::LeftButton, Qt::NoModifier, r.center());
    }
    // The frame's menu, by a right-click on the status line.
    QMenu* frameMenu()
    {
        const QPoint at = window.controlRect(kStatusControl)->center();
        QWidget* target = window.childAt(at);
        QTest::mouseClick(target, Qt::RightButton, Qt::NoModifier, target->mapFrom(&window, at));
        return window.findChild<QMenu*>(QStringLiteral("menu %1").arg(kHelpMenu));
    }
};

TEST_F(PaletteOnSkin, CtrlPTheCheckAndTheFrameMenuShowAndHideThePaletteTogether)
{
    ASSERT_TRUE(window.switchScreen(kLayersScreen));
    EXPECT_FALSE(documents.layerPaletteShown());
    EXPECT_FALSE(checked()) << "hidden at start, so not checked";

    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(documents.layerPaletteShown());
    EXPECT_TRUE(checked()) << "Ctrl+P checks the page's check";

    clickCheck();
    EXPECT_FALSE(documents.layerPaletteShown()) << "unchecking hides the palette";
    EXPECT_FALSE(checked());
    clickCheck();
    EXPECT_TRUE(documents.layerPaletteShown());

    std::unique_ptr<QMenu> menu(frameMenu());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().back()->text(), "Hide &Layer Palette\tCtrl+P");
    menu->actions().back()->trigger();
    EXPECT_FALSE(documents.layerPaletteShown());
    EXPECT_FALSE(checked()) << "the menu unchecks the check too";
    menu.reset();
    menu.reset(frameMenu());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().back()->text(), "Show &Layer Palette\tCtrl+P");

    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(documents.layerPaletteShown());
    documents.layerPalette()->close();  // the palette's own close box
    EXPECT_FALSE(checked()) << "closing the palette unchecks the check";

    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(window.switchScreen(2));
    ASSERT_TRUE(window.switchScreen(kLayersScreen));
    EXPECT_TRUE(checked()) << "the page shows the palette's state when it comes back";
}

TEST_F(PaletteOnSkin, TheRowsDrawTheSkinsEyeAndLockAtTheirParts)
{
    auto stack = CreateLayerStackFromImage(DibCreate(40, 30, 0x3060A0, false));
    CompositeLayers(*stack);
    ASSERT_TRUE(documents.openDocumentWindow(std::move(stack), "olho"));
    documents.showLayerPalette(true);
    LayerRows& rows = documents.layerPalette()->rows();
    const RowLayout layout = LayOutRow(rows.width(), kPaletteRowHeight);
    const auto part = [&](const Rect& r) {
        return rows.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(r.left, r.top, r.width(), r.height());
    };
    const auto bitmap = [](int id) { return ProgramPicture(skin::SkinBitmapFile(id)).convertToFormat(QImage::Format_RGB32); };
    for (const skin::SkinBitmap& b : skin::kSkinBitmaps) {
        const QImage picture = bitmap(b.id);
        ASSERT_EQ(picture.size(), QSize(b.width, b.height)) << "the generator drew bitmap " << b.id;
    }
    EXPECT_EQ(QSize(layout.eye.width(), layout.eye.height()), bitmap(skin::kEyeShownBitmap).size());
    EXPECT_EQ(QSize(layout.lock.width(), layout.lock.height()), bitmap(skin::kMaskLockedBitmap).size());

    EXPECT_EQ(part(layout.eye), bitmap(skin::kEyeShownBitmap));
    EXPECT_EQ(part(layout.lock), bitmap(skin::kMaskUnlockedBitmap));
    LayerStack& doc = documents.active()->document();
    ToggleLayerVisible(doc, 0);
    SetLayerMaskLocked(doc, 0, true);
    documents.layerPalette()->refresh();
    EXPECT_EQ(part(layout.eye), bitmap(skin::kEyeHiddenBitmap));
    EXPECT_EQ(part(layout.lock), bitmap(skin::kMaskLockedBitmap));
    EXPECT_NE(bitmap(skin::kEyeShownBitmap), bitmap(skin::kEyeHiddenBitmap));
    EXPECT_NE(bitmap(skin::kMaskLockedBitmap), bitmap(skin::kMaskUnlockedBitmap));
}

}  // namespace
}  // namespace lv::app
