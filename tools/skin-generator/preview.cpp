#include "preview.h"

#include "app/skin/button_table.h"
#include "app/skin/panel_input.h"
#include "app/skin/panel_loader.h"
#include "app/skin/screen_composition.h"
#include "app/skin/screen_selection.h"
#include "imagelib/bmp.h"

#include <QPainter>

namespace lv::skingen {
namespace {

using skin::ImageState;

QImage ToImage(const HDIB& dib)
{
    if (!dib || dib.bitCount() != 24)
        return {};
    QImage image(dib.width(), dib.height(), QImage::Format_RGB32);
    for (int y = 0; y < dib.height(); ++y) {
        const std::uint8_t* row = dib.row(dib.height() - 1 - y);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < dib.width(); ++x)
            line[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    }
    return image;
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
    const auto placed = skin::ComposeScreen(screen, skin::MainWindowSize(variant),
                                            [&](int panel, int control) -> std::optional<skin::Rect> {
                                                for (const auto& p : loaded)
                                                    if (p.panel == panel)
                                                        for (const auto& b : p.buttons)
                                                            if (b.definition.controlId == control)
                                                                return b.rect;
                                                return std::nullopt;
                                            });
    const auto size = skin::MainWindowSize(variant);
    QImage canvas(size.width, size.height, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter p(&canvas);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const QPoint origin(placed[i].area.x, placed[i].area.y);
        p.save();
        p.setClipRect(QRect(origin, QSize(placed[i].area.width, placed[i].area.height)));
        p.drawImage(origin, ToImage(loaded[i].background));
        const std::vector<int> selection = skin::SelectionOnScreen(loaded[i].panel, screen);
        for (std::size_t k = 0; k < loaded[i].buttons.size(); ++k) {
            const skin::LoadedButton& b = loaded[i].buttons[k];
            ImageState state = selection[k] == skin::kSelected ? ImageState::Pressed : ImageState::Normal;
            if (hoverControl && b.definition.controlId == hoverControl && state == ImageState::Normal)
                state = ImageState::Hover;
            const QImage picture = ToImage(b.images[std::size_t(state)]);
            if (!picture.isNull())
                p.drawImage(origin + QPoint(b.rect.x, b.rect.y), picture);
        }
        p.restore();
    }
    if (layout.basePanel == 0) {
        const auto& base = loaded.front().buttons;
        for (const auto& b : base) {
            const QRect r(b.rect.x, b.rect.y, b.rect.width, b.rect.height);
            if (b.definition.controlId == 100) {
                const std::string name = variant == skin::SkinVariant::Large ? "/ui/splashscreen.800" : "/ui/splashscreen.640";
                const QImage splash = ToImage(ReadBmp(programDir + name).take());
                if (!splash.isNull())
                    p.drawImage(r.center() - QPoint(splash.width() / 2, splash.height() / 2) + QPoint(1, 1), splash);
            }
            if (b.definition.controlId == 164) {
                const QImage lamp = ToImage(ReadBmp(programDir + "/ui/Indicatorblank.640").take());
                if (!lamp.isNull())
                    p.drawImage(r.topLeft(), lamp);
            }
        }
    }
    return canvas;
}

}  // namespace lv::skingen
