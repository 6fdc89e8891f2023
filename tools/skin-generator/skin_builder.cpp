#include "skin_builder.h"

#include "app/skin/button_table.h"
#include "app/skin/skin_bitmaps.h"
#include "app/skin/skin_file.h"
#include "app/widgets/dib_image.h"
#include "app/widgets/qt_geometry.h"
#include "button_painter.h"
#include "desktop_icons.h"
#include "click_sounds.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/png/png.h"
#include "panel_painter.h"
#include "skin_bitmaps.h"
#include "theme.h"

#include <QPainter>

#include <cstdio>
#include <filesystem>

namespace lv::skingen {
namespace {

using app::ImageToDib;
using app::ToQRect;
using skin::ButtonKind;
using skin::SkinVariant;

std::vector<std::uint8_t> PackedDib(const QImage& image)
{
    const HDIB dib = ImageToDib(image);
    return {dib.data(), dib.data() + dib.pixelOffset() + dib.stride() * std::size_t(dib.height())};
}

bool WriteBitmap(const std::string& path, const QImage& image)
{
    HDIB dib = ImageToDib(image);
    if (WriteBmp(path, dib) != WriteResult::Written) {
        std::fprintf(stderr, "skin-generator: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

std::int16_t RecordKind(ButtonKind kind)
{
    if (kind == ButtonKind::SliderThumb)
        return skin::kRecordSliderThumb;
    if (kind == ButtonKind::SliderTrack)
        return skin::kRecordSliderTrack;
    return 0;
}

skin::SkinScreenButtons PanelRecords(int panel, SkinVariant variant, const QImage& background)
{
    const QColor accent = AreaColour(AreaOfPanel(panel));
    // Thumbs are drawn over their track.
    QImage withTracks = background.copy();
    {
        QPainter p(&withTracks);
        for (const skin::ButtonDefinition& b : skin::PanelButtons(panel))
            if (b.kind == ButtonKind::SliderTrack) {
                const QRect r = ToQRect(b.placeIn(variant));
                p.drawImage(r.topLeft(), PaintButton(b, r, background, skin::ImageState::Normal, accent));
            }
    }
    skin::SkinScreenButtons records;
    for (const skin::ButtonDefinition& b : skin::PanelButtons(panel)) {
        const skin::Rect r = b.placeIn(variant);
        skin::SkinButtonImages record;
        record.fields = {RecordKind(b.kind), std::int16_t(b.controlId), std::int16_t(r.left), std::int16_t(r.top),
                         std::int16_t(r.width()), std::int16_t(r.height()), std::int16_t(b.kind), 0};
        // Regions have no pictures, except a list's row, which the list draws its rows from.
        if (b.kind != ButtonKind::Region || b.art.style == skin::ButtonStyle::ListRow) {
            const QImage& under = b.kind == ButtonKind::SliderThumb ? withTracks : background;
            for (const skin::ImageState state : {skin::ImageState::Normal, skin::ImageState::Pressed, skin::ImageState::Hover})
                record.pictures[std::size_t(state)] = PackedDib(PaintButton(b, ToQRect(r), under, state, accent));
        }
        records.push_back(std::move(record));
    }
    return records;
}

bool WriteVariant(const std::filesystem::path& ui, SkinVariant variant)
{
    const bool large = variant == SkinVariant::Large;
    const std::string extension = large ? "800" : "640";
    skin::SkinFileContent content;
    // The "800" file holds the two window panels at their own screen numbers.
    content.screens.resize(large ? 29 : skin::kAllPanelCount);
    for (int panel = 0; panel < int(content.screens.size()); ++panel) {
        if (skin::PanelSkinFile(panel, variant) != "ui/button." + extension)
            continue;
        const QImage background = PaintPanelBackground(panel, variant);
        if (!WriteBitmap((ui / ("screen" + std::to_string(panel) + "." + extension)).string(), background))
            return false;
        content.screens[std::size_t(panel)] = PanelRecords(panel, variant, background);
    }
    MemorySink sink;
    const std::string path = (ui / ("button." + extension)).string();
    if (!skin::WriteSkinFile(sink, content) || !WriteWholeFile(path, sink.bytes())) {
        std::fprintf(stderr, "skin-generator: cannot write %s\n", path.c_str());
        return false;
    }
    return WriteBitmap((ui / ("splashscreen." + extension)).string(), PaintSplash(variant));
}

// The program's desktop icon with its transparency, for its windows: colours and alpha apart,
// as the PNG writer takes them.
bool WriteLogo(const std::string& path)
{
    constexpr int kSide = 256;
    const QImage straight = RenderDesktopIcon("lumivista", kSide).convertToFormat(QImage::Format_ARGB32);  // not premultiplied
    const HDIB colours = ImageToDib(straight);
    HDIB alpha = AllocatePicture(kSide, kSide, 8, 256);
    if (!colours || !alpha)
        return false;
    FillGreyRamp(alpha.colors(), 256);
    for (int y = 0; y < kSide; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
        std::uint8_t* row = alpha.row(kSide - 1 - y);
        for (int x = 0; x < kSide; ++x)
            row[x] = std::uint8_t(qAlpha(line[x]));
    }
    if (WritePng(path, colours, nullptr, &alpha) != PngWriteResult::Written) {
        std::fprintf(stderr, "skin-generator: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool WriteSkinFiles(const std::string& programDir)
{
    const std::filesystem::path root(programDir);
    const std::filesystem::path ui = root / "ui";
    std::error_code error;
    std::filesystem::create_directories(ui, error);
    if (error) {
        std::fprintf(stderr, "skin-generator: cannot create %s\n", ui.string().c_str());
        return false;
    }
    for (const skin::SkinBitmap& b : skin::kSkinBitmaps)
        if (!WriteBitmap((root / skin::SkinBitmapFile(b.id)).string(), PaintSkinBitmap(b.id)))
            return false;
    return WriteVariant(ui, SkinVariant::Large) && WriteVariant(ui, SkinVariant::Small)
        && WriteBitmap((ui / "Indicator.640").string(), PaintIndicator(true))
        && WriteBitmap((ui / "Indicatorblank.640").string(), PaintIndicator(false))
        && WriteLogo((ui / "lumivista.png").string())
        && WriteWholeFile((root / "Click1.wav").string(), AreaClickWav())
        && WriteWholeFile((root / "Click2.wav").string(), ButtonClickWav());
}

}  // namespace lv::skingen
