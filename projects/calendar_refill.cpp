#include "projects/calendar.h"

#include "edit/compositing.h"
#include "edit/placement/placement_matrix.h"
#include "edit/undo_hooks.h"
#include "imagelib/dib_geometry.h"
#include "common/warning_messages.h"
#include "imagelib/shared_picture.h"
#include "projects/placeholder_content.h"
#include "projects/placeholders.h"
#include "projects/project_picture.h"

namespace lv {
namespace {

// The piece centred on the space the old content took. A piece without a mask keeps the
// layer's mask shape, stretched to the piece.
std::optional<PlaceholderContent> centredPiece(const LayerStack& stack, const LayerRecord& layer, ProjectPicture piece)
{
    const int oldWidth = layer.image.width();
    const int oldHeight = layer.image.height();
    const int width = piece.image.width();
    const int height = piece.image.height();
    const bool ownMask = bool(piece.mask);

    PlaceholderContent content;
    if (ownMask) {
        content.image = CopyPicture(piece.image);
        content.mask = CopyPicture(piece.mask);
        content.sourceMask = std::move(piece.mask);
    } else {
        content.sourceMask = DibResize(layer.sourceMask ? *layer.sourceMask : layer.mask.read(), width, height);
        content.image = CopyPicture(piece.image);
        content.mask = content.sourceMask ? CopyPicture(content.sourceMask) : HDIB{};
    }
    content.sourceImage = std::move(piece.image);
    if (!content.image || !content.mask || !content.sourceImage || !content.sourceMask
        || !MatchLayerDepth(content, stack, layer))
        return std::nullopt;

    const int halfWidth = (oldWidth - width) / 2;
    const int halfHeight = (oldHeight - height) / 2;
    const int centredRows = Truncate(halfHeight + 0.5);
    content.x = layer.x + Truncate(halfWidth + 0.5);
    content.y = layer.y + (ownMask ? halfHeight : centredRows);
    content.placement = Compose(TranslatePlacement(content.x, stack.height - layer.y - oldHeight + centredRows),
                                IdentityPlacement());
    content.aspect = ProjectAspect(width, height);
    return content;
}

}  // namespace

int RefillCalendar(LayerStack& document, const std::string& templatePath, int year, int month)
{
    bool changed = false;
    int result = 1;
    for (int i = 0; i < document.layerCount; ++i) {
        LayerRecord& layer = document.layers[std::size_t(i)];
        const PlaceholderName name = ParsePlaceholderName(layer.name);
        if (name.piece == PieceKind::None || !layer.image || !layer.mask)
            continue;
        const std::string path = PiecePath(templatePath, name, year, month);
        if (!ProjectFileExists(path)) {
            ShowDetailedStringMessage(kFileNotFoundString, path);
            result = 0;
            break;
        }
        auto piece = LoadLayeredPicture(path);
        if (!piece) {
            ShowStringMessage(kUnknownFormatString);
            continue;
        }
        auto content = centredPiece(document, layer, std::move(*piece));
        if (!content)
            continue;
        // One step for the whole refill, taken before its first change.
        if (!changed)
            RecordUndoStep(document, kUndoCalendarRefill);
        InstallPlaceholderContent(layer, std::move(*content));
        changed = true;
    }
    if (changed)
        CompositeLayers(document);
    return result;
}

}  // namespace lv
