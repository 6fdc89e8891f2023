#include "projects/placeholders.h"

#include "edit/compositing.h"
#include "edit/placement/placement_matrix.h"
#include "edit/placement/resampler.h"
#include "edit/undo_hooks.h"
#include "imagelib/dib_geometry.h"
#include "common/warning_messages.h"
#include "projects/calendar.h"
#include "projects/placeholder_content.h"
#include "projects/project_picture.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace lv {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The background: the photo stretched over the layer's exact box, without a placement.
std::optional<PlaceholderContent> stretched(const LayerStack& stack, const LayerRecord& layer, const ProjectPicture& photo)
{
    const int width = layer.image.width();
    const int height = layer.image.height();
    PlaceholderContent content;
    content.image = DibResize(photo.image, width, height);
    if (photo.mask)
        content.mask = DibResize(photo.mask, width, height);
    if (!content.image || (photo.mask && !content.mask) || !MatchLayerDepth(content, stack, layer))
        return std::nullopt;
    content.x = layer.x;
    content.y = layer.y;
    content.aspect = ProjectAspect(width, height);
    return content;
}

// A photo placeholder: the whole photo becomes the source, rendered scaled to fit inside
// the old box and centred there (over white, mask included: an enlarged photo keeps an
// opaque edge rather than a see-through one). A photo with its own mask keeps it; otherwise the
// placeholder's mask shape is stretched over the photo.
std::optional<PlaceholderContent> fitted(const LayerStack& stack, const LayerRecord& layer, ProjectPicture photo)
{
    const int oldWidth = layer.image.width();
    const int oldHeight = layer.image.height();
    const int width = photo.image.width();
    const int height = photo.image.height();
    const bool ownMask = bool(photo.mask);

    PlaceholderContent content;
    content.sourceMask = ownMask ? std::move(photo.mask)
                                 : DibResize(layer.sourceMask ? *layer.sourceMask : layer.mask.read(), width, height);
    content.sourceImage = std::move(photo.image);
    if (!content.sourceMask || !content.sourceImage)
        return std::nullopt;

    const double across = width == 0 ? 1 : width;
    const double down = height == 0 ? 1 : height;
    const double scale = std::int64_t(height) * oldWidth <= std::int64_t(width) * oldHeight ? oldWidth / across
                                                                                              : oldHeight / down;
    Placement m = Compose(ScalePlacement(0, 0, scale, scale), IdentityPlacement());
    Rect placed;
    content.image = ResamplePlaced(content.sourceImage, placed, kWhite, m);
    content.mask = ResamplePlaced(content.sourceMask, placed, kWhite, m);
    if (!content.image || !content.mask || !MatchLayerDepth(content, stack, layer))
        return std::nullopt;

    int dx = 0;
    int dy = 0;
    if (ownMask) {
        dx = (oldWidth - Truncate(width * scale)) / 2;
        dy = (oldHeight - Truncate(height * scale)) / 2;
    } else {
        dx = Truncate((oldWidth - width * scale + 1) / 2);
        dy = Truncate((oldHeight - height * scale + 1) / 2);
    }
    content.x = layer.x + dx;
    content.y = layer.y + dy;
    content.placement = Compose(TranslatePlacement(content.x, stack.height - oldHeight - layer.y + dy), m);
    content.aspect = ownMask ? ProjectAspect(oldWidth, oldHeight) : ProjectAspect(width, height);
    return content;
}

// A piece's file name read as the year or month it shows: digits only.
std::optional<int> pieceNumber(const std::string& stem, int low, int high)
{
    if (stem.empty() || stem.size() > 6 || !std::all_of(stem.begin(), stem.end(), [](unsigned char c) { return std::isdigit(c); }))
        return std::nullopt;
    const int value = std::stoi(stem);
    return value >= low && value <= high ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

PlaceholderKind KindOfPlaceholder(std::string_view layerName)
{
    const PlaceholderName name = ParsePlaceholderName(layerName);
    if (name.piece != PieceKind::None)
        return PlaceholderKind::CalendarPiece;
    return lowered(name.kind) == "background" ? PlaceholderKind::Background : PlaceholderKind::Photo;
}

PhotoDrop DropPhoto(LayerStack& document, const std::string& photoPath, const std::string& templatePath)
{
    if (!IsLayerIndex(document, document.currentLayer))
        return {};
    if (!ProjectFileExists(photoPath)) {
        ShowDetailedStringMessage(kFileNotFoundString, photoPath);
        return {};
    }
    LayerRecord& layer = document.layers[std::size_t(document.currentLayer)];
    if (!layer.image || !layer.mask)
        return {};
    const PlaceholderKind kind = KindOfPlaceholder(layer.name);

    PhotoDrop outcome;
    std::string path = photoPath;
    if (kind == PlaceholderKind::CalendarPiece) {
        // The piece comes from this template's own folders, whichever copy was picked.
        const PlaceholderName name = ParsePlaceholderName(layer.name);
        const std::filesystem::path dropped(photoPath);
        path = PieceDirectory(templatePath, name.style, name.piece) + dropped.filename().string();
        const std::string stem = dropped.stem().string();
        if (name.piece == PieceKind::Year)
            outcome.year = pieceNumber(stem, 1, 9999);
        else if (name.piece == PieceKind::Month)
            outcome.month = pieceNumber(stem, 1, 12);
        if (!ProjectFileExists(path)) {
            ShowDetailedStringMessage(kFileNotFoundString, path);
            return {};
        }
    }

    auto photo = LoadDroppedPicture(path);
    if (!photo) {
        ShowStringMessage(kUnknownFormatString);
        return {};
    }
    auto content = kind == PlaceholderKind::Background ? stretched(document, layer, *photo)
                                                       : fitted(document, layer, std::move(*photo));
    if (!content)
        return {};
    RecordUndoStep(document, kUndoPhotoDrop);
    InstallPlaceholderContent(layer, std::move(*content));
    CompositeLayers(document);
    outcome.dropped = true;
    return outcome;
}

}  // namespace lv
