#include "app/core/shell_state.h"
#include "app/core/tests/memory_store.h"
#include "app/editing/new_picture_dialog.h"
#include "app/editing/open_dialog.h"
#include "app/skin/help_context.h"
#include "app/shell/main_window.h"
#include "app/editing/paint_picture_dialog.h"
#include "app/widgets/album_browser.h"
#include "app/widgets/album_cell.h"
#include "app/editing/paint_options.h"
#include "app/widgets/qt_geometry.h"
#include "edit/paint/paint_stroke.h"
#include "app/editing/wand_options.h"
#include "edit/tools/tool_registry.h"
#include "edit/tools/tool_settings.h"
#include "app/skin/handlers.h"
#include "app/skin/keyboard.h"
#include "app/skin/screen_composition.h"
#include "app/tests/shell_fakes.h"
#include "common/testing/ui_recorder.h"
#include "app/shell/single_instance.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QUrl>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLocalSocket>
#include <QTimer>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

using skin::Handler;

class RecordingScreen final : public ScreenCode {
public:
    void privateRequest(const PrivateRequestEvent& request) override
    {
        requests.push_back({request.request(), std::any_cast<int>(request.payload())});
    }
    bool filesDropped(const std::vector<std::string>& files) override
    {
        dropped = files;
        return true;
    }
    std::vector<std::pair<int, int>> requests;
    std::vector<std::string> dropped;
};

// The main window on the build's skin, created as start-up creates it.
class Screens : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        Shell().displayBitsPerPixel = 24;
        Shell().screenMode = QueryScreenMode(GetParam() == 0 ? Size{1280, 1024} : Size{800, 600}, 0);
        ASSERT_EQ(Shell().screenMode.mode, GetParam());
        ASSERT_TRUE(window.create());
        QApplication::setActiveWindow(&window);
    }

    bool large() const { return GetParam() == 0; }
    std::vector<int> panels() const
    {
        std::vector<int> ids;
        for (const ShownPanel& p : window.skin()->panels())
            ids.push_back(p.panel);
        return ids;
    }
    SkinPanelWidget& panel(int level) const { return *window.skin()->panelAt(level); }

    // A real click on whatever widget lies at the point of the main window.
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget* target = window.childAt(at);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, button, Qt::NoModifier, target->mapFrom(&window, at));
    }
    void clickControl(int controlId)
    {
        const auto r = window.controlRect(controlId);
        ASSERT_TRUE(r) << controlId;
        click(r->center());
    }
    // The button of the panel at `level` whose handler and argument these are: its index, or
    // its centre in the main window.
    int buttonIndexOf(int level, Handler handler, std::uint32_t argument = 0) const
    {
        const SkinPanelWidget& p = panel(level);
        for (int i = 0; i < int(p.input().size()); ++i)
            if (p.input().control(i).definition.handler == handler && p.input().control(i).definition.argument == argument)
                return i;
        ADD_FAILURE() << "no such button on level " << level;
        return 0;
    }
    QPoint buttonOf(int level, Handler handler, std::uint32_t argument = 0) const
    {
        const skin::Rect r = panel(level).input().control(buttonIndexOf(level, handler, argument)).rect;
        return panel(level).geometry().topLeft() + ToQRect(r).center();
    }
    void drop(const QStringList& names)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& n : names)
            urls << QUrl::fromLocalFile(n);
        mime.setUrls(urls);
        QDropEvent event(QPointF(400, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        static_cast<QObject&>(window).event(&event);
    }
    QTimer* timer(int id) const { return window.findChild<QTimer*>(QStringLiteral("timer %1").arg(id)); }

    testing::UiRecorder ui;
    RecordingOpener opener;
    FakeImageWindows images;
    TestHooks hooks;
    int destroyed = 0;
    MainWindow window{opener, images, hooks, [this] { ++destroyed; }};
};

TEST_P(Screens, StartOnScreen0WithTheSplashInTheWorkspaceAndTheTimersRunning)
{
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    const bool frameless = window.windowFlags() & Qt::FramelessWindowHint;
    EXPECT_EQ(std::tuple(window.objectName(), frameless, window.screen(), panels()),
              std::tuple(QString("Lumivista 2000"), true, 0, std::vector<int>{0}));
    EXPECT_EQ(window.size(), large() ? QSize(1024, 768) : QSize(800, 600));
    EXPECT_EQ(panel(0).geometry(), window.rect());

    ASSERT_NE(timer(kImageTickTimer), nullptr);
    EXPECT_EQ(std::tuple(timer(kImageTickTimer)->interval(), timer(skin::kAreaBlinkTimer)->interval(),
                         timer(skin::kPageBlinkTimer)->isActive()),
              std::tuple(500, 400, false));

    const QImage splash(QString(LV_PROGRAM_DIR) + (large() ? "/ui/splashscreen.800" : "/ui/splashscreen.640"), "BMP");
    ASSERT_FALSE(splash.isNull());
    const QRect workspace = *window.controlRect(kWorkspaceControl);
    const QImage shot = window.grab().toImage();
    const QPoint corner = workspace.topLeft()
                        + QPoint((workspace.width() - splash.width()) / 2, (workspace.height() - splash.height()) / 2);
    const QPoint inside(splash.width() / 3, splash.height() / 2);
    EXPECT_EQ(shot.pixel(corner + inside), splash.pixel(inside));

    images.open = true;
    panel(0).repaint();
    EXPECT_NE(window.grab().toImage().pixel(corner + inside), splash.pixel(inside)) << "no splash over a document";
}

TEST_P(Screens, PagesNestTwoDeepInTheirHostsAndPanelsThatStayKeepTheirWindows)
{
    clickControl(148);
    EXPECT_EQ(panels(), (std::vector<int>{0, 2}));
    EXPECT_EQ(panel(1).geometry(), *window.controlRect(101)) << "the nested panel sits in its host";
    EXPECT_TRUE(panel(1).isVisible());
    EXPECT_EQ(panel(0).shownImage(skin::ButtonIndexByControl(0, 148)), skin::ImageState::Pressed);
    SkinPanelWidget* base = &panel(0);
    click(buttonOf(1, Handler::SwitchScreen, 12));
    EXPECT_EQ(window.screen(), 12);
    SkinPanelWidget* paint = &panel(1);
    click(buttonOf(1, Handler::SwitchScreen, 13));
    EXPECT_EQ(window.screen(), 13);
    EXPECT_EQ(panels(), (std::vector<int>{0, 12, 13}));
    EXPECT_EQ(std::tuple(&panel(0), &panel(1)), std::tuple(base, paint));
    EXPECT_EQ(panel(2).geometry(), *window.controlRect(157));
    EXPECT_EQ(panel(1).shownImage(buttonIndexOf(1, Handler::SwitchScreen, 13)), skin::ImageState::Pressed);
}

TEST_P(Screens, TheInternetWindowHasItsOwnBaseAndVoltarReturns)
{
    clickControl(151);
    click(buttonOf(1, Handler::SwitchScreen, 28));
    EXPECT_EQ(window.screen(), 28);
    EXPECT_EQ(panels(), std::vector<int>{28});
    EXPECT_FALSE(window.controlRect(kWorkspaceControl));
    click(buttonOf(0, Handler::SwitchScreen, 29));
    EXPECT_EQ(panels(), (std::vector<int>{28, 33, 29}));
    click(buttonOf(1, Handler::SwitchScreen, 29));
    EXPECT_EQ(window.screen(), 29) << "the links page's own choice, alone in its group, stays there";
    click(buttonOf(0, Handler::SwitchScreen, 30));
    EXPECT_EQ(panels(), (std::vector<int>{28, 32, 30, 34}));
    click(buttonOf(0, Handler::ReturnFromInternet));
    EXPECT_EQ(std::tuple(window.screen(), panels()), std::tuple(25, std::vector<int>{0, 25}));
}

TEST_P(Screens, ARightClickOnAButtonOpensTheScreensHelpElsewhereTheHelpMenuAndAjudaTheContents)
{
    clickControl(147);
    click(window.controlRect(149)->center(), Qt::RightButton);
    ASSERT_NE(window.helpWindow(), nullptr);
    EXPECT_EQ(window.helpWindow()->page(), "tela18.html");
    EXPECT_FALSE(window.helpWindow()->toPlainText().isEmpty());
    click(buttonOf(0, Handler::HelpContents));
    EXPECT_EQ(window.helpWindow()->page(), "index.html");
    window.helpWindow()->close();

    click(window.controlRect(kWorkspaceControl)->center(), Qt::RightButton);
    EXPECT_EQ(window.findChild<QMenu*>(), nullptr) << "the workspace belongs to the image windows";

    const QRect status = *window.controlRect(kStatusControl);
    click(status.center(), Qt::RightButton);
    auto* menu = window.findChild<QMenu*>(QStringLiteral("menu 221"));
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text();
    ASSERT_EQ(texts, (QStringList{"&Ajuda", "&Preferências...", "Show &Layer Palette\tCtrl+P"}));
    menu->actions()[0]->trigger();
    EXPECT_TRUE(window.helpWindow()->isVisible());
    int preferences = 0;
    window.setCommandHandler(kCommandPreferences, [&] { ++preferences; });
    menu->actions()[1]->trigger();
    EXPECT_EQ(preferences, 1);
    menu->close();
    delete menu;

    // Only the base panel's buttons open their screen's help; a nested panel's show the menu.
    click(buttonOf(1, Handler::SwitchScreen, 18), Qt::RightButton);
    auto* nested = window.findChild<QMenu*>(QStringLiteral("menu 221"));
    ASSERT_NE(nested, nullptr) << "a right-click on a page button showed nothing";
    nested->close();
    delete nested;
}

TEST_P(Screens, TheAboutBoxNamesTheProgramItsVersionAndTheLibrariesWithTheirLicences)
{
    QString shown, text;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown = modal->objectName();
            for (const QLabel* label : modal->findChildren<QLabel*>())
                text += label->text() + '\n';
            modal->close();
        }
    });
    clickControl(145);
    EXPECT_EQ(shown, "about");
    EXPECT_NE(text.indexOf("Lumivista 2000"), -1);
    EXPECT_NE(text.indexOf("Versão 2.00"), -1) << text.toStdString();
    for (const char* notice : {"Qt 6.", "licença LGPL", "libjpeg-turbo", "libpng 1.6", "zlib 1.", "licença zlib", "SIL Open Font"})
        EXPECT_NE(text.indexOf(QString::fromUtf8(notice)), -1) << notice << " in " << text.toStdString();
    EXPECT_EQ(text.indexOf("Abra uma foto"), -1) << "not the splash";
}

TEST_P(Screens, TheStartScreensCardsLeadToTheirAreasAsTheAreaButtonsDo)
{
    ASSERT_EQ(window.screen(), 0);
    const int card = skin::ButtonIndexByControl(0, 173);  // "Editar"
    ASSERT_GE(card, 0);
    EXPECT_EQ(panel(0).shownImage(card), skin::ImageState::Normal) << "not drawn pressed on the start screen";
    clickControl(173);
    // Its area button shows chosen, and the area buttons stop blinking.
    EXPECT_EQ(std::tuple(window.screen(), panel(0).shownImage(skin::ButtonIndexByControl(0, 148)),
                         timer(skin::kAreaBlinkTimer)->isActive()),
              std::tuple(2, skin::ImageState::Pressed, false));

    ASSERT_TRUE(window.switchScreen(0));
    clickControl(175);
    EXPECT_EQ(window.screen(), 25);
}

// Each dialog sets its help context while it shows, and F1 in it opens that page.
TEST_P(Screens, F1InADialogOpensTheHelpOfThatDialog)
{
    testing::MemoryStore store;
    EXPECT_FALSE(skin::CurrentHelpContext());
    {
        NewPictureDialog dialog(&window, store);
        dialog.setWindowModality(Qt::ApplicationModal);  // as exec() shows it
        dialog.show();
        EXPECT_EQ(skin::CurrentHelpContext(), 600);
        {
            OpenDialog open(&dialog, false, "/");
            open.show();
            EXPECT_EQ(skin::CurrentHelpContext(), 750);
            open.hide();
        }
        EXPECT_EQ(skin::CurrentHelpContext(), 600) << "the dialog under it again";
        QApplication::setActiveWindow(&dialog);
        QTest::keyClick(&dialog, Qt::Key_F1);
        ASSERT_NE(window.helpWindow(), nullptr);
        EXPECT_EQ(window.helpWindow()->page(), "caixas-de-dialogo.html#d600");
        EXPECT_TRUE(window.helpWindow()->isModal()) << "usable over the dialog";
        window.helpWindow()->close();
        EXPECT_FALSE(window.helpWindow()->isModal());
    }
    EXPECT_FALSE(skin::CurrentHelpContext()) << "cleared when the dialog closed";
    for (const int dialog : {skin::kOpenDialog, skin::kSaveAsDialog, skin::kNewPictureDialog, skin::kAboutDialog})
        EXPECT_TRUE(skin::HelpContextForDialog(dialog)) << dialog;
}

TEST_P(Screens, TabCyclesTheFieldsOfTheMailPageAndTheStoreLoginIsOneForBothPages)
{
    ASSERT_TRUE(window.switchScreen(4));
    window.activateWindow();
    window.setFocus();
    const auto tabs = [&](int times) {
        std::vector<int> order;
        for (int i = 0; i < times; ++i) {
            window.runCommand(skin::kCommandNextField);
            order.push_back(SkinFields::ControlOf(window.focusWidget()));
        }
        return order;
    };
    EXPECT_EQ(tabs(4), (std::vector<int>{156, 157, 158, 156}));
    // Another window has the keyboard, as before the window system has made this one active:
    // Tab still goes on from the field last given the focus.
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    ASSERT_NE(QApplication::activeWindow(), &window);
    EXPECT_EQ(tabs(3), (std::vector<int>{157, 158, 156}));
    EXPECT_NE(dynamic_cast<QPlainTextEdit*>(window.skin()->field(158)), nullptr) << "the message has many lines";

    ASSERT_TRUE(window.switchScreen(6));
    auto* password = dynamic_cast<QLineEdit*>(window.skin()->field(102));
    ASSERT_NE(password, nullptr);
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    QTest::keyClicks(window.skin()->field(160), "ana");
    ASSERT_TRUE(window.switchScreen(24));
    EXPECT_EQ(dynamic_cast<QLineEdit*>(window.skin()->field(160))->text(), "ana");
}

TEST_P(Screens, TheIndicatorShowsItsLitPictureWhenAsked)
{
    const QImage lit(QString(LV_PROGRAM_DIR) + "/ui/Indicator.640", "BMP");
    const QImage blank(QString(LV_PROGRAM_DIR) + "/ui/Indicatorblank.640", "BMP");
    ASSERT_FALSE(lit.isNull() || blank.isNull());
    const QPoint lamp = window.controlRect(kIndicatorControl)->topLeft();
    const QPoint middle(lit.width() / 2, lit.height() / 2);
    ASSERT_NE(lit.pixel(middle), blank.pixel(middle));
    EXPECT_EQ(window.grab().toImage().pixel(lamp + middle), blank.pixel(middle));
    window.setIndicatorLit(true);
    EXPECT_EQ(window.grab().toImage().pixel(lamp + middle), lit.pixel(middle));
}

TEST_P(Screens, ClosingAsksTheImageWindowsAndARefusalKeepsTheProgramRunning)
{
    images.closes = false;
    EXPECT_FALSE(window.close());
    EXPECT_EQ(std::tuple(images.closeRequests, destroyed, window.isVisible()), std::tuple(1, 0, true));

    images.closes = true;
    window.runCommand(skin::kCommandClose);
    EXPECT_EQ(std::tuple(images.closeRequests, destroyed, timer(kImageTickTimer)->isActive()), std::tuple(2, 1, false));
    window.show();
    window.close();
    EXPECT_EQ(destroyed, 1) << "the shutdown runs once";
}

TEST_P(Screens, DroppedFilesFollowTheRulesOfTheScreen)
{
    RecordingScreen webAlbum;
    drop({"/fotos/Praia.bmp", "/fotos/b.bmp"});
    EXPECT_EQ(opener.opened, std::vector<std::string>{"/fotos/Praia.bmp"}) << "the first only, its case kept";
    drop({"/fotos/notas.txt"});
    EXPECT_EQ(ui.beeps, 1) << "the opener refused it";
    ui.beeps = 0;

    ASSERT_TRUE(window.switchScreen(29));
    drop({"/fotos/c.bmp"});
    EXPECT_EQ(ui.beeps, 1);

    ASSERT_TRUE(window.switchScreen(30));
    drop({"/fotos/c.bmp", "/fotos/d.jpg"});
    EXPECT_EQ(ui.beeps, 2) << "nothing builds web albums yet";
    window.setScreenCode(30, &webAlbum);
    drop({"/fotos/c.bmp", "/fotos/d.jpg"});
    EXPECT_EQ(std::tuple(webAlbum.dropped, opener.opened.size()),
              std::tuple(std::vector<std::string>{"/fotos/c.bmp", "/fotos/d.jpg"}, 1u));
}

TEST_P(Screens, PrivateRequestsReachTheScreenShownButNothingDuringASwitch)
{
    RecordingScreen album;
    window.setScreenCode(18, &album);
    PrivateRequestEvent early(kAcquiredPictureRequest, 1);
    QApplication::sendEvent(&window, &early);
    EXPECT_TRUE(album.requests.empty());

    ASSERT_TRUE(window.switchScreen(18));
    PrivateRequestEvent acquired(kAcquiredPictureRequest, 42);
    QApplication::sendEvent(&window, &acquired);
    EXPECT_EQ(album.requests, (std::vector<std::pair<int, int>>{{1024, 42}}));

    bool closedDuringSwitch = true;
    window.switchFeatures().closeAuxiliaryWindows = [&](int screen) {
        EXPECT_EQ(screen, 18);
        PrivateRequestEvent palette(kRealisePaletteRequest, 7);
        QApplication::sendEvent(&window, &palette);
        closedDuringSwitch = window.close();
    };
    ASSERT_TRUE(window.switchScreen(2));
    EXPECT_EQ(album.requests.size(), 1u) << "held back during the switch";
    EXPECT_EQ(std::tuple(closedDuringSwitch, destroyed), std::tuple(false, 0));
}

TEST_P(Screens, TheWandPanelShowsAndSetsTheWandsSettingsThroughArrowsPagesFieldsAndChoices)
{
    WandOptions options(window);
    WandSettings& wand = CurrentToolSettings().wand;
    wand = {};
    ASSERT_TRUE(window.switchScreen(8));
    auto* red = qobject_cast<QLineEdit*>(window.skin()->field(230));
    auto* green = qobject_cast<QLineEdit*>(window.skin()->field(231));
    ASSERT_TRUE(red && green);
    SkinPanelWidget& page = panel(1);
    const int redThumb = buttonIndexOf(1, Handler::WandTolerance, 1) + 1;
    EXPECT_EQ(std::tuple(red->text(), page.input().slider(redThumb)->maximum, page.input().slider(redThumb)->value),
              std::tuple(QString("32"), 255, 32));

    click(buttonOf(1, Handler::WandToleranceStep, 0x00010001));
    EXPECT_EQ(std::tuple(wand.tolerance.red, red->text()), std::tuple(33, QString("33"))) << "an arrow steps by 1";
    const skin::Rect track = page.input().control(redThumb - 1).rect;
    click(page.geometry().topLeft() + QPoint(track.left + track.width() - 2, track.top + track.height() / 2));
    EXPECT_EQ(std::tuple(wand.tolerance.red, page.input().slider(redThumb)->value), std::tuple(43, 43))
        << "the track pages by 10 toward the click";
    click(buttonOf(1, Handler::WandToleranceStep, 0xFFFF0002));
    EXPECT_EQ(wand.tolerance.green, 31);

    green->selectAll();
    QTest::keyClicks(green, "300");
    EXPECT_EQ(wand.tolerance.green, 255) << "typed values are kept within 0..255";
    EXPECT_EQ(page.input().slider(redThumb + 5)->value, 255);

    click(buttonOf(1, Handler::WandContiguous));
    click(buttonOf(1, Handler::WandCombineMode, 1));
    EXPECT_EQ(std::tuple(wand.contiguous, wand.combine), std::tuple(false, CombineMode::Add));

    ASSERT_TRUE(window.switchScreen(2));
    ASSERT_TRUE(window.switchScreen(8));
    EXPECT_EQ(qobject_cast<QLineEdit*>(window.skin()->field(230))->text(), "43") << "the panel shows the settings again";
    const auto selected = [&](Handler handler, std::uint32_t argument) {
        return panel(1).input().selected(buttonIndexOf(1, handler, argument));
    };
    EXPECT_EQ((std::vector{selected(Handler::WandContiguous, 0), selected(Handler::WandCombineMode, 1),
                           selected(Handler::WandCombineMode, 0)}),
              (std::vector{false, true, false}));

    CurrentToolId() = 1104;
    ASSERT_TRUE(window.switchScreen(2));
    ASSERT_TRUE(window.switchScreen(8));
    EXPECT_EQ(std::tuple(selected(Handler::SelectTool, 1104), selected(Handler::SelectTool, 1101)), std::tuple(true, false))
        << "the tool in use shows";
    CurrentToolId() = kDefaultTool;
    wand = {};
}

TEST_P(Screens, ThePaintPanelsShowAndSetTheBrushAndTheRetouchingOptions)
{
    PaintOptionsPanels options(window);
    PaintOptions& paint = CurrentToolSettings().paint;
    const PaintOptions saved = paint;
    paint = {};
    paint.brush.size = 20;
    ASSERT_TRUE(window.switchScreen(13));  // panels 0, 12, 13
    const int sizeThumb = buttonIndexOf(2, Handler::BrushSize) + 1;
    EXPECT_EQ(std::tuple(panel(2).input().slider(sizeThumb)->value, panel(2).input().slider(sizeThumb)->maximum),
              std::tuple(20, 32));
    EXPECT_TRUE(panel(2).input().selected(buttonIndexOf(2, Handler::BrushShape, 1))) << "the round brush";

    click(buttonOf(2, Handler::BrushShape, 4));
    EXPECT_EQ(paint.brush.shape, 4);
    window.handlers().call(Handler::BrushSize, 40);
    EXPECT_EQ(paint.brush.size, 32) << "kept to the largest dab";
    window.handlers().call(Handler::BrushSpeed, 0);
    EXPECT_EQ(paint.brush.speed, 1);

    ASSERT_TRUE(window.switchScreen(14));
    EXPECT_EQ(panel(2).input().slider(buttonIndexOf(2, Handler::ToolStrength) + 1)->value, 50);
    EXPECT_EQ(panel(2).input().slider(buttonIndexOf(2, Handler::BrushSize) + 1)->value, 32) << "one size for every page";
    window.handlers().call(Handler::ToolStrength, 80);
    EXPECT_EQ(paint.strength, 80);

    ASSERT_TRUE(window.switchScreen(15));
    EXPECT_TRUE(panel(2).input().selected(buttonIndexOf(2, Handler::CloneAligned)));
    click(buttonOf(2, Handler::CloneAligned));
    EXPECT_FALSE(paint.cloneAligned);
    paint = saved;
}

// The paint pages' code on the window, over default options; the session's come back after.
struct PaintPages {
    explicit PaintPages(MainWindow& window)
        : panels(window)
        , saved(std::exchange(CurrentToolSettings().paint, PaintOptions{}))
    {
    }
    ~PaintPages() { CurrentToolSettings().paint = saved; }
    PaintOptionsPanels panels;
    PaintOptions saved;
};

// The options added to the paint pages reach what the tools paint with: the stamps the
// strokes build, the dab sizes and the fill's options.
TEST_P(Screens, ThePaintPanelsSoftnessPressureEdgesEraserAndFillReachTheTools)
{
    PaintPages pages(window);
    PaintOptions& paint = CurrentToolSettings().paint;
    const auto trackEnd = [&](int level, Handler handler, std::uint32_t argument, bool right) {
        const skin::Rect r = panel(level).input().control(buttonIndexOf(level, handler, argument)).rect;
        return panel(level).geometry().topLeft() + QPoint(right ? r.left + r.width() - 2 : r.left + 1, r.top + r.height() / 2);
    };

    ASSERT_TRUE(window.switchScreen(13));
    const int softThumb = buttonIndexOf(2, Handler::PaintOption, 1) + 1;
    EXPECT_EQ(std::tuple(panel(2).input().slider(softThumb)->value, panel(2).input().slider(softThumb)->maximum),
              std::tuple(100, 255));
    const BrushStamp brushBefore = BuildBrushStamp(StampKeyFor(PaintKind::Brush, paint));
    click(trackEnd(2, Handler::PaintOption, 1, true));
    EXPECT_GT(paint.softness, 200);
    EXPECT_NE(BuildBrushStamp(StampKeyFor(PaintKind::Brush, paint)).alpha, brushBefore.alpha)
        << "the brush's stamp follows the softness";
    const BrushStamp airBefore = BuildBrushStamp(StampKeyFor(PaintKind::Airbrush, paint));
    click(trackEnd(2, Handler::PaintOption, 2, false));
    EXPECT_LT(paint.airbrushPressure, 20);
    EXPECT_NE(BuildBrushStamp(StampKeyFor(PaintKind::Airbrush, paint)).alpha, airBefore.alpha)
        << "the airbrush's stamp follows the pressure";

    ASSERT_TRUE(window.switchScreen(15));
    EXPECT_FALSE(panel(2).input().selected(buttonIndexOf(2, Handler::PaintCheck, 1)));
    click(buttonOf(2, Handler::PaintCheck, 1));
    EXPECT_TRUE(paint.cloneSoftEdge);
    EXPECT_EQ(DabSize(PaintKind::Clone, paint), paint.brush.size + 6) << "the soft edge's larger dab";
    EXPECT_EQ(StampKeyFor(PaintKind::Clone, paint).kind, StampKind::Soft);
    EXPECT_FALSE(paint.eraserSoftEdge) << "each tool has its own soft edge";

    ASSERT_TRUE(window.switchScreen(16));
    click(buttonOf(2, Handler::PaintCheck, 2));
    EXPECT_EQ(std::tuple(paint.eraserSoftEdge, StampKeyFor(PaintKind::Eraser, paint).kind),
              std::tuple(true, StampKind::Soft));
    click(trackEnd(2, Handler::PaintOption, 3, false));
    EXPECT_LT(paint.eraserIntensity, 10);

    ASSERT_TRUE(window.switchScreen(17));  // panels 0, 17
    click(trackEnd(1, Handler::PaintOption, 4, true));
    EXPECT_GT(paint.fillTolerance, 240);
    click(trackEnd(1, Handler::PaintOption, 5, true));
    EXPECT_EQ(panel(1).input().slider(buttonIndexOf(1, Handler::PaintOption, 5) + 1)->maximum, 99);
    EXPECT_TRUE(paint.fillTransparency > 90 && paint.fillTransparency <= 99) << paint.fillTransparency;

    ASSERT_TRUE(window.switchScreen(16));
    EXPECT_TRUE(panel(2).input().selected(buttonIndexOf(2, Handler::PaintCheck, 2))) << "the page shows the options again";
    EXPECT_EQ(panel(2).input().slider(buttonIndexOf(2, Handler::PaintOption, 3) + 1)->value, paint.eraserIntensity);
}

// The stamp, the texture and the brush's picture come from their system albums in the album
// browser; the brush's picture makes shape 6 paint with its dark pixels.
TEST_P(Screens, StampsTexturesAndTheBrushPictureArePickedFromTheirSystemAlbums)
{
    PaintPages pages(window);
    PaintOptions& paint = CurrentToolSettings().paint;
    // Picks photo `photo` of the dialog that opens, and tells the album it showed.
    std::string album;
    const auto pickLater = [&album](int photo) {
        QTimer::singleShot(0, [&album, photo] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* picker = dynamic_cast<PaintPictureDialog*>(dialog);
            ASSERT_NE(picker, nullptr);
            album = picker->browser().albumPath();
            ASSERT_GT(picker->browser().album().count(), std::size_t(photo));
            for (AlbumCell* cell : picker->browser().findChildren<AlbumCell*>())
                if (cell->number() == photo)
                    QTest::mouseClick(cell, Qt::LeftButton);
            ASSERT_EQ(picker->browser().current(), photo);
            picker->accept();
        });
    };

    ASSERT_TRUE(window.switchScreen(17));
    pickLater(1);
    click(buttonOf(1, Handler::ChooseStamp));
    EXPECT_TRUE(album.ends_with("sysalbum/shapes1.abm")) << album;
    ASSERT_TRUE(paint.stamp);
    EXPECT_EQ(std::tuple(paint.stampName, paint.stamp->width()), std::tuple(std::string("stamps/star.bmp"), 128));

    pickLater(2);
    click(buttonOf(1, Handler::ChooseTexture));
    EXPECT_TRUE(album.ends_with("sysalbum/texture1.abm")) << album;
    EXPECT_EQ(paint.textureName, "sysalbum/texture/paper.bmp");
    EXPECT_TRUE(paint.texture);

    ASSERT_TRUE(window.switchScreen(13));
    const std::vector<std::uint8_t> circle = BrushShapeCells(int(BrushShape::Custom), 16, nullptr);
    pickLater(2);
    click(buttonOf(2, Handler::ChooseBrushPicture));
    ASSERT_TRUE(paint.customShape);
    EXPECT_EQ(std::tuple(paint.brush.shape, panel(2).input().selected(buttonIndexOf(2, Handler::BrushShape, 6)),
                         panel(2).input().selected(buttonIndexOf(2, Handler::BrushShape, 1))),
              std::tuple(int(BrushShape::Custom), true, false))
        << "the custom shape is chosen";
    EXPECT_NE(BuildBrushStamp(StampKeyFor(PaintKind::Brush, paint)).alpha,
              BuildBrushStamp(StampKeyFor(PaintKind::Brush, PaintOptions{})).alpha)
        << "the brush paints with the heart, not the circle";
    EXPECT_NE(BrushShapeCells(int(BrushShape::Custom), 16, paint.customShape.get()), circle);
}

TEST_P(Screens, TheVideoTileBlinksOnTheAcquirePageUntilTheAreaIsLeft)
{
    clickControl(155);
    ASSERT_EQ(window.screen(), 1);
    EXPECT_TRUE(timer(skin::kPageBlinkTimer)->isActive());
    clickControl(147);
    EXPECT_FALSE(timer(skin::kPageBlinkTimer)->isActive());
    clickControl(155);
    EXPECT_FALSE(timer(skin::kPageBlinkTimer)->isActive()) << "stopped for good";
}

INSTANTIATE_TEST_SUITE_P(BothSizes, Screens, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& info) { return info.param == 0 ? "Large" : "Small"; });

// A second copy started with files hands them over; the first opened none before.
TEST(HandOver, FilesTravelAsAbsolutePathsWhateverCharactersTheyHold)
{
    const std::vector<std::string> arguments = {"-geometry", "-x", "praia 1.jpg", "/fotos/férias/100%.png", "../a\tb.bmp"};
    const QString command = HandOverCommand(arguments, "/home/ana/fotos");
    EXPECT_TRUE(command.startsWith("files ") && !command.contains('\n')) << command.toStdString();
    const auto files = HandedOverFiles(command);
    ASSERT_TRUE(files);
    EXPECT_EQ(*files, (std::vector<std::string>{"/home/ana/fotos/praia 1.jpg", "/fotos/férias/100%.png", "/home/ana/a\tb.bmp"}));

    EXPECT_EQ(HandOverCommand({}, "/tmp"), kForwardCommand);
    EXPECT_EQ(HandOverCommand({"-x", ""}, "/tmp"), kForwardCommand) << "only switches: nothing to hand over";
    EXPECT_FALSE(HandedOverFiles(kForwardCommand) || HandedOverFiles("filesystem /a"));
    EXPECT_EQ(HandedOverFiles("files"), std::vector<std::string>{});
}

// A command that opens a modal dialog runs a loop of its own; the copy that sent it may give
// up and go meanwhile, and its socket with it.
TEST(InstanceServer, ACommandWithALoopOfItsOwnOutlivesTheSenderGoing)
{
    const QString name = QStringLiteral("lv-instance-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance server(name);
    QLocalSocket sender;
    std::vector<QString> handled;
    ASSERT_TRUE(server.listen([&](const QString& command) {
        handled.push_back(command);
        sender.abort();
        QEventLoop dialog;
        QTimer::singleShot(300, &dialog, &QEventLoop::quit);
        dialog.exec();
    }));
    sender.connectToServer(name);
    ASSERT_TRUE(sender.waitForConnected(2000));
    sender.write("modal\nsecond\n");
    ASSERT_TRUE(sender.waitForBytesWritten(2000));
    for (int i = 0; i < 200 && handled.empty(); ++i)
        QTest::qWait(10);
    QTest::qWait(100);
    // The second line went with the socket.
    EXPECT_EQ(handled, std::vector<QString>{QStringLiteral("modal")});
}

}  // namespace
}  // namespace lv::app
