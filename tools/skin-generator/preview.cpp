#include "preview.h"

#include "app/widgets/dib_image.h"
#include "app/skin/button_table.h"
#include "app/skin/panel_input.h"
#include "app/skin/panel_loader.h"
#include "app/skin/screen_composition.h"
#include "app/skin/screen_selection.h"
#include "app/widgets/qt_geometry.h"
#include "common/failure_notices.h"
#include "imagelib/codecs/bmp/bmp.h"

#include <QPainter>

namespace lv::skingen {
namespace {

using app::DibToImage;
using app::ToQRect;
using skin::ImageState;

QImage ProgramPicture(const std::string& programDir, const std::string& name)
{
    ReadResult read = ReadBmp(programDir + "/ui/" + name);
    ShowFailureNotices(read.failure());
    return DibToImage(read.take());
}

}  // namespace

QImage RenderScreen(const std::string& programDir, int screen, skin::SkinVariant variant, int hoverControl)
{
    const skin::StandardPictureDecoder decoder;
    const skin::ScreenComposition& layout = skin::ScreenLayout(screen);
    std::vector<skin::LoadedPanel> loaded;
    for (int level = 0; layout.panelAt(level) >= 0; ++level) {
        loaded.push_back(skin::LoadPanel(layout.panelAt(level), variant, programDir, decoder));
        if (!loaded.back().background || loaded.back().buttons.empty())
            return {};
    }
    const auto placed = skin::ComposeScreen(screen, skin::MainWindowSize(variant), [&](int panel, int control) {
        for (const skin::LoadedPanel& p : loaded)
            if (p.panel == panel)
                return skin::ControlRect(p, control);
        return std::optional<skin::Rect>();
    });
    const auto size = skin::MainWindowSize(variant);
    QImage canvas(size.width, size.height, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter p(&canvas);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const QRect area = ToQRect(placed[i].area);
        p.save();
        p.setClipRect(area);
        p.drawImage(area.topLeft(), DibToImage(loaded[i].background));
        const std::vector<int> selection = skin::SelectionOnScreen(loaded[i].panel, screen);
        for (std::size_t k = 0; k < loaded[i].buttons.size(); ++k) {
            const skin::LoadedButton& b = loaded[i].buttons[k];
            ImageState state = selection[k] == skin::kSelected ? ImageState::Pressed : ImageState::Normal;
            if (hoverControl && b.definition.controlId == hoverControl && state == ImageState::Normal)
                state = ImageState::Hover;
            const QImage picture = DibToImage(b.images[std::size_t(state)]);
            if (!picture.isNull())
                p.drawImage(area.topLeft() + ToQRect(b.rect).topLeft(), picture);
        }
        p.restore();
    }
    if (layout.basePanel == 0) {
        const skin::LoadedPanel& base = loaded.front();
        if (const auto workspace = skin::ControlRect(base, 100)) {
            const QImage splash =
                ProgramPicture(programDir, variant == skin::SkinVariant::Large ? "splashscreen.800" : "splashscreen.640");
            if (!splash.isNull())
                p.drawImage(ToQRect(*workspace).center() - QPoint(splash.width() / 2, splash.height() / 2) + QPoint(1, 1),
                            splash);
        }
        if (const auto lamp = skin::ControlRect(base, 164)) {
            const QImage blank = ProgramPicture(programDir, "Indicatorblank.640");
            if (!blank.isNull())
                p.drawImage(ToQRect(*lamp).topLeft(), blank);
        }
    }
    return canvas;
}

}  // namespace lv::skingen
